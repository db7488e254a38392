// Play, Add and Con&fig Player...: the selected records handed to the player plug-in; and
// Tagsmith, the outside tag editor.
#include <cerrno>
#include <cstring>

#include "core/db_errors.h"
#include "core/format.h"
#include "core/messages.h"
#include "playback/ext_player.h"
#include "ui/main_window.h"

namespace tracklore::ui {

void TMainWindow::PlayerPlay(TViewSource source) {
    SendToPlayer(source, true);
}

void TMainWindow::PlayerAdd(TViewSource source) {
    SendToPlayer(source, false);
}

void TMainWindow::SendToPlayer(TViewSource source, bool play) {
    if (!player_) return;
    TBusyScope busy(shell_);
    SetStatusText(msg::CallingPlayerPlugin);
    const std::vector<int32_t> ids = views_.SelectedIds(source);
    if (ids.empty()) return;
    // Play hands the first file to the Play entry and the others to the Add entry.
    if (play && !PlayerReady(true)) return;
    if ((!play || ids.size() > 1) && !PlayerReady(false)) return;
    std::string playing;
    for (size_t i = 0; i < ids.size(); ++i) {
        // Play lets a negative ID (an artist or album node) fail with the catalogue's error.
        if (!play && ids[i] < 0) throw EDBError(msg::InternalErrorSelectedIDs);
        TrackRecord record;
        catalogue_->GetByID(ids[i], record);
        const std::string volume = record.Volume.str();
        const std::string fileName = record.Filename.str();
        if (play && i == 0) {
            player_->PlayNow(volume, fileName);
            playing = fileName;
        } else {
            player_->AddToPlayer(volume, fileName);
        }
    }
    // Without a plug-in nothing plays, and the status line does not pretend otherwise.
    SetStatusText(play && player_->PluginLoaded() ? Format(msg::PlayingFile, playing.c_str())
                                                  : std::string());
}

bool TMainWindow::PlayerReady(bool play) {
    const std::string problem = player_->PluginProblem(play);
    if (problem.empty()) return true;
    SetStatusText("");
    shell_.MessageBox(problem, msg::AppTitle, TMsgKind::Warning, mbOK);
    return false;
}

void TMainWindow::RunTagsmith() {
    const int error = shell_.StartProgram(kTagsmithProgram);
    if (error == 0) return;
    const std::string text =
        error == ENOENT ? Format(msg::ProgramNotFound, kTagsmithProgram)
                        : Format(msg::ProgramNotStarted, kTagsmithProgram, std::strerror(error));
    shell_.MessageBox(text, msg::AppTitle, TMsgKind::Warning, mbOK);
}

void TMainWindow::PlayerStop() {
    if (!player_ || !player_->CanStop()) return;
    if (player_->StopPlaying()) SetStatusText(msg::PlayingStopped);
}

void TMainWindow::ConfigPlayer() {
    if (!player_) return;
    player_->Execute();
    UpdateStopCommand();
}

void TMainWindow::UpdateStopCommand() {
    shell_.ShowStopCommand(player_ && player_->CanStop());
}

}  // namespace tracklore::ui
