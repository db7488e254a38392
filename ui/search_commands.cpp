// The field search, the advanced search and the actions of its result windows.
#include <algorithm>
#include <exception>
#include <filesystem>
#include <unordered_set>
#include <vector>

#include "core/file_choice.h"
#include "core/format.h"
#include "core/messages.h"
#include "search/duplicates.h"
#include "search/duplicates_dialog.h"
#include "search/evaluate.h"
#include "search/search_dialogs.h"
#include "search/select_form.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"

namespace tracklore::ui {

namespace {

using TRecordSet = std::unordered_set<const TrackRecord*>;

bool IsMember(void* members, const TrackRecord& record) {
    return static_cast<const TRecordSet*>(members)->count(&record) != 0;
}

bool HasListedId(void* ids, const TrackRecord& record) {
    return static_cast<const std::unordered_set<int32_t>*>(ids)->count(record.ID) != 0;
}

// A selection made on a result set refers to that set as its parent, and the set it came
// from is freed when the selection replaces it. The same records are selected again over
// the catalogue itself, so the new selected set never points at a freed parent.
std::unique_ptr<TTracklore> OverCatalogue(TTracklore& catalogue,
                                          std::unique_ptr<TTracklore> subset) {
    if (subset->Parent() == &catalogue) return subset;
    TRecordSet members;
    members.reserve(static_cast<size_t>(subset->Count()));
    for (int slot = 0; slot < subset->SlotEnd(); ++slot)
        if (const TrackRecord* record = subset->SlotRecord(slot)) members.insert(record);
    return catalogue.SelectWhere(IsMember, &members);
}

// Checked on the Selected page, enabled only while there is a selected set to search in.
template <class Dialog>
void PresetUseSelected(Dialog& dialog, TMainWindow& window) {
    dialog.CKB_UseSelectedEnabled = window.SelectedSet() != nullptr;
    dialog.CKB_UseSelected =
        dialog.CKB_UseSelectedEnabled && window.ActivePage() == TPage::Selected;
}

// Replaces the selected set by `select`'s result and shows it. An error while selecting
// leaves the previous set and the views as they were.
void ReplaceSelection(TMainWindow& window,
                      const std::function<std::unique_ptr<TTracklore>()>& select) {
    window.SetStatusText(msg::SelectingItems);
    std::unique_ptr<TTracklore> result;
    try {
        TBusyScope busy(window.Shell());
        result = OverCatalogue(window.Catalogue(), select());
    } catch (...) {
        window.SetStatusText("");
        throw;
    }
    window.ShowSelection(std::move(result));
}

TSearchDialog2& AdvancedDialog(std::unique_ptr<TSearchDialog2, void (*)(TSearchDialog2*)>& holder) {
    if (!holder) {
        holder = std::unique_ptr<TSearchDialog2, void (*)(TSearchDialog2*)>(
            new TSearchDialog2, [](TSearchDialog2* dialog) { delete dialog; });
    }
    return *holder;
}

// The advanced search over `within`, or (when null) over the selected set or the whole
// catalogue as the dialog's check box says; then one more result window.
void RunAdvancedSearch(TMainWindow& window, TSearchDialog2& dialog, TTracklore* within) {
    TShell& shell = window.Shell();
    dialog.LoadSaved();  // the command line or another window may have saved some since
    if (!shell.ExecuteAdvancedSearch(dialog)) return;
    // The dialog closes with OK only over a parsed tree; parse here should a caller not.
    if (!dialog.Tree) dialog.DoParsing();

    TTracklore* searched = within;
    if (searched == nullptr)
        searched = dialog.CKB_UseSelected && window.SelectedSet() ? window.SelectedSet()
                                                                  : &window.Catalogue();
    const TExpr* tree = dialog.Tree.get();
    ReplaceSelection(window, [&] { return SelectMatching(*searched, *tree); });

    std::unique_ptr<TSelectForm> form;
    {
        TBusyScope busy(shell);
        form = std::make_unique<TSelectForm>(*window.SelectedSet(),
                                             [&shell] { shell.ProcessMessages(); });
    }
    form->Generation = window.CatalogueGeneration();
    shell.ShowSelectForm(std::move(form));
}

// An owning catalogue holding copies of the records a result window shows, in its order.
std::unique_ptr<TTracklore> CopyOfShown(const TSelectForm& form) {
    const std::vector<TrackRecord> shown = form.Records();
    auto records = std::make_unique<TTracklore>(
        nullptr, std::max(TTracklore::kSlotCount, static_cast<int>(shown.size())));
    for (const TrackRecord& record : shown)
        records->InsertAsStored(record);
    return records;
}

}  // namespace

void TMainWindow::Search() {
    TSearchDialog dialog;
    PresetUseSelected(dialog, *this);
    TrackRecord pattern;
    pattern.Genre = kGenreNone;
    if (!dialog.Execute(shell_, pattern)) return;

    TTracklore* searched =
        dialog.CKB_UseSelected && selectedSet_ ? selectedSet_.get() : catalogue_.get();
    ReplaceSelection(*this, [&] { return searched->SelectByTemplate(pattern); });
}

void TMainWindow::AdvancedSearch() {
    TSearchDialog2& dialog = AdvancedDialog(searchDialog2_);
    dialog.RegistryFile = registryFile_;
    PresetUseSelected(dialog, *this);
    RunAdvancedSearch(*this, dialog, nullptr);
}

void TMainWindow::FindDuplicates() {
    TDuplicatesDialog dialog;
    if (!shell_.ExecuteDuplicatesDialog(dialog) || !dialog.CanSearch()) return;

    std::vector<TrackRecord> records;
    std::vector<int> groups;
    {
        TBusyScope busy(shell_);
        SetStatusText(msg::FindingDuplicates);
        int number = 0;
        for (TDuplicateGroup& group : tracklore::FindDuplicates(*catalogue_, dialog.Rules())) {
            ++number;
            for (TrackRecord& record : group.Records) {
                records.push_back(std::move(record));
                groups.push_back(number);
            }
        }
        SetStatusText("");
    }
    if (records.empty()) {
        shell_.MessageBox(msg::NoDuplicatesFound, kAppTitle, TMsgKind::Information, mbOK);
        return;
    }
    auto form = std::make_unique<TSelectForm>(records, groups);
    form->Generation = catalogueGeneration_;
    shell_.ShowSelectForm(std::move(form));
}

void TMainWindow::SelectFormSave(const TSelectForm& form) {
    TFileDialogOptions options = SaveDialogOptions(prefs_.LastDir, 1);
    std::string fileName;
    if (!shell_.SaveFileDialog(options, fileName)) return;
    if (!MayOverwrite(fileName)) return;

    SetStatusText(Format(msg::SavingDatabase, fileName.c_str()));
    try {
        SaveByFormat(*CopyOfShown(form), fileName);
    } catch (...) {
        SetStatusText("");
        throw;
    }
    SetStatusText("");
}

void TMainWindow::SelectFormPrint(const TSelectForm& form) {
    std::unique_ptr<TTracklore> records = CopyOfShown(form);
    records->SetPrintTitle(std::filesystem::path(currentFile_).filename().string() +
                           msg::PrintSelectedSuffix);
    PrintSet(*records);
}

void TMainWindow::SelectFormSearchWithin(const TSelectForm& form) {
    // After New, Open or Renumber the window's IDs name other records (or none).
    if (form.Generation != catalogueGeneration_) {
        shell_.MessageBox(msg::ResultWindowOutdated, kAppTitle, TMsgKind::Information, mbOK);
        return;
    }
    // The window's rows name records of the catalogue; the search sees them as they are now,
    // and records deleted since are gone from it.
    std::unordered_set<int32_t> ids;
    ids.reserve(static_cast<size_t>(form.RowCount()));
    for (int row = 0; row < form.RowCount(); ++row)
        ids.insert(form.Row(row).ID());
    std::unique_ptr<TTracklore> shown = catalogue_->SelectWhere(HasListedId, &ids);

    TSearchDialog2& dialog = AdvancedDialog(searchDialog2_);
    dialog.RegistryFile = registryFile_;
    dialog.CKB_UseSelected = true;
    dialog.CKB_UseSelectedEnabled = false;
    RunAdvancedSearch(*this, dialog, shown.get());
}

}  // namespace tracklore::ui
