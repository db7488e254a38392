// The three views as toolkit-free models: rebuilds, record updates and selection.
#include "ui/views.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/catalogue.h"
#include "core/messages.h"
#include "platform/locale.h"
#include "ui/command_mask.h"

namespace tracklore::ui {

namespace {

constexpr int32_t kArtistClosed = -1;
constexpr int32_t kAlbumNode = -2;
constexpr int32_t kArtistOpened = -3;
constexpr int kArtistImage = 0;
constexpr int kAlbumImage = 1;
constexpr int kTitleImage = 2;
constexpr int kRowStep = 256;

// Begin-update on a view until it is ended, by hand or when an error unwinds the rebuild,
// so a failed rebuild never leaves a view frozen.
template <typename View>
class TUpdateGuard {
public:
    explicit TUpdateGuard(View& view) : view_(&view) { view_->BeginUpdate(); }
    ~TUpdateGuard() { End(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;
    void End() {
        if (view_ == nullptr) return;
        View* view = view_;
        view_ = nullptr;
        view->EndUpdate();
    }

private:
    View* view_;
};

bool HasNoAlbum(std::string_view album) {
    return album.empty() || album == "?" || album == "-";
}

// The node a title hangs under: the artist itself, or its album node made on demand.
TTreeNode* TitleParent(TTreeView& tree, TTreeNode* artist, const TrackRecord& record) {
    if (HasNoAlbum(record.Album.view())) return artist;
    const std::string album = record.Album.str();
    TTreeNode* node = tree.FindChild(artist, album);
    return node != nullptr ? node : tree.AddNode(artist, album, kAlbumImage, kAlbumNode);
}

bool SameArtist(void* name, const TrackRecord& record) {
    const std::string_view artist = record.Artist.view();
    const std::string& wanted = *static_cast<const std::string*>(name);
    // Equal bytes are equal ignoring case too; only differing texts need the collator.
    return artist == wanted || locale::CompareIgnoreCase(artist, wanted) == 0;
}

// The records an artist node stands for: every artist spelled as its text ignoring case,
// the comparison ArtistNames formed the node with.
std::unique_ptr<TTracklore> ArtistRecords(TTracklore& catalogue, const std::string& name) {
    return catalogue.SelectWhere(&SameArtist, const_cast<std::string*>(&name));
}

// Fills `list` from `set` in the set's order. With `status` each step writes the record
// that comes next into the status line; either way pending messages run at every ID whose
// four low bits are set (the end marker -1 included).
void FillList(TListView& list, TTracklore& set, TShell& shell, bool status) {
    TrackRecord record;
    std::string text;  // one buffer for every status text, not an allocation per record
    set.First(record);
    while (record.ID != kEndID) {
        list.AddRow(record);
        set.Next(record);
        if (status) {
            text.assign(msg::BuildingViews);
            text += std::to_string(record.ID);
            shell.SetStatusText(text);
        }
        if ((record.ID & 15) == 15) shell.ProcessMessages();
    }
}

// Empties the All list and fills it from the catalogue in its current order, reserving
// room for every row at once, in whole steps of the list's allocation step.
void RefillAllList(TListView& all, TTracklore& catalogue, TShell& shell) {
    all.Clear();
    all.Reserve((catalogue.Count() + kRowStep - 1) / kRowStep * kRowStep);
    FillList(all, catalogue, shell, true);
}

}  // namespace

// The mask a full or list rebuild ends with: the search group only when the All list has
// rows, and the record commands as the visible page's selection gives them (a list rebuild
// leaves the tree's and the Selected list's selection).
void TViews::SetMaskAfterRebuild() {
    host_.SetCommandMask(kMaskAfterRebuild);
    uint16_t mask = kMaskAfterRebuild;
    if (all_.RowCount() > 0) mask |= kMaskSearch;
    mask = SelectionMask(mask);
    if (mask != kMaskAfterRebuild) host_.SetCommandMask(mask);
}

TViews::TViews(TViewHost& host) : host_(host) {}

void TViews::RefreshViews(int kind, const TrackRecord* record) {
    if (kind < FullRebuild || kind > RebuildList) return;
    TShell& shell = host_.Shell();
    TBusyScope busy(shell);
    // A patch changes one record's sums: the page in front follows at once, a hidden one
    // when it is next brought to front.
    const bool patch = kind == UpdateRecord || kind == RemoveRecord || kind == InsertRecord;
    if (patch && record != nullptr && host_.ActivePage() == TPage::Volumes)
        volumes_.Rebuild(host_.Catalogue());
    switch (kind) {
        case FullRebuild: {
            host_.SetCommandMask(0);
            TTracklore& catalogue = host_.Catalogue();
            catalogue.SortBy(TrackField::ID);

            TUpdateGuard allUpdate(all_);
            RefillAllList(all_, catalogue, shell);

            TUpdateGuard selectedUpdate(selected_);
            selected_.Clear();
            if (TTracklore* set = host_.SelectedSet()) {
                set->SortBy(TrackField::ID);
                FillList(selected_, *set, shell, false);
            }

            volumes_.Rebuild(catalogue);

            TUpdateGuard treeUpdate(tree_);
            tree_.Clear();
            for (std::string& name : ArtistNames(catalogue)) {
                TTreeNode* node =
                    tree_.AddNode(nullptr, std::move(name), kArtistImage, kArtistClosed);
                node->HasChildren = true;
            }

            shell.SetStatusText(msg::SortingEntries);
            allUpdate.End();
            treeUpdate.End();
            selectedUpdate.End();
            shell.SetStatusText("");
            SetMaskAfterRebuild();
            break;
        }
        case UpdateRecord: {
            if (record == nullptr) break;
            const int allRow = all_.FindRowById(record->ID);
            if (allRow >= 0) {
                all_.UpdateRowTexts(allRow, *record);
            } else {
                all_.AddRow(*record);
            }
            const int selectedRow = selected_.FindRowById(record->ID);
            if (selectedRow >= 0) selected_.UpdateRowTexts(selectedRow, *record);
            Prune(record->ID);
            AddTreeBranch(*record);
            break;
        }
        case RemoveRecord: {
            if (record == nullptr) break;
            all_.DeleteRow(all_.FindRowById(record->ID));
            selected_.DeleteRow(selected_.FindRowById(record->ID));
            Prune(record->ID);
            break;
        }
        case InsertRecord: {
            if (record == nullptr) break;
            all_.AddRow(*record);
            AddTreeBranch(*record);
            break;
        }
        case RebuildSelected: {
            TUpdateGuard update(selected_);
            selected_.Clear();
            if (TTracklore* set = host_.SelectedSet()) FillList(selected_, *set, shell, true);
            break;
        }
        case RebuildList: {
            host_.SetCommandMask(0);
            {
                TUpdateGuard update(all_);
                RefillAllList(all_, host_.Catalogue(), shell);
            }
            volumes_.Rebuild(host_.Catalogue());
            shell.SetStatusText("");
            SetMaskAfterRebuild();
            break;
        }
    }
}

void TViews::Prune(int32_t id) {
    // Negative data words name artist and album nodes, never a record's title node.
    if (id < 0) return;
    TTreeNode* node = tree_.FindNodeById(id);
    while (node != nullptr) {
        TTreeNode* parent = node->Parent;
        tree_.DeleteNode(node);
        if (parent == nullptr || parent == &tree_.Root() || !parent->Children.empty()) break;
        // An artist not yet opened holds only titles added by hand; while the catalogue
        // still has records that opening it would list, the artist stays.
        if (parent->Data == kArtistClosed) {
            if (ArtistRecords(host_.Catalogue(), parent->Text)->Count() > 0) break;
        }
        node = parent;
    }
}

void TViews::AddTreeBranch(const TrackRecord& record) {
    std::string artistText = record.Artist.str();
    if (artistText.empty() || artistText == "!") artistText = "?";
    TTreeNode* artist = tree_.FindChild(nullptr, artistText);
    if (artist == nullptr) artist = tree_.AddNode(nullptr, artistText, kArtistImage, kArtistClosed);
    tree_.AddNode(TitleParent(tree_, artist, record), record.Title.str(), kTitleImage, record.ID);
}

void TViews::ExpandNode(TTreeNode* node) {
    if (node == nullptr || node->Data != kArtistClosed) return;
    tree_.DeleteChildren(node);
    const auto set = ArtistRecords(host_.Catalogue(), node->Text);
    TrackRecord record;
    set->First(record);
    while (record.ID != kEndID) {
        tree_.AddNode(TitleParent(tree_, node, record), record.Title.str(), kTitleImage, record.ID);
        set->Next(record);
    }
    node->Data = kArtistOpened;
    // Its children exist now; an artist without any shows no expander.
    node->HasChildren = !node->Children.empty();
}

std::vector<int32_t> TViews::SelectedIds(TViewSource source) const {
    if (source == TViewSource::None) {
        switch (host_.ActivePage()) {
            case TPage::List: source = TViewSource::AllList; break;
            case TPage::Tree: source = TViewSource::Tree; break;
            case TPage::Selected: source = TViewSource::SelectedList; break;
            case TPage::Volumes: return {};  // a volume row names no single record
        }
    }
    std::vector<int32_t> ids;
    if (source == TViewSource::Tree) {
        if (const TTreeNode* node = tree_.Selected()) ids.push_back(node->Data);
        return ids;
    }
    const TListView& list = source == TViewSource::SelectedList ? selected_ : all_;
    for (int row = 0; row < list.RowCount(); ++row) {
        if (list.Row(row).Selected) ids.push_back(list.Row(row).Data);
    }
    return ids;
}

uint16_t TViews::SelectionMask(uint16_t mask) const {
    switch (host_.ActivePage()) {
        case TPage::Tree: {
            const TTreeNode* node = tree_.Selected();
            return MaskAfterTreeSelection(mask, node != nullptr, node ? node->Data : 0);
        }
        case TPage::Selected: return MaskAfterListSelection(mask, selected_.SelectedCount());
        case TPage::Volumes: return MaskAfterListSelection(mask, 0);
        case TPage::List: break;
    }
    return MaskAfterListSelection(mask, all_.SelectedCount());
}

std::vector<std::string> TViews::ArtistNames(TTracklore& catalogue) {
    // Ordering the few distinct spellings costs far less than ordering every record, and
    // gives the same names unless two spellings are equal ignoring case: which of them
    // names the group then depends on where the record sort leaves them, so only then are
    // the records sorted.
    std::unordered_set<std::string_view> seen;
    std::vector<std::pair<std::string, std::string_view>> spellings;  // sort key, spelling
    const SharedText* last = nullptr;
    for (int slot = 0; slot < catalogue.SlotEnd(); ++slot) {
        const TrackRecord* record = catalogue.SlotRecord(slot);
        if (record == nullptr || (last != nullptr && record->Artist.SharesWith(*last))) continue;
        last = &record->Artist;
        const std::string_view artist = record->Artist.view();
        if (seen.insert(artist).second)
            spellings.emplace_back(locale::SortKeyIgnoreCase(artist), artist);
    }
    std::sort(spellings.begin(), spellings.end());
    std::vector<std::string> names;
    names.reserve(spellings.size());
    for (size_t i = 0; i < spellings.size(); ++i) {
        if (i > 0 && spellings[i].first == spellings[i - 1].first)
            return ArtistNamesBySort(catalogue);
        names.emplace_back(spellings[i].second);
    }
    return names;
}

std::vector<std::string> TViews::ArtistNamesBySort(TTracklore& catalogue) {
    TrackRecord all;
    all.ID = kEndID;
    const auto set = catalogue.SelectByTemplate(all);
    set->SortBy(TrackField::Artist);

    std::vector<std::string> names;
    TrackRecord record;
    set->First(record);
    if (record.ID == kEndID) return names;
    // Starts different from the first artist, so the first record always opens a group.
    std::string previous = record.Artist.str() + "abcdefg";
    while (record.ID != kEndID) {
        const std::string_view artist = record.Artist.view();
        // Equal bytes are equal ignoring case; most neighbours are the same spelling.
        if (artist != previous && locale::CompareIgnoreCase(artist, previous) != 0) {
            previous.assign(artist);
            names.push_back(previous);
        }
        set->Next(record);
    }
    return names;
}

}  // namespace tracklore::ui
