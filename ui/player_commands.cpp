// Play, Add and Con&fig Player...: the selected records handed to the player plug-in.
#include "core/db_errors.h"
#include "core/format.h"
#include "core/strings.h"
#include "playback/ext_player.h"
#include "ui/main_window.h"

namespace tracklore::ui {

void TMainWindow::PlayerPlay(TViewSource source) {
    if (!player_) return;
    TBusyScope busy(shell_);
    SetStatusText(msg::CallingPlayerPlugin);
    const std::vector<int32_t> ids = views_.SelectedIds(source);
    if (ids.empty()) return;
    bool first = true;
    std::string playing;
    for (const int32_t id : ids) {
        // A negative ID (an artist or album node) fails here with the catalogue's error.
        TrackRecord record;
        catalogue_->GetByID(id, record);
        const std::string volume = record.Volume.str();
        const std::string fileName = record.Filename.str();
        if (first) {
            player_->PlayNow(volume, fileName);
            playing = fileName;
        } else
            player_->AddToPlayer(volume, fileName);
        first = false;
    }
    // Without a plug-in nothing plays, and the status line does not pretend otherwise.
    SetStatusText(player_->PluginLoaded() ? Format(msg::PlayingFile, playing.c_str())
                                          : std::string());
}

void TMainWindow::PlayerAdd(TViewSource source) {
    if (!player_) return;
    TBusyScope busy(shell_);
    SetStatusText(msg::CallingPlayerPlugin);
    const std::vector<int32_t> ids = views_.SelectedIds(source);
    if (ids.empty()) return;
    for (const int32_t id : ids) {
        if (id < 0) throw EDBError(msg::InternalErrorSelectedIDs);
        TrackRecord record;
        catalogue_->GetByID(id, record);
        player_->AddToPlayer(record.Volume.str(), record.Filename.str());
    }
    SetStatusText("");
}

void TMainWindow::ConfigPlayer() {
    if (player_) player_->Execute();
}

}  // namespace tracklore::ui
