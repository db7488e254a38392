// The result window of an advanced search (TSelectForm) as a model: the rows it shows,
// built once from a set, and their sorting by column.
#pragma once

namespace tracklore {

class TSelectForm {};

}  // namespace tracklore
