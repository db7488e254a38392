// The Volumes page's actions on a row: its records on the Selected page, Update directory on
// the drive that carries it, and the removal of all its records.
#include <algorithm>

#include "core/format.h"
#include "core/messages.h"
#include "platform/drives.h"
#include "playback/ext_player.h"
#include "ui/main_window.h"

namespace tracklore::ui {

namespace {

// Labels compare byte for byte, as the player and the volumes rows match them.
bool OnVolume(void* volume, const TrackRecord& record) {
    return record.Volume.view() == *static_cast<const std::string*>(volume);
}

}  // namespace

void TMainWindow::VolumeAction(TVolumeAction action, std::string volume) {
    switch (action) {
        case TVolumeAction::ShowRecords: ShowVolumeRecords(volume); break;
        case TVolumeAction::Update: UpdateVolume(volume); break;
        case TVolumeAction::Remove: RemoveVolume(volume); break;
    }
}

std::vector<platform::DriveEntry> TMainWindow::SearchedDrives() const {
    std::vector<platform::DriveEntry> drives;
    if (!player_) return drives;
    const uint32_t searched = player_->Settings().SearchDriveSet;
    for (platform::DriveEntry& drive : platform::DriveTable())
        if (playback::InDriveSet(searched, drive.Letter)) drives.push_back(std::move(drive));
    return drives;
}

void TMainWindow::ShowVolumeRecords(const std::string& volume) {
    std::unique_ptr<TTracklore> records;
    {
        TBusyScope busy(shell_);
        records = catalogue_->SelectWhere(&OnVolume, const_cast<std::string*>(&volume));
    }
    ShowSelection(std::move(records));
}

void TMainWindow::UpdateVolume(const std::string& volume) {
    // Looked up now, not taken from the row: the medium may have changed since the page
    // was built. Of several drives carrying the label the lowest letter is taken, as the
    // page shows it.
    const std::vector<platform::DriveEntry> drives = DrivesWithMedium(SearchedDrives());
    const platform::DriveEntry* drive = DriveCarrying(drives, volume);
    if (drive == nullptr) {
        views_.Volumes().Rebuild(*catalogue_);
        shell_.MessageBox(Format(msg::VolumeNotOnline, volume.c_str()), msg::UpdateCaption,
                          TMsgKind::Information, mbOK);
        return;
    }
    UpdateFolderTree(drive->Root);
}

void TMainWindow::RemoveVolume(const std::string& volume) {
    int count = 0;
    for (int slot = 0; slot < catalogue_->SlotEnd(); ++slot) {
        const TrackRecord* record = catalogue_->SlotRecord(slot);
        if (record != nullptr && record->Volume.view() == volume) ++count;
    }
    if (count == 0) {
        views_.Volumes().Rebuild(*catalogue_);  // the row was left from an earlier build
        return;
    }
    const std::string question = count == 1 ? Format(msg::VolumeAskRemoveOne, volume.c_str())
                                            : Format(msg::VolumeAskRemove, count, volume.c_str());
    if (shell_.MessageBox(question, msg::VolumeRemoveCaption, TMsgKind::Confirmation,
                          mbYes | mbNo) != TModalResult::Yes)
        return;
    auto* label = const_cast<std::string*>(&volume);
    // The selected set refers to the catalogue's records: it lets go of them first.
    if (selectedSet_) selectedSet_->DeleteWhere(&OnVolume, label);
    const int removed = catalogue_->DeleteWhere(&OnVolume, label);
    modified_ = true;
    views_.RefreshViews(FullRebuild);
    SetStatusText(removed == 1 ? Format(msg::VolumeOneRecordRemoved, volume.c_str())
                               : Format(msg::VolumeRecordsRemoved, removed, volume.c_str()));
}

}  // namespace tracklore::ui
