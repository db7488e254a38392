// The three catalogue views as toolkit-free models: the All list (LV_Database), the
// artist/album/title tree (TV_ArtistAlbum, artist branches filled when first opened) and the
// Selected list (LV_Selected). RefreshViews rebuilds or patches them; SelectedIds turns the
// user's selection into record IDs. The Qt front end shows them through item models that
// observe these classes (ui/views_qt.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/shell.h"
#include "core/track_record.h"
#include "ui/volumes.h"

namespace tracklore {
class TTracklore;
}

namespace tracklore::ui {

/// RefreshViews kinds; any other value does nothing.
enum TRefreshKind : int {
    FullRebuild = 1,
    UpdateRecord = 2,
    RemoveRecord = 3,
    InsertRecord = 4,
    RebuildSelected = 5,
    RebuildList = 6,
};

inline constexpr int kColumnCount = 12;

/// Column captions of both lists: "ID", "Volume", "Artist", ... "Filesize".
extern const std::array<const char*, kColumnCount> kColumnCaptions;
/// Initial column widths in pixels; 0 means the list control's default.
extern const std::array<int, kColumnCount> kColumnWidths;

/// The twelve texts of a record's row: the decimal ID, then Volume, Artist, Title, Album,
/// Year, Comment, genre name, Filename, Time, Quality, Filesize.
std::array<std::string, kColumnCount> RowTexts(const TrackRecord& record);

/// One list row. Texts[0] is the caption (the ID); Data is the record's ID. The numbers
/// behind the Time, Quality and Filesize texts are kept beside them: those columns sort by
/// them.
struct TListRow {
    int32_t Data = 0;
    std::array<std::string, kColumnCount> Texts;
    bool Selected = false;
    uint16_t PlayLength = 0;
    uint16_t BitRate = 0;
    uint16_t SampleRate = 0;
    uint32_t FileSize = 0;
};

/// Told of every change of a list, so an item model can follow. Between BeginReset and
/// EndReset (a list filled between begin-update and end-update) nothing else is reported.
class TListObserver {
public:
    virtual ~TListObserver() = default;
    virtual void BeginReset() = 0;
    virtual void EndReset() = 0;
    virtual void BeginInsertRow(int row) = 0;
    virtual void EndInsertRow() = 0;
    virtual void BeginRemoveRow(int row) = 0;
    virtual void EndRemoveRow() = 0;
    virtual void RowChanged(int row) = 0;
    /// The rows are about to move (a column-click sort).
    virtual void BeginReorder() = 0;
    /// The rows moved: `newRowOfOld[i]` is where the row that stood at i stands now.
    virtual void EndReorder(const std::vector<int>& newRowOfOld) = 0;
};

/// A report-style list of rows, each carrying its record's ID.
class TListView {
public:
    /// `keepIdOrder`: rows added outside a rebuild go to their place in ascending ID order
    /// (the Selected list); otherwise they are appended (the All list).
    explicit TListView(bool keepIdOrder);

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const TListRow& Row(int row) const { return rows_[row]; }
    void SetObserver(TListObserver* observer) { observer_ = observer; }

    /// Begin-update/end-update: changes in between are reported as one reset. They nest.
    void BeginUpdate();
    void EndUpdate();
    void Clear();
    /// Reserves room for `rows` more rows (the All list reserves in steps of 256).
    void Reserve(int rows);
    /// AddListRow: a row with the record's texts and its ID as data. Returns its index.
    int AddRow(const TrackRecord& record);
    /// The first row whose data equals `id`, or -1 (linear scan from the first row).
    int FindRowById(int32_t id) const;
    /// Replaces texts 1 to 8 (Volume ... Filename) of `row`; Time, Quality and Filesize stay.
    void UpdateRowTexts(int row, const TrackRecord& record);
    void DeleteRow(int row);

    /// Sorts the rows with CompareRows and `code` (column number times direction).
    void SortRows(int code);
    /// CompareRows: 0 for code 0; by ID for |code| <= 1; Time by play length, Quality by
    /// bit rate then sample rate (an empty Quality first), Filesize by size; otherwise the
    /// texts of column |code| - 1 compared by the locale ignoring case; times the sign of
    /// code.
    static int CompareRows(const TListRow& a, const TListRow& b, int code);

    /// Selection, set by the front end (or tests) and read by SelectedIds.
    void SetSelected(int row, bool selected);
    void ClearSelection();
    int SelectedCount() const;

