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

    /// One row: the eleven column texts (the first is the decimal ID) and the record shown;
    /// in a window of groups also the group's number and its text.
    struct TRow {
        std::array<std::string, kColumnCount> Texts;
        TrackRecord Record;
        int Group = 0;
        std::string GroupText;
        int32_t ID() const { return Record.ID; }
    };

    /// Fills the rows from `set` with First/Next. `processMessages` (if any) is called
    /// whenever the next record fetched has an ID whose four low bits are set, the end
    /// marker -1 included. The set is not used afterwards.
    explicit TSelectForm(TTracklore& set, const std::function<void()>& processMessages = {});

    /// A window of groups (the duplicate finder's): `records` in the given order, each shown
    /// behind the number in `groups` at the same index, in a first column "Group".
    TSelectForm(const std::vector<TrackRecord>& records, const std::vector<int>& groups);

    /// The texts of a record's row. Time is "m:ss" or empty for 0 seconds; Quality is
    /// "128kbit/s at 44100" or empty when either rate is 0.
    static std::array<std::string, kColumnCount> RowTexts(const TrackRecord& record);

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const TRow& Row(int row) const { return rows_[static_cast<size_t>(row)]; }

    /// True for a window of groups: its first column is "Group", the usual ones follow.
    bool HasGroups() const { return hasGroups_; }
    /// The columns shown: kColumnCount, one more with groups.
    int ColumnCount() const { return kColumnCount + (hasGroups_ ? 1 : 0); }
    const char* ColumnCaption(int column) const;
    /// The initial width of a shown column; 0 for the list control's default.
    int ColumnWidth(int column) const;
    /// The text of a shown cell.
    const std::string& Cell(int row, int column) const;
    /// The records shown, in row order: what Save, Print and "Search within" work on.
    std::vector<TrackRecord> Records() const;

    /// A click on the header of shown `column` (0-based): the column sorted last reverses its
    /// direction, another column sorts ascending. ID, Group, Time (play length) and Quality
    /// (bit rate, then sample rate) compare as numbers, the others by the locale ignoring
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

    // The column of TRow::Texts shown as `column`; -1 for the group column.
    int TextColumn(int column) const { return hasGroups_ ? column - 1 : column; }

    std::vector<TRow> rows_;
    bool hasGroups_ = false;
    int sortColumn_ = -1;
    int sortDirection_ = 1;
};

}  // namespace tracklore
