// The player configuration and play pipeline (TExtPlayer): the bound plug-in, the drives
// searched for volumes, temporary copies, and PlayNow / AddToPlayer.
#pragma once

#include <string>

namespace tracklore::ui {
class TShell;
}

namespace tracklore::playback {

class TExtPlayer {
public:
    /// Loads the player settings from `registryFile` and binds the chosen plug-in.
    TExtPlayer(ui::TShell& shell, std::string registryFile);
    ~TExtPlayer();
    /// Exit: deletes the temporary copies (asking about those in use), unloads the plug-in.
    void Close();
};

}  // namespace tracklore::playback