    /// Column-click sort state: the 1-based column clicked last (0 at start) and +1 or -1.
    int SortColumn = 0;
    int SortDirection = 1;

private:
    void Notify(void (TListObserver::*event)());
    std::vector<TListRow> rows_;
    TListObserver* observer_ = nullptr;
    int updateDepth_ = 0;
    bool keepIdOrder_;
};

/// One tree node. Data: -1 artist not yet opened, -3 artist opened, -2 album, else the
/// record ID of a title node.
struct TTreeNode {
    std::string Text;
    int ImageIndex = 0;
    int SelectedIndex = 0;
    int32_t Data = 0;
    bool HasChildren = false;  // shows an expander before the children exist
    TTreeNode* Parent = nullptr;
    std::vector<std::unique_ptr<TTreeNode>> Children;

    /// The node's position among its parent's children.
    int Index() const;
};

/// Told of every change of the tree. `parent` is nullptr for the top level.
class TTreeObserver {
public:
    virtual ~TTreeObserver() = default;
    virtual void BeginReset() = 0;
    virtual void EndReset() = 0;
    virtual void BeginInsertNode(const TTreeNode* parent, int index) = 0;
    virtual void EndInsertNode() = 0;
    virtual void BeginRemoveNode(const TTreeNode* parent, int index) = 0;
    virtual void EndRemoveNode() = 0;
};

/// The artist/album/title tree. The top-level nodes are the children of an invisible root.
class TTreeView {
public:
    TTreeView();
    const TTreeNode& Root() const { return root_; }
    TTreeNode& Root() { return root_; }
    void SetObserver(TTreeObserver* observer) { observer_ = observer; }

    void BeginUpdate();
    void EndUpdate();
    void Clear();
    /// Adds a node as the last child of `parent` (nullptr: top level).
    TTreeNode* AddNode(TTreeNode* parent, std::string text, int image, int32_t data);
    /// The first child of `parent` (nullptr: top level) whose text equals `text` ignoring
    /// case, or nullptr.
    TTreeNode* FindChild(TTreeNode* parent, const std::string& text);
    /// Deletes the node with its descendants (clearing the selection if it was in them).
    void DeleteNode(TTreeNode* node);
    void DeleteChildren(TTreeNode* node);
    /// The first node in depth-first order whose data equals `id`, or nullptr.
    TTreeNode* FindNodeById(int32_t id);

    /// Selection, set by the front end (or tests): one node or none.
    TTreeNode* Selected() const { return selected_; }
    void SetSelected(TTreeNode* node) { selected_ = node; }

private:
    TTreeNode root_;
    TTreeObserver* observer_ = nullptr;
    TTreeNode* selected_ = nullptr;
    int updateDepth_ = 0;
};

/// Which view a command came from; None for menus and tool buttons (the active page's view
/// is used then).
enum class TViewSource { None, AllList, Tree, SelectedList };

/// What the views need of the main window.
class TViewHost {
public:
    virtual ~TViewHost() = default;
    virtual TTracklore& Catalogue() = 0;
    /// The set shown on the Selected page, or nullptr.
    virtual TTracklore* SelectedSet() = 0;
    virtual uint16_t CommandMask() const = 0;
    virtual void SetCommandMask(uint16_t mask) = 0;
    virtual TPage ActivePage() const = 0;
    virtual TShell& Shell() = 0;
};

/// The views (the two lists, the tree, the volumes) and the operations every command uses
/// on them.
class TViews {
public:
    explicit TViews(TViewHost& host);

    TListView& AllList() { return all_; }
    TListView& SelectedList() { return selected_; }
    TTreeView& Tree() { return tree_; }
    TVolumesView& Volumes() { return volumes_; }

    /// Rebuilds or patches the views; `record` is used by UpdateRecord, RemoveRecord and
    /// InsertRecord. The volumes are rebuilt with the All list, and after a patch while
    /// their page is in front. Shows the hour-glass while it runs, also when it fails.
    void RefreshViews(int kind, const TrackRecord* record = nullptr);
    /// Fills a not yet opened artist node (data -1) from the catalogue before it opens.
    void ExpandNode(TTreeNode* node);
    /// The IDs of the selected rows (in list order) or of the selected tree node.
    std::vector<int32_t> SelectedIds(TViewSource source) const;
    /// `mask` with Edit, Delete and Player set by the selection of the visible page's view:
    /// the rows selected in a list, a title node in the tree (artist and album nodes select
    /// no record).
    uint16_t SelectionMask(uint16_t mask) const;

    /// The distinct artists of `catalogue` ignoring case, in sorted order, each spelled as
    /// the first record of its group.
    static std::vector<std::string> ArtistNames(TTracklore& catalogue);
    // The same by sorting every record: the rule where spellings differ only in case.
    static std::vector<std::string> ArtistNamesBySort(TTracklore& catalogue);

private:
    void SetMaskAfterRebuild();
    void AddTreeBranch(const TrackRecord& record);
    void Prune(int32_t id);
    TViewHost& host_;
    TListView all_{false};
    TListView selected_{true};
    TTreeView tree_;
    TVolumesView volumes_;
};

}  // namespace tracklore::ui
