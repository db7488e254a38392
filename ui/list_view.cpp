// The list view model: its rows' texts, sorting by a column and its observers.
#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "core/genres.h"
#include "core/record_texts.h"
#include "platform/locale.h"
#include "ui/views.h"

namespace tracklore::ui {

const std::array<const char*, kColumnCount> kColumnCaptions = {
    "ID",      "Volume", "Artist",   "Title", "Album",   "Year",
    "Comment", "Genre",  "Filename", "Time",  "Quality", "Filesize",
};

const std::array<int, kColumnCount> kColumnWidths = {
    0, 100, 100, 100, 100, 0, 100, 0, 100, 0, 0, 0,
};

namespace {

// Texts 1 to 8 come straight from the record; an edit replaces exactly these.
void SetRecordTexts(std::array<std::string, kColumnCount>& texts, const TrackRecord& record) {
    texts[1] = record.Volume.str();
    texts[2] = record.Artist.str();
    texts[3] = record.Title.str();
    texts[4] = record.Album.str();
    texts[5] = record.Year.str();
    texts[6] = record.Comment.str();
    texts[7] = GenreNames[record.Genre];
    texts[8] = record.Filename.str();
}

int Sign(int64_t value) {
    return (value > 0) - (value < 0);
}

constexpr int kTimeColumn = 10;  // 1-based, as in a sort code
constexpr int kQualityColumn = 11;
constexpr int kFilesizeColumn = 12;

bool IsNumericColumn(int column) {
    return column <= 1 || (column >= kTimeColumn && column <= kFilesizeColumn);
}

// The number a column sorts by: the ID, the play length, the bit rate and then the sample
// rate (0 when the Quality text is empty, so empty cells come first), or the file size.
int64_t NumericKey(const TListRow& row, int column) {
    switch (column) {
        case kTimeColumn: return row.PlayLength;
        case kQualityColumn:
            if (row.BitRate == 0 || row.SampleRate == 0) return 0;
            return (static_cast<int64_t>(row.BitRate) << 16) | row.SampleRate;
        case kFilesizeColumn: return row.FileSize;
        default: return row.Data;
    }
}

}  // namespace

std::array<std::string, kColumnCount> RowTexts(const TrackRecord& record) {
    std::array<std::string, kColumnCount> texts;
    texts[0] = std::to_string(record.ID);
    SetRecordTexts(texts, record);
    texts[9] = TimeText(record.PlayLength);
    texts[10] = QualityText(record);
    texts[11] = FilesizeText(record.FileSize);
    return texts;
}

TListView::TListView(bool keepIdOrder) : keepIdOrder_(keepIdOrder) {}

void TListView::Notify(void (TListObserver::*event)()) {
    if (observer_ != nullptr) (observer_->*event)();
}

void TListView::BeginUpdate() {
    if (updateDepth_++ == 0) Notify(&TListObserver::BeginReset);
}

void TListView::EndUpdate() {
    if (updateDepth_ == 0) return;
    if (--updateDepth_ > 0) return;
    // Rows added during a rebuild were appended; the ID-ordered list takes its order here,
    // keeping the set's order among rows that share an ID.
    if (keepIdOrder_) {
        std::stable_sort(rows_.begin(), rows_.end(),
                         [](const TListRow& a, const TListRow& b) { return a.Data < b.Data; });
    }
    Notify(&TListObserver::EndReset);
}

void TListView::Clear() {
    if (updateDepth_ == 0) Notify(&TListObserver::BeginReset);
    rows_.clear();
    if (updateDepth_ == 0) Notify(&TListObserver::EndReset);
}

void TListView::Reserve(int rows) {
    if (rows > 0) rows_.reserve(rows_.size() + static_cast<size_t>(rows));
}

int TListView::AddRow(const TrackRecord& record) {
    TListRow row;
    row.Data = record.ID;
    row.Texts = RowTexts(record);
    row.PlayLength = record.PlayLength;
    row.BitRate = record.BitRate;
    row.SampleRate = record.SampleRate;
    row.FileSize = record.FileSize;
    int at = RowCount();
    if (keepIdOrder_ && updateDepth_ == 0) {
        // Before the first row with a greater ID: the place LV_DatabaseCompare gives it.
        const auto next = std::find_if(rows_.begin(), rows_.end(),
                                       [&](const TListRow& r) { return r.Data > record.ID; });
        at = static_cast<int>(next - rows_.begin());
    }
    if (updateDepth_ == 0 && observer_ != nullptr) observer_->BeginInsertRow(at);
    rows_.insert(rows_.begin() + at, std::move(row));
    if (updateDepth_ == 0) Notify(&TListObserver::EndInsertRow);
    return at;
}

int TListView::FindRowById(int32_t id) const {
    for (int row = 0; row < RowCount(); ++row) {
        if (rows_[row].Data == id) return row;
    }
    return -1;
}

void TListView::UpdateRowTexts(int row, const TrackRecord& record) {
    if (row < 0 || row >= RowCount()) return;
    SetRecordTexts(rows_[row].Texts, record);
    if (updateDepth_ == 0 && observer_ != nullptr) observer_->RowChanged(row);
}

void TListView::DeleteRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    if (updateDepth_ == 0 && observer_ != nullptr) observer_->BeginRemoveRow(row);
    rows_.erase(rows_.begin() + row);
    if (updateDepth_ == 0) Notify(&TListObserver::EndRemoveRow);
}

