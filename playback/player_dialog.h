// The "Configure External Player" dialog (TExtPlayer's form) as a model: plug-in rows,
// drive rows with check marks, and the temporary storage fields.
#pragma once

namespace tracklore::playback {

struct TExtPlayerDialog {};

}  // namespace tracklore::playback
