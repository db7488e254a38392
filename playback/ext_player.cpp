#include "playback/ext_player.h"

namespace tracklore::playback {

TExtPlayer::TExtPlayer(ui::TShell&, std::string) {}

TExtPlayer::~TExtPlayer() = default;

void TExtPlayer::Close() {}

}  // namespace tracklore::playback
