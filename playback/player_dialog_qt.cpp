#include "playback/player_dialog_qt.h"

namespace tracklore::playback {

bool ExecutePlayerDialogQt(QWidget*, TExtPlayerDialog&) {
    return false;
}

}  // namespace tracklore::playback
