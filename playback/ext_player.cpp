// TExtPlayer: binding the chosen plug-in, the drives, and playing or adding records.
#include "playback/ext_player.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <unistd.h>

#include "core/format.h"
#include "core/messages.h"
#include "core/progress_box.h"
#include "core/shell.h"
#include "core/text_encoding.h"
#include "platform/file_info.h"
#include "playback/player_dialog.h"
#include "playback/temp_files.h"
#include "playback/temp_folder.h"

namespace tracklore::playback {

namespace {

using ui::TModalResult;
using ui::TMsgKind;

constexpr size_t kPluginTextMax = 255;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto fold = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return fold(x) == fold(y);
           });
}

// Shows the progress box for the lifetime of this object, so an error cannot leave it up.
class TShownProgress {
public:
    TShownProgress(ui::TShell& shell, ui::TProgressBox& box) : shell_(shell), box_(box) {
        shell_.ShowProgress(box_, true);
    }
    ~TShownProgress() {
        try {
            shell_.ShowProgress(box_, false);
        } catch (...) {
        }
    }
    TShownProgress(const TShownProgress&) = delete;
    TShownProgress& operator=(const TShownProgress&) = delete;

private:
    ui::TShell& shell_;
    ui::TProgressBox& box_;
};

}  // namespace

TPluginText ToPluginText(const std::string& text) {
    TPluginText out{};
    const std::string_view cut = CutUtf8(text, kPluginTextMax);
    out[0] = static_cast<uint8_t>(cut.size());
    std::memcpy(out.data() + 1, cut.data(), cut.size());
    return out;
}

std::string FromPluginText(const TPluginText& text) {
    return std::string(reinterpret_cast<const char*>(text.data() + 1), text[0]);
}

TExtPlayer::TExtPlayer(ui::TShell& shell, std::string registryFile)
    : shell_(shell), registryFile_(std::move(registryFile)) {
    settings_ = LoadPlayerSettings(registryFile_);
    // Copies of runs that ended without deleting them (a crash, a copy given up).
    RemoveLeftTempFolders(TempStorageFolder(settings_.TempStoragePath));
    const std::string chosen = settings_.PluginPlayer;
    settings_.PluginPlayer.clear();
    if (!chosen.empty()) BindPlugin(chosen);
}

TExtPlayer::~TExtPlayer() {
    try {
        Close();
    } catch (...) {
    }
}

void TExtPlayer::Close() {
    if (closed_) return;
    closed_ = true;
    DeleteTempFiles();
    // A folder still holding a copy given up stays; the next run removes it.
    for (const TPrivateFolder& folder : privateFolders_)
        ::rmdir(folder.Path.c_str());
    privateFolders_.clear();
    entries_ = {};
    plugin_.Unload();
}

std::string TExtPlayer::PrivateTempFolder() const {
    const std::string base = TempStorageFolder(settings_.TempStoragePath);
    for (const TPrivateFolder& folder : privateFolders_)
        if (folder.Base == base) return folder.Path;
    return {};
}

std::string TExtPlayer::MakePrivateFolder(int& error) {
    error = 0;
    if (std::string path = PrivateTempFolder(); !path.empty()) return path;
    const std::string base = TempStorageFolder(settings_.TempStoragePath);
    std::string path = MakePrivateTempFolder(base, error);
    if (!path.empty()) privateFolders_.push_back({base, path});
    return path;
}

std::string TExtPlayer::PluginProblem(bool play) const {
    if ((play ? entries_.Play : entries_.Add) != nullptr) return {};
    if (plugin_.IsLoaded())
        return Format(msg::PluginLacksEntry, settings_.PluginPlayer.c_str(),
                      play ? kPlayName : kAddName);
    if (!failedPlugin_.empty())
        return Format(msg::PluginNotLoaded, failedPlugin_.c_str(), bindError_.c_str());
    return msg::NoPluginChosen;
}

bool TExtPlayer::BindPlugin(const std::string& fileName) {
    entries_ = {};
    plugin_.Unload();
    settings_.PluginPlayer.clear();
    failedPlugin_.clear();
    bindError_.clear();
    if (fileName.empty()) return false;
    failedPlugin_ = fileName;
    const std::string path = platform::ResolveLibrary(fileName);
    if (path.empty()) {
        bindError_ = msg::PluginNotInProgramFolder;
        return false;
    }
    if (!plugin_.Load(path)) {
        bindError_ = plugin_.LastError();
        return false;
    }
    failedPlugin_.clear();
    // Players are often built over an engine with exports of its own (Play, Stop) that take
    // other arguments: a plug-in without one of the entries must not get the engine's.
    entries_.InitLibrary = plugin_.OwnFunction<TInitLibrary>(kInitLibraryName);
    entries_.GetPluginName = plugin_.OwnFunction<TGetPluginName>(kGetPluginNameName);
    entries_.Add = plugin_.OwnFunction<TPlayFile>(kAddName);
    entries_.Play = plugin_.OwnFunction<TPlayFile>(kPlayName);
    entries_.Configure = plugin_.OwnFunction<TConfigure>(kConfigureName);
    entries_.Stop = plugin_.OwnFunction<TStopPlaying>(kStopName);
    settings_.PluginPlayer = fileName;
    return true;
}

