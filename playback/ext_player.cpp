#include "playback/ext_player.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "core/format.h"
#include "core/strings.h"
#include "core/text_encoding.h"
#include "playback/player_dialog.h"
#include "playback/temp_files.h"
#include "ui/progress_box.h"
#include "ui/shell.h"

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
    entries_ = {};
    plugin_.Unload();
}

bool TExtPlayer::BindPlugin(const std::string& fileName) {
    entries_ = {};
    plugin_.Unload();
    settings_.PluginPlayer.clear();
    if (fileName.empty() || !plugin_.Load(platform::ResolveLibrary(fileName))) return false;
    entries_.InitLibrary = plugin_.Function<TInitLibrary>(kInitLibraryName);
    entries_.GetPluginName = plugin_.Function<TGetPluginName>(kGetPluginNameName);
    entries_.Add = plugin_.Function<TPlayFile>(kAddName);
    entries_.Play = plugin_.Function<TPlayFile>(kPlayName);
    entries_.Configure = plugin_.Function<TConfigure>(kConfigureName);
    settings_.PluginPlayer = fileName;
    return true;
}

void TExtPlayer::FillDialog(TExtPlayerDialog& dialog) {
    dialog.E_TempDir = settings_.TempStoragePath;
    dialog.SetTempLimit(settings_.TempStorageLim);
    RefreshDLLList(dialog);
    dialog.CK_DelOnPlay = settings_.TempDeleteOnPlay;

    dialog.CL_Drives.clear();
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const platform::DriveType type = platform::GetDriveType(letter);
        if (static_cast<int>(type) <= static_cast<int>(platform::DriveType::kNoRootDir)) continue;
        dialog.CL_Drives.push_back({std::string{letter, ':'}, DriveTypeText(type),
                                    InDriveSet(settings_.SearchDriveSet, letter)});
    }
}

void TExtPlayer::RefreshDLLList(TExtPlayerDialog& dialog) {
    dialog.L_Plugins.clear();
    dialog.L_PluginsSelected = -1;
    for (const platform::TPluginFile& file : platform::ListPlugins()) {
        // A library of its own for each look: the bound plug-in stays as it is.
        platform::TLibrary library;
        if (!library.Load(file.Path)) continue;
        const auto getName = library.Function<TGetPluginName>(kGetPluginNameName);
        if (getName == nullptr) continue;
        TPluginText name{};
        getName(name.data(), kPluginNameCapacity);
        const int row = dialog.AddPlugin({file.FileName, TextFromFile(FromPluginText(name))});
        if (SameIgnoringCase(file.FileName, settings_.PluginPlayer)) dialog.L_PluginsSelected = row;
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

void TExtPlayer::CallPlugin(TPlayFile entry, const std::string& path) {
    TPluginText text = ToPluginText(path);
    if (entry(text.data(), static_cast<int32_t>(kPluginTextMax)) != kPluginOk)
        shell_.MessageBox(msg::PlayerNotRunning, msg::AppTitle, TMsgKind::Plain, ui::mbOK);
}

void TExtPlayer::PlayNow(const std::string& volume, const std::string& fileName) {
    if (settings_.TempDeleteOnPlay) DeleteTempFiles();
    if (entries_.Play == nullptr) return;
    const std::optional<platform::DriveEntry> drive = LocateVolume(volume);
    if (!drive) return;
    CallPlugin(entries_.Play, FullPathOn(drive->Root, fileName));
}

std::optional<std::string> TExtPlayer::MakeTempCopy(const std::string& fullPath) {
    const std::string tempPath = TempCopyPath(settings_.TempStoragePath, fullPath);
    int error = 0;
    switch (CopyFileOver(fullPath, tempPath, error)) {
        case TCopyResult::Copied:
            // A second copy of the same name overwrote the first: it is listed once.
            if (std::find(tempFiles_.begin(), tempFiles_.end(), tempPath) == tempFiles_.end())
                tempFiles_.push_back(tempPath);
            return tempPath;
        case TCopyResult::SameFile:
            // The temporary folder is the file's own: hand the file over, and never list the
            // original for deletion.
            return fullPath;
        case TCopyResult::Failed: break;
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
    const std::string fullPath = FullPathOn(drive->Root, fileName);
    box.SetProgress(25);
    box.NextStep();

    std::optional<std::string> path = fullPath;
    if (drive->Type != platform::DriveType::kFixed) path = MakeTempCopy(fullPath);
    box.SetProgress(75);
    box.NextStep();

    if (path) CallPlugin(entries_.Add, *path);
    box.SetProgress(100);
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
