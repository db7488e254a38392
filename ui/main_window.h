// The main window without its widgets (TMainForm's state and command flows): the catalogue,
// the selected set, the preferences, CurrentFile, Modified, the command mask, the views, and
// every command, talking to the user only through the shell.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "core/messages.h"
#include "core/shell.h"
#include "ui/command_table.h"
#include "ui/prefs.h"
#include "ui/views.h"

namespace tracklore {
class TSelectForm;
struct TScanOptions;
}  // namespace tracklore
namespace tracklore::playback {
class TExtPlayer;
}

namespace tracklore::ui {

inline constexpr const auto& kAppTitle = msg::AppTitle;
inline constexpr const auto& kUntitled = msg::Untitled;

/// What Save As writes: the whole catalogue, or the selected set as CSV or catalogue file.
enum class TSaveAsKind { SaveAs, AllAsCSV, SelectedAsCSV, SelectedAsTracklore };

class TMainWindow : public TViewHost {
public:
    /// `registryFile`: where the preferences live (DefaultRegistryFile() in the application).
    TMainWindow(TShell& shell, std::string registryFile);
    ~TMainWindow() override;

    /// Start-up: loads the preferences (reporting a failure), applies them to the views,
    /// installs ScanProgress, opens the catalogue named by `args[0]` if any (with the
    /// splash, the format choice and the warning on failure), sets the caption, the mask
    /// 0x6E7, Modified false and both lists' sort state.
    void Create(const std::vector<std::string>& args);
    /// Shut-down: stores the window placement and LastFile, saves the preferences.
    void Destroy(int left, int top, int width, int height);

    /// Runs a command of the command table under the application's error handler: an error
    /// is shown in a message box captioned with the application title. `source` is the view
    /// a pop-up menu or double click came from.
    void Run(TCommandId command, TViewSource source = TViewSource::None);
    /// Runs `work` under the application's error handler; false when it raised.
    bool Guarded(const std::function<void()>& work);

    // File commands. Each returns false when it stopped without doing its work (cancelled).
    bool FileNew();
    bool FileOpen();
    bool FileSave();
    bool FileSaveAs(TSaveAsKind kind);
    bool FileMerge();
    /// Opens `fileName` from the recent files (asking to save first as Open does); a
    /// catalogue that cannot be opened leaves the list.
    bool OpenRecent(const std::string& fileName);

    // Scan commands.
    void AddDir();
    void AddFile();
    /// Update directory: the records of a chosen folder tree brought up to date with its
    /// files (media/update.h); missing records removed only when the user confirms.
    void UpdateDir();
    /// Files dropped from the desktop: every name ending in ".mp3" (any case) is scanned.
    void DropFiles(const std::vector<std::string>& names);
    /// The catalogue's scan notification: lets messages run, then "Scanning: " + path.
    void ScanProgress(const std::string& path);

    // List commands.
    void SortCommand();
    void RenumberCommand();
    /// A click on column `column` (0-based) of the All list or the Selected list.
    void ColumnClick(TViewSource list, int column);

    // View commands and events.
    void ShowPage(TPage page);
    /// The user turned the page control to `page`: the record commands follow the
    /// selection of the view now in front.
    void PageChanged(TPage page);
    /// The selection of a list or of the tree changed. Edit, Delete and Player always
    /// follow the selection of the visible page's view (a hidden view names no record for
    /// the commands); nothing changes while the commands are off (mask 0).
    void ListSelectionChanged(TViewSource list);
    void TreeSelectionChanged();
    void UpdateSelectionMask();
    /// A double click in a view runs Edit.
    void ViewDoubleClicked(TViewSource source);
    void Options();

    // Search commands (ui/search_commands.cpp).
    void Search();
    void AdvancedSearch();
    /// List > Find duplicates...: the groups in a result window of their own.
    void FindDuplicates();
    /// The result window's actions, on the records it shows.
    void SelectFormSave(const TSelectForm& form);
    void SelectFormPrint(const TSelectForm& form);
    void SelectFormSearchWithin(const TSelectForm& form);

    // Item commands (ui/item_commands.cpp). `source`: the view the command came from
    // (None: the view of the visible page).
    void AddItem();
    void EditItem(TViewSource source);
    void DelItem(TViewSource source);

    // Volumes page (ui/volume_commands.cpp), each on the row of `volume`. VolumeAction takes
    // its own copy of the label, since the rows it may come from are rebuilt on the way.
    void VolumeAction(TVolumeAction action, std::string volume);
    /// Puts the records of `volume` on the Selected page and brings that page to front.
    void ShowVolumeRecords(const std::string& volume);
    /// Update directory on the root of the searched drive that carries `volume` now; says
    /// so when no drive does.
    void UpdateVolume(const std::string& volume);
    /// Removes every record of `volume` after a confirmation that gives their count.
    void RemoveVolume(const std::string& volume);
    /// The drive table's drives that the player searches for volumes (none before Create).
    std::vector<platform::DriveEntry> SearchedDrives() const;

    // Statistics (ui/statistics_commands.cpp).
    void FileInfo();
    void TotalFilesize(TViewSource source);

    // Printing (ui/print_commands.cpp).
    void PrintCommand();
    /// Prints `set` through the print dialog (also used by the result window).
    void PrintSet(TTracklore& set);

