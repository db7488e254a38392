// The player configuration and play pipeline (TExtPlayer): the bound plug-in, the drives
// searched for volumes, temporary copies, and PlayNow / AddToPlayer.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "platform/library.h"
#include "playback/player_settings.h"
#include "plugin/plugin_contract.h"

namespace tracklore::ui {
class TShell;
}

namespace tracklore::playback {

struct TExtPlayerDialog;

/// A length-prefixed text as the plug-ins take it: byte 0 the length n, bytes 1..n the
/// characters; 256 bytes, the rest zero.
using TPluginText = std::array<uint8_t, 256>;

/// `text` as a plug-in text, cut to 255 bytes, never inside a UTF-8 character.
TPluginText ToPluginText(const std::string& text);
/// The characters of a plug-in text (the length byte trusted only up to 255).
std::string FromPluginText(const TPluginText& text);

/// The entry points of a bound plug-in; each nullptr when the library lacks that export.
struct TPluginEntries {
    TInitLibrary InitLibrary = nullptr;
    TGetPluginName GetPluginName = nullptr;
    TPlayFile Add = nullptr;
    TPlayFile Play = nullptr;
    TConfigure Configure = nullptr;
    /// Optional: bound only from the plug-in itself.
    TStopPlaying Stop = nullptr;
};

class TExtPlayer {
public:
    /// Loads the player settings from `registryFile` and binds the chosen plug-in.
    TExtPlayer(ui::TShell& shell, std::string registryFile);
    /// Calls Close; errors are swallowed.
    ~TExtPlayer();
    TExtPlayer(const TExtPlayer&) = delete;
    TExtPlayer& operator=(const TExtPlayer&) = delete;

    /// Exit: deletes the temporary copies (asking about those in use), unloads the plug-in.
    /// A second call does nothing more.
    void Close();

    /// The settings in use. Changing them here takes effect at once but stores nothing;
    /// the plug-in changes only through BindPlugin.
    const TPlayerSettings& Settings() const { return settings_; }
    TPlayerSettings& Settings() { return settings_; }
    const std::string& PluginPlayer() const { return settings_.PluginPlayer; }
    bool PluginLoaded() const { return plugin_.IsLoaded(); }
    const TPluginEntries& Entries() const { return entries_; }
    /// Full paths of the temporary copies made in this run, oldest first.
    const std::vector<std::string>& TempFiles() const { return tempFiles_; }
    /// The private folder this run made for its copies in the current temporary storage
    /// folder; "" before the first copy there.
    std::string PrivateTempFolder() const;

    /// Why a file cannot be handed to the plug-in's Play (`play`) or Add entry: no plug-in
    /// chosen, the chosen one not loaded, or that entry missing; "" when it is bound.
    std::string PluginProblem(bool play) const;

    /// True when the bound plug-in can stop what plays (it exports Stop).
    bool CanStop() const { return entries_.Stop != nullptr; }
    /// Asks the plug-in to stop playing: true when it did, false when it reported a failure
    /// (said to the user) or cannot stop at all.
    bool StopPlaying();

    /// Unloads the current plug-in, loads `fileName` (a bare name from the program plug-in
    /// folders only, a path as it is) and binds its entry points; PluginPlayer := fileName.
    /// When it does not load (or `fileName` is empty), no entry points and PluginPlayer :=
    /// "". True when bound.
    bool BindPlugin(const std::string& fileName);

    /// Presets the dialog from the state: E_TempDir, the slider, the plug-in list,
    /// CK_DelOnPlay, and a CL_Drives row for every drive a to z that exists.
    void FillDialog(TExtPlayerDialog& dialog);
    /// Rebuilds L_Plugins: one row for every plug-in file that loads and exports
    /// GetPluginName (those of the current folder marked, and picked by their path), the
    /// bound one selected; a plug-in bound by a path that is not listed gets a row too.
    void RefreshDLLList(TExtPlayerDialog& dialog);
    /// OK in the dialog: rebinds the selected plug-in, takes the checked drives and the
    /// fields, and writes the settings to the registry (failures ignored).
    void ApplyDialog(const TExtPlayerDialog& dialog);
    /// Con&fig Player...: fills the dialog, shows it, applies it on OK. True on OK.
    bool Execute();

    /// The first searched drive, a to z, whose volume label equals `volume` exactly.
    std::optional<platform::DriveEntry> FindVolumeDrive(const std::string& volume) const;

    /// Plays the file at once from where it lies (after deleting the temporary copies when
    /// TempDeleteOnPlay is set). Asks to retry while the volume is not found.
    void PlayNow(const std::string& volume, const std::string& fileName);
    /// Adds the file to the player, through a temporary copy unless it lies on a fixed disk,
    /// with the progress box shown meanwhile.
    void AddToPlayer(const std::string& volume, const std::string& fileName);
    /// Deletes every temporary copy, asking Abort/Retry/Ignore for one that cannot be
    /// deleted; the list ends empty.
    void DeleteTempFiles();

private:
    /// Finds the volume, asking to retry: nothing when the user gave up.
    std::optional<platform::DriveEntry> LocateVolume(const std::string& volume);
    /// The file's full path on `drive`; nothing after telling the user it is not there.
    std::optional<std::string> FileOnDrive(const platform::DriveEntry& drive,
                                           const std::string& volume, const std::string& fileName);
    /// Calls `entry` with `path`; reports a path too long for the plug-in (not handed over)
    /// and a non-zero result.
    void CallPlugin(TPlayFile entry, const std::string& path);
    /// This run's private folder in the temporary storage folder, made on first use;
    /// "" with `error` set when it cannot be made.
    std::string MakePrivateFolder(int& error);
    /// The copy an Add hands over, made in the temporary folder; nothing after a reported
    /// failure.
    std::optional<std::string> MakeTempCopy(const std::string& fullPath);

    ui::TShell& shell_;
    std::string registryFile_;
    TPlayerSettings settings_;
    platform::TLibrary plugin_;
    TPluginEntries entries_;
    std::vector<std::string> tempFiles_;
    /// The private folders made in this run, one for each temporary storage folder used.
    struct TPrivateFolder {
        std::string Base;
        std::string Path;
    };
    std::vector<TPrivateFolder> privateFolders_;
    /// The plug-in that was chosen but could not be bound, and the loader's reason.
    std::string failedPlugin_;
    std::string bindError_;
    bool closed_ = false;
};

}  // namespace tracklore::playback
