// The result window of an advanced search (TSelectForm) as a model: the rows it shows,
// built once from a set, and their sorting by column.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/track_record.h"

namespace tracklore {

class TTracklore;

class TSelectForm {
public:
    static constexpr int kColumnCount = 11;
    /// "ID", "Volume", "Artist", "Title", "Album", "Year", "Comment", "Genre", "Filename",
    /// "Time", "Quality".
    static const std::array<const char*, kColumnCount> kColumnCaptions;
    /// Initial widths in pixels; 0 means the list control's default.
    static const std::array<int, kColumnCount> kColumnWidths;

    /// One row: the eleven column texts (the first is the decimal ID) and the record shown.
    struct TRow {
        std::array<std::string, kColumnCount> Texts;
        TrackRecord Record;
        int32_t ID() const { return Record.ID; }
    };

    /// Fills the rows from `set` with First/Next. `processMessages` (if any) is called
    /// whenever the next record fetched has an ID whose four low bits are set, the end
    /// marker -1 included. The set is not used afterwards.
    explicit TSelectForm(TTracklore& set, const std::function<void()>& processMessages = {});

    /// The texts of a record's row. Time is "m:ss" or empty for 0 seconds; Quality is
    /// "128kbit/s at 44100" or empty when either rate is 0.
    static std::array<std::string, kColumnCount> RowTexts(const TrackRecord& record);

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const TRow& Row(int row) const { return rows_[static_cast<size_t>(row)]; }
    /// The records shown, in row order: what Save, Print and "Search within" work on.
    std::vector<TrackRecord> Records() const;

    /// A click on the header of `column` (0-based): the column sorted last reverses its
    /// direction, another column sorts ascending. ID, Time (play length) and Quality (bit
    /// rate, then sample rate) compare as numbers, the other columns by the locale ignoring
    /// case; equal rows keep their order. Columns outside the table
    /// do nothing. Returns, for each row after the sort, the row it held before (empty when
    /// nothing was sorted), so a view can carry its selection along.
    std::vector<int> ColumnClick(int column);
    /// The column sorted last (-1 before any click) and its direction (+1 or -1).
    int SortColumn() const { return sortColumn_; }
    int SortDirection() const { return sortDirection_; }

    /// The main window's catalogue generation when the rows were made: "Search within"
    /// refuses once the catalogue's IDs name other records.
    uint32_t Generation = 0;

private:
    std::vector<int> SortRows();

    std::vector<TRow> rows_;
    int sortColumn_ = -1;
    int sortDirection_ = 1;
};

}  // namespace tracklore