void TExtPlayer::FillDialog(TExtPlayerDialog& dialog) {
    dialog.E_TempDir = settings_.TempStoragePath;
    dialog.SetTempLimit(settings_.TempStorageLim);
    RefreshDLLList(dialog);
    dialog.CK_DelOnPlay = settings_.TempDeleteOnPlay;

    dialog.CL_Drives.clear();
    const std::vector<platform::DriveEntry> table = platform::DriveTable();
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const auto drive = std::find_if(table.begin(), table.end(),
                                        [&](const auto& entry) { return entry.Letter == letter; });
        if (drive == table.end() ||
            static_cast<int>(drive->Type) <= static_cast<int>(platform::DriveType::kNoRootDir))
            continue;
        dialog.CL_Drives.push_back({std::string{letter, ':'}, DriveTypeText(drive->Type),
                                    InDriveSet(settings_.SearchDriveSet, letter), drive->Root,
                                    drive->Label.value_or(std::string())});
    }
}

void TExtPlayer::RefreshDLLList(TExtPlayerDialog& dialog) {
    dialog.L_Plugins.clear();
    dialog.L_PluginsSelected = -1;
    for (const platform::TPluginFile& file : platform::ListPlugins()) {
        // A library of its own for each look: the bound plug-in stays as it is.
        platform::TLibrary library;
        if (!library.Load(file.Path)) continue;
        const auto getName = library.OwnFunction<TGetPluginName>(kGetPluginNameName);
        if (getName == nullptr) continue;
        TPluginText name{};
        getName(name.data(), kPluginNameCapacity);
        std::string description = TextFromFile(FromPluginText(name));
        if (file.InCurrentFolder)
            description = Format(msg::PluginInCurrentFolder, description.c_str());
        const int row = dialog.AddPlugin(
            {file.FileName, std::move(description), file.InCurrentFolder ? file.Path : ""});
        const bool bound = file.InCurrentFolder
                               ? file.Path == settings_.PluginPlayer
                               : SameIgnoringCase(file.FileName, settings_.PluginPlayer);
        if (bound) dialog.L_PluginsSelected = row;
    }
    // A plug-in picked from a folder that is no longer listed keeps its row, so OK does not
    // turn playing off.
    if (dialog.L_PluginsSelected < 0 && settings_.PluginPlayer.find('/') != std::string::npos &&
        entries_.GetPluginName != nullptr) {
        TPluginText name{};
        entries_.GetPluginName(name.data(), kPluginNameCapacity);
        dialog.L_PluginsSelected =
            dialog.AddPlugin({FileNameOf(settings_.PluginPlayer),
                              TextFromFile(FromPluginText(name)), settings_.PluginPlayer});
    }
}

void TExtPlayer::ApplyDialog(const TExtPlayerDialog& dialog) {
    BindPlugin(dialog.SelectedPlugin());
    settings_.SearchDriveSet = 0;
    for (const TDriveRow& row : dialog.CL_Drives)
        if (row.Checked && !row.Caption.empty())
            settings_.SearchDriveSet |= DriveBit(row.Caption[0]);
    settings_.TempStoragePath = dialog.E_TempDir;
    settings_.TempStorageLim = dialog.TB_TempLimit;
    settings_.TempDeleteOnPlay = dialog.CK_DelOnPlay;
    SavePlayerSettings(settings_, registryFile_);
}

bool TExtPlayer::Execute() {
    TExtPlayerDialog dialog;
    FillDialog(dialog);
    if (!shell_.ExecutePlayerConfig(dialog)) return false;
    ApplyDialog(dialog);
    return true;
}

std::optional<platform::DriveEntry> TExtPlayer::FindVolumeDrive(const std::string& volume) const {
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (!InDriveSet(settings_.SearchDriveSet, letter)) continue;
        // A searched letter that has no drive at all (unplugged since it was chosen) holds
        // no file, not even one of a record without a label.
        std::optional<platform::DriveEntry> drive = platform::FindDrive(letter);
        if (drive && drive->Label.value_or(std::string()) == volume) return drive;
    }
    return std::nullopt;
}

std::optional<platform::DriveEntry> TExtPlayer::LocateVolume(const std::string& volume) {
    for (;;) {
        if (auto drive = FindVolumeDrive(volume)) return drive;
        const TModalResult answer =
            shell_.MessageBox(Format(msg::VolumeNotFound, volume.c_str()), msg::AppTitle,
                              TMsgKind::Confirmation, ui::mbYes | ui::mbNo);
        if (answer != TModalResult::Yes) return std::nullopt;
    }
}

