// The print dialog (TPrinterDialog) as a model: the column check boxes, header and footer,
// look and font, and the columns they give.
#pragma once

namespace tracklore::ui {

struct TPrinterDialog {};

}  // namespace tracklore::ui
