// The result window's model: its rows, their texts and the column-click sorting.
#include "search/select_form.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "core/catalogue.h"
#include "core/genres.h"
#include "core/record_texts.h"
#include "platform/locale.h"

namespace tracklore {

const std::array<const char*, TSelectForm::kColumnCount> TSelectForm::kColumnCaptions = {
    "ID",      "Volume", "Artist",   "Title", "Album",   "Year",
    "Comment", "Genre",  "Filename", "Time",  "Quality",
};

namespace {
constexpr char kGroupCaption[] = "Group";
}  // namespace

const std::array<int, TSelectForm::kColumnCount> TSelectForm::kColumnWidths = {
    0, 100, 100, 100, 100, 0, 100, 0, 100, 0, 0,
};

TSelectForm::TSelectForm(TTracklore& set, const std::function<void()>& processMessages) {
    rows_.reserve(static_cast<size_t>(set.Count()));
    TrackRecord record;
    set.First(record);
    while (record.ID != kEndID) {
        rows_.push_back(TRow{RowTexts(record), record, 0, {}});
        set.Next(record);
        if ((record.ID & 15) == 15 && processMessages) processMessages();
    }
}

TSelectForm::TSelectForm(const std::vector<TrackRecord>& records, const std::vector<int>& groups)
    : hasGroups_(true) {
    rows_.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const int group = i < groups.size() ? groups[i] : 0;
        rows_.push_back(TRow{RowTexts(records[i]), records[i], group, std::to_string(group)});
    }
}

const char* TSelectForm::ColumnCaption(int column) const {
    if (column < 0 || column >= ColumnCount()) return "";
    const int text = TextColumn(column);
    return text < 0 ? kGroupCaption : kColumnCaptions[static_cast<size_t>(text)];
}

int TSelectForm::ColumnWidth(int column) const {
    if (column < 0 || column >= ColumnCount()) return 0;
    const int text = TextColumn(column);
    return text < 0 ? 0 : kColumnWidths[static_cast<size_t>(text)];
}

const std::string& TSelectForm::Cell(int row, int column) const {
    const TRow& shown = Row(row);
    const int text = TextColumn(column);
    return text < 0 ? shown.GroupText : shown.Texts[static_cast<size_t>(text)];
}

std::array<std::string, TSelectForm::kColumnCount> TSelectForm::RowTexts(
    const TrackRecord& record) {
    return {
        std::to_string(record.ID),
        record.Volume.str(),
        record.Artist.str(),
        record.Title.str(),
        record.Album.str(),
        record.Year.str(),
        record.Comment.str(),
        GenreNames[record.Genre],
        record.Filename.str(),
        record.PlayLength == 0 ? std::string() : TimeText(record.PlayLength),
        QualityText(record),
    };
}

std::vector<TrackRecord> TSelectForm::Records() const {
    std::vector<TrackRecord> records;
    records.reserve(rows_.size());
    for (const TRow& row : rows_)
        records.push_back(row.Record);
    return records;
}

std::vector<int> TSelectForm::ColumnClick(int column) {
    if (column < 0 || column >= ColumnCount()) return {};
    sortDirection_ = column == sortColumn_ ? -sortDirection_ : 1;
    sortColumn_ = column;
    return SortRows();
}

namespace {

constexpr int kTimeColumn = 9;
constexpr int kQualityColumn = 10;

// The number a column sorts by, or nothing for the text columns: the ID, the play length,
// or the bit rate and then the sample rate (0 when the Quality text is empty).
std::optional<int64_t> NumericKey(const TrackRecord& record, int column) {
    switch (column) {
        case 0: return record.ID;
        case kTimeColumn: return record.PlayLength;
        case kQualityColumn:
            if (record.BitRate == 0 || record.SampleRate == 0) return 0;
            return (static_cast<int64_t>(record.BitRate) << 16) | record.SampleRate;
        default: return std::nullopt;
    }
}

}  // namespace

std::vector<int> TSelectForm::SortRows() {
    const size_t count = rows_.size();
    // One number per row that orders as the comparison does: the column's number, or the
    // rank of the text's collation key, computed once per distinct text rather than per
    // comparison.
    std::vector<int64_t> rank(count);
    const int textColumn = TextColumn(sortColumn_);
    if (textColumn < 0) {
        for (size_t i = 0; i < count; ++i)
            rank[i] = rows_[i].Group;
    } else if (NumericKey(TrackRecord(), textColumn)) {
        for (size_t i = 0; i < count; ++i)
            rank[i] = *NumericKey(rows_[i].Record, textColumn);
    } else {
        std::unordered_map<std::string_view, size_t> textIndex;
        std::vector<std::string> keys;
        std::vector<size_t> textOf(count);
        for (size_t i = 0; i < count; ++i) {
            const std::string_view text = rows_[i].Texts[static_cast<size_t>(textColumn)];
            const auto [at, added] = textIndex.try_emplace(text, keys.size());
            if (added) keys.push_back(locale::SortKeyIgnoreCase(text));
            textOf[i] = at->second;
        }
        std::vector<size_t> byKey(keys.size());
        std::iota(byKey.begin(), byKey.end(), size_t{0});
        std::sort(byKey.begin(), byKey.end(),
                  [&](size_t a, size_t b) { return keys[a] < keys[b]; });
        std::vector<int64_t> textRank(keys.size());
        int64_t r = 0;
        for (size_t i = 0; i < byKey.size(); ++i) {
            if (i > 0 && keys[byKey[i - 1]] < keys[byKey[i]]) ++r;
            textRank[byKey[i]] = r;
        }
        for (size_t i = 0; i < count; ++i)
            rank[i] = textRank[textOf[i]];
    }

    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    const int64_t sign = sortDirection_;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return rank[static_cast<size_t>(a)] * sign < rank[static_cast<size_t>(b)] * sign;
    });
    std::vector<TRow> sorted;
    sorted.reserve(count);
    for (int index : order)
        sorted.push_back(std::move(rows_[static_cast<size_t>(index)]));
    rows_ = std::move(sorted);
    return order;
}

}  // namespace tracklore