int TListView::CompareRows(const TListRow& a, const TListRow& b, int code) {
    if (code == 0) return 0;
    const int sign = code < 0 ? -1 : 1;
    const int column = code < 0 ? -code : code;
    if (column > kColumnCount) return 0;
    if (IsNumericColumn(column)) return Sign(NumericKey(a, column) - NumericKey(b, column)) * sign;
    return locale::CompareIgnoreCase(a.Texts[column - 1], b.Texts[column - 1]) * sign;
}

void TListView::SortRows(int code) {
    const int column = code < 0 ? -code : code;
    const int count = RowCount();
    if (code == 0 || column > kColumnCount || count < 2) return;

    // One integer per row that orders as CompareRows does: the column's number, or the rank
    // of the text's collation key (computed once per distinct text rather than once per
    // comparison).
    std::vector<int64_t> rank(count);
    if (IsNumericColumn(column)) {
        for (int i = 0; i < count; ++i)
            rank[i] = NumericKey(rows_[i], column);
    } else {
        std::unordered_map<std::string_view, int> textIndex;
        std::vector<std::string> keys;
        std::vector<int> textOf(count);
        for (int i = 0; i < count; ++i) {
            const std::string_view text = rows_[i].Texts[column - 1];
            const auto [at, added] = textIndex.try_emplace(text, static_cast<int>(keys.size()));
            if (added) keys.push_back(locale::SortKeyIgnoreCase(text));
            textOf[i] = at->second;
        }
        std::vector<int> byKey(keys.size());
        std::iota(byKey.begin(), byKey.end(), 0);
        std::sort(byKey.begin(), byKey.end(), [&](int a, int b) { return keys[a] < keys[b]; });
        std::vector<int64_t> textRank(keys.size());
        for (size_t i = 0, r = 0; i < byKey.size(); ++i) {
            if (i > 0 && keys[byKey[i - 1]] < keys[byKey[i]]) ++r;
            textRank[byKey[i]] = static_cast<int64_t>(r);
        }
        for (int i = 0; i < count; ++i)
            rank[i] = textRank[textOf[i]];
    }

    // Equal rows keep their current order in both directions.
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    if (code > 0) {
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return rank[a] < rank[b]; });
    } else {
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return rank[b] < rank[a]; });
    }

    std::vector<int> newRowOfOld(count);
    std::vector<TListRow> sorted;
    sorted.reserve(count);
    for (int i = 0; i < count; ++i) {
        newRowOfOld[order[i]] = i;
        sorted.push_back(std::move(rows_[order[i]]));
    }
    if (updateDepth_ == 0) Notify(&TListObserver::BeginReorder);
    rows_ = std::move(sorted);
    if (updateDepth_ == 0 && observer_ != nullptr) observer_->EndReorder(newRowOfOld);
}

void TListView::SetSelected(int row, bool selected) {
    if (row >= 0 && row < RowCount()) rows_[row].Selected = selected;
}

void TListView::ClearSelection() {
    for (TListRow& row : rows_)
        row.Selected = false;
}

int TListView::SelectedCount() const {
    return static_cast<int>(
        std::count_if(rows_.begin(), rows_.end(), [](const TListRow& r) { return r.Selected; }));
}

}  // namespace tracklore::ui