std::optional<std::string> TExtPlayer::FileOnDrive(const platform::DriveEntry& drive,
                                                   const std::string& volume,
                                                   const std::string& fileName) {
    std::string fullPath = FullPathOn(drive.Root, fileName);
    const std::optional<platform::FileStatus> status = platform::GetFileStatus(fullPath);
    if (status && !status->IsFolder) return fullPath;
    shell_.MessageBox(Format(msg::FileNotOnVolume, fullPath.c_str(), volume.c_str(), drive.Letter,
                             drive.Root.c_str()),
                      msg::AppTitle, TMsgKind::Warning, ui::mbOK);
    return std::nullopt;
}

void TExtPlayer::CallPlugin(TPlayFile entry, const std::string& path) {
    // A cut path would name another file, or none: the plug-in gets nothing.
    if (path.size() > kPluginTextMax) {
        shell_.MessageBox(Format(msg::PathTooLongForPlugin, path.c_str()), msg::AppTitle,
                          TMsgKind::Warning, ui::mbOK);
        return;
    }
    TPluginText text = ToPluginText(path);
    if (entry(text.data(), static_cast<int32_t>(kPluginTextMax)) != kPluginOk)
        shell_.MessageBox(msg::PlayerNotRunning, msg::AppTitle, TMsgKind::Plain, ui::mbOK);
}

void TExtPlayer::PlayNow(const std::string& volume, const std::string& fileName) {
    if (settings_.TempDeleteOnPlay) DeleteTempFiles();
    if (entries_.Play == nullptr) return;
    const std::optional<platform::DriveEntry> drive = LocateVolume(volume);
    if (!drive) return;
    if (const auto fullPath = FileOnDrive(*drive, volume, fileName))
        CallPlugin(entries_.Play, *fullPath);
}

std::optional<std::string> TExtPlayer::MakeTempCopy(const std::string& fullPath) {
    int error = 0;
    const std::string folder = MakePrivateFolder(error);
    const std::string tempPath = folder.empty() ? TempCopyPath(settings_.TempStoragePath, fullPath)
                                                : folder + "/" + FileNameOf(fullPath);
    if (!folder.empty()) {
        // A second copy of the same name replaces this run's earlier one, and only that: the
        // private folder holds nothing else.
        const auto listed = std::find(tempFiles_.begin(), tempFiles_.end(), tempPath);
        if (listed != tempFiles_.end() && DeleteTempFile(tempPath)) tempFiles_.erase(listed);
        if (CopyToNewFile(fullPath, tempPath, error)) {
            tempFiles_.push_back(tempPath);
            return tempPath;
        }
    }
    shell_.MessageBox(Format(msg::FailedToCopyTemp, fullPath.c_str(), tempPath.c_str()),
                      msg::AppTitle, TMsgKind::Plain, ui::mbOK);
    return std::nullopt;
}

void TExtPlayer::AddToPlayer(const std::string& volume, const std::string& fileName) {
    if (entries_.Add == nullptr) return;
    ui::TProgressBox box;
    box.SetProgress(0);
    box.SetJob(Format(msg::AddingFileFrom, fileName.c_str(), volume.c_str()));
    box.SetStep(1, msg::ScanningForVolume);
    box.SetStep(2, msg::CopyingToTemp);
    box.SetStep(3, msg::CallingPlayer);
    box.ResetSteps();
    TShownProgress shown(shell_, box);

    const std::optional<platform::DriveEntry> drive = LocateVolume(volume);
    if (!drive) return;
    const std::optional<std::string> found = FileOnDrive(*drive, volume, fileName);
    if (!found) return;
    const std::string& fullPath = *found;
    box.SetProgress(25);
    box.NextStep();

    std::optional<std::string> path = fullPath;
    if (drive->Type != platform::DriveType::kFixed) path = MakeTempCopy(fullPath);
    box.SetProgress(75);
    box.NextStep();

    if (path) CallPlugin(entries_.Add, *path);
    box.SetProgress(100);
}

bool TExtPlayer::StopPlaying() {
    if (entries_.Stop == nullptr) return false;
    const int32_t result = entries_.Stop();
    if (result == kPluginOk) return true;
    shell_.MessageBox(Format(msg::PlayerDidNotStop, static_cast<int>(result)), msg::AppTitle,
                      TMsgKind::Warning, ui::mbOK);
    return false;
}

void TExtPlayer::DeleteTempFiles() {
    while (!tempFiles_.empty()) {
        const std::string path = tempFiles_.front();
        while (!DeleteTempFile(path)) {
            const TModalResult answer =
                shell_.MessageBox(Format(msg::UnableToDeleteTemp, path.c_str()), msg::AppTitle,
                                  TMsgKind::Plain, ui::mbAbort | ui::mbRetry | ui::mbIgnore);
            if (answer != TModalResult::Retry) break;
        }
        tempFiles_.erase(tempFiles_.begin());
    }
}

}  // namespace tracklore::playback