    // Player commands (ui/player_commands.cpp).
    static constexpr char kTagsmithProgram[] = "tagsmith";
    void PlayerPlay(TViewSource source);
    void PlayerAdd(TViewSource source);
    /// Tools > Stop: asks the plug-in to stop and says so in the status line.
    void PlayerStop();
    void ConfigPlayer();
    /// Tools > Tagsmith: starts the tag editor, or says why it could not be started.
    void RunTagsmith();
    /// The player configuration, created by Create; nullptr before and after Destroy.
    playback::TExtPlayer* Player() { return player_.get(); }

    /// Asks a running folder scan to stop after the current file (the status line's Cancel
    /// button, Escape). Does nothing when no scan runs.
    void CancelScan();

    /// The close query: true when the window may close.
    bool CloseQuery();

    /// Catalogue files of at least this many bytes open (and merge) with the progress box.
    static constexpr int64_t kProgressFileSize = 8 << 20;
    /// Another size from which loads show the progress box (tests use small files).
    void SetProgressFileSize(int64_t bytes) { progressFileSize_ = bytes; }

    // State.
    const std::string& CurrentFile() const { return currentFile_; }
    /// Counts the times the catalogue's identifiers changed meaning (New, Open, Renumber):
    /// a result window made before names other records by the same IDs.
    uint32_t CatalogueGeneration() const { return catalogueGeneration_; }
    bool Modified() const { return modified_; }
    /// True when Create found no preferences store at all (the program's first start).
    bool FirstStart() const { return firstStart_; }
    void SetModified(bool modified) { modified_ = modified; }
    TPrefs& Prefs() { return prefs_; }
    TViews& Views() { return views_; }
    /// Replaces the selected set (nullptr: none).
    void SetSelectedSet(std::unique_ptr<TTracklore> set);
    /// Makes `set` (none: an empty one) the selected set, shows it on the Selected page and
    /// says in the status line how many records were found.
    void ShowSelection(std::unique_ptr<TTracklore> set);
    void SetStatusText(const std::string& text);
    /// Caption := application title + " - " + CurrentFile.
    void UpdateCaption();

    // TViewHost
    TTracklore& Catalogue() override { return *catalogue_; }
    TTracklore* SelectedSet() override { return selectedSet_.get(); }
    uint16_t CommandMask() const override { return mask_; }
    /// Does nothing when `mask` equals the current mask; otherwise stores and applies it.
    void SetCommandMask(uint16_t mask) override;
    TPage ActivePage() const override { return activePage_; }
    TShell& Shell() override { return shell_; }

private:
    /// Asks `question` when there are unsaved changes: false when the command must stop
    /// (Cancel, or Yes and the save did not happen).
    bool AskSaveFirst(const char* question);
    /// Open's work once the file is chosen: loads it (or reports why not) and rebuilds.
    bool OpenCatalogue(const std::string& fileName);
    /// True when `fileName` does not exist or the user agrees to overwrite it.
    bool MayOverwrite(const std::string& fileName);
    /// Takes out of the selected set the record that deleting `id` from the catalogue will
    /// release, so the set never refers to a released record.
    void DropFromSelected(const TrackRecord& id);
    /// The page in front changed: the Volumes page is rebuilt as it comes to front.
    void PageTurned();
    /// Update directory's work on a chosen folder: the update, the confirmation of removals
    /// and the report.
    void UpdateFolderTree(const std::string& folder);
    /// After a long command failed: rebuilds the views (which restores the command mask)
    /// and clears the status line, so the window stays usable when the error is shown.
    void RecoverViews();
    /// Scans `files` in order into the catalogue (Add file, dropped files); the first
    /// failure ends it. Sets Modified when a record was added, also on failure.
    void ScanChosenFiles(const std::vector<std::string>& files);
    /// Asks for the folder to scan or update with `text`, opening where the last one was
    /// chosen; false when the user cancelled.
    bool ChooseScanFolder(const char* text, std::string& folder);
    /// Runs a folder walk with the scan options of the preferences: the commands disabled,
    /// the Cancel button shown and the files counted in the status line while it runs. When
    /// `walk` raises, Modified is set if `changed()`, the views recover and the error passes
    /// on.
    void RunFolderWalk(const std::function<void(const TScanOptions&)>& walk,
                       const std::function<bool()>& changed);
    /// The list view of the All list or the Selected list.
    TListView& ListOf(TViewSource list);
    /// True when the plug-in's Play (`play`) or Add entry is bound; otherwise says why and
    /// what to do, and clears the status text.
    bool PlayerReady(bool play);
    /// Tools > Stop follows the bound plug-in.
    void UpdateStopCommand();
    /// Play (`play`) or Add: the records selected in `source` handed to the player plug-in.
    void SendToPlayer(TViewSource source, bool play);

    TShell& shell_;
    std::string registryFile_;
    TPrefs prefs_;
    std::unique_ptr<TTracklore> catalogue_;
    std::unique_ptr<TTracklore> selectedSet_;
    TViews views_;
    std::string currentFile_ = kUntitled;
    bool modified_ = false;
    bool firstStart_ = false;
    uint32_t catalogueGeneration_ = 0;
    uint16_t mask_ = 0;
    TPage activePage_ = TPage::List;
    std::string lastScanFolder_;  // where the folder chooser opens next, for this run
    std::unique_ptr<playback::TExtPlayer> player_;
    std::unique_ptr<TSearchDialog2, void (*)(TSearchDialog2*)> searchDialog2_{nullptr, nullptr};
    bool scanning_ = false;
    int64_t progressFileSize_ = kProgressFileSize;
    bool cancelScan_ = false;
    int scanFilesDone_ = 0;  // files of the running folder scan finished so far
};

}  // namespace tracklore::ui
