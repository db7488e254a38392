// Tests of the list view model: row texts, ordering, selection and updates.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/track_record.h"
#include "tests/support/record_builder.h"
#include "ui/views.h"

namespace tracklore::ui {
namespace {

using test::MakeRecord;

// Writes every notification as a short word, so a test can compare the whole sequence.
class TRecordingObserver : public TListObserver {
public:
    std::vector<std::string> Events;
    std::vector<int> LastPermutation;
    void BeginReset() override { Events.push_back("reset"); }
    void EndReset() override { Events.push_back("/reset"); }
    void BeginInsertRow(int row) override { Events.push_back("insert " + std::to_string(row)); }
    void EndInsertRow() override { Events.push_back("/insert"); }
    void BeginRemoveRow(int row) override { Events.push_back("remove " + std::to_string(row)); }
    void EndRemoveRow() override { Events.push_back("/remove"); }
    void RowChanged(int row) override { Events.push_back("changed " + std::to_string(row)); }
    void BeginReorder() override { Events.push_back("reorder"); }
    void EndReorder(const std::vector<int>& newRowOfOld) override {
        Events.push_back("/reorder");
        LastPermutation = newRowOfOld;
    }
};

std::vector<int32_t> Ids(const TListView& list) {
    std::vector<int32_t> ids;
    for (int row = 0; row < list.RowCount(); ++row)
        ids.push_back(list.Row(row).Data);
    return ids;
}

std::vector<std::string> Column(const TListView& list, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < list.RowCount(); ++row)
        texts.push_back(list.Row(row).Texts[column]);
    return texts;
}

TEST(RowTexts, ShowsEveryColumnOfARecord) {
    TrackRecord record = MakeRecord(42, "Artist", "Title");
    record.Volume = "VOL1";
    record.Album = "Album";
    record.Year = "1999";
    record.Comment = "Comment";
    record.Genre = 17;  // Rock
    record.Filename = "/music/a.mp3";
    record.PlayLength = 187;
    record.BitRate = 128;
    record.SampleRate = 44100;
    record.FileSize = 3000000;
    const auto texts = RowTexts(record);
    EXPECT_EQ(texts, (std::array<std::string, kColumnCount>{
                         "42", "VOL1", "Artist", "Title", "Album", "1999", "Comment", "Rock",
                         "/music/a.mp3", "3:07", "128kbit/s at 44100", "2.86 M"}));
}

TEST(RowTexts, DerivedColumnsAtTheirEdges) {
    TrackRecord record = MakeRecord(1);
    record.PlayLength = 0;
    record.BitRate = 128;
    record.SampleRate = 0;
    record.FileSize = 1048576;
    auto texts = RowTexts(record);
    EXPECT_EQ(texts[9], "<0:01");
    EXPECT_EQ(texts[10], "");
    EXPECT_EQ(texts[11], "1.00 M");

    record.PlayLength = 3725;
    record.Genre = 255;
    texts = RowTexts(record);
    EXPECT_EQ(texts[9], "62:05");
    EXPECT_EQ(texts[7], "(none)");
}

TEST(ListView, AllListAppendsRowsInTheOrderAdded) {
    TListView list(false);
    list.AddRow(MakeRecord(5));
    list.AddRow(MakeRecord(2));
    list.AddRow(MakeRecord(9));
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{5, 2, 9}));
}

TEST(ListView, IdOrderedListPlacesARowAddedOutsideAnUpdateByItsId) {
    TListView list(true);
    TRecordingObserver observer;
    list.SetObserver(&observer);
    list.AddRow(MakeRecord(5));
    list.AddRow(MakeRecord(2));
    EXPECT_EQ(list.AddRow(MakeRecord(3)), 1);
    list.AddRow(MakeRecord(9));
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{2, 3, 5, 9}));
    EXPECT_EQ(observer.Events[4], "insert 1");  // the row with ID 3
}

TEST(ListView, IdOrderedListIsInIdOrderWhenAnUpdateEnds) {
    TListView list(true);
    list.BeginUpdate();
    list.AddRow(MakeRecord(7));
    list.AddRow(MakeRecord(1));
    list.AddRow(MakeRecord(4));
    list.EndUpdate();
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 4, 7}));
}

TEST(ListView, NestedUpdatesAreReportedAsOneReset) {
    TListView list(false);
    TRecordingObserver observer;
    list.SetObserver(&observer);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Clear();
    list.AddRow(MakeRecord(1));
    list.EndUpdate();
    list.AddRow(MakeRecord(2));
    list.DeleteRow(0);
    list.EndUpdate();
    EXPECT_EQ(observer.Events, (std::vector<std::string>{"reset", "/reset"}));
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{2}));
}

TEST(ListView, ChangesOutsideAnUpdateAreReportedOneByOne) {
    TListView list(false);
    TRecordingObserver observer;
    list.SetObserver(&observer);
    list.AddRow(MakeRecord(1));
    list.AddRow(MakeRecord(2));
    list.UpdateRowTexts(1, MakeRecord(2, "New"));
    list.DeleteRow(0);
    list.Clear();
    EXPECT_EQ(observer.Events,
              (std::vector<std::string>{"insert 0", "/insert", "insert 1", "/insert", "changed 1",
                                        "remove 0", "/remove", "reset", "/reset"}));
}

TEST(ListView, UpdatingTextsKeepsIdTimeQualityAndSize) {
    TListView list(false);
    TrackRecord old = MakeRecord(3, "Old", "Old title");
    old.PlayLength = 60;
    old.BitRate = 128;
    old.SampleRate = 44100;
    old.FileSize = 1048576;
    list.AddRow(old);
    TrackRecord edited = MakeRecord(3, "New", "New title");
    edited.Genre = 0;
    edited.Filename = "/b.mp3";
    list.UpdateRowTexts(0, edited);
    const auto& texts = list.Row(0).Texts;
    EXPECT_EQ(texts[2], "New");
    EXPECT_EQ(texts[3], "New title");
    EXPECT_EQ(texts[7], "Blues");
    EXPECT_EQ(texts[8], "/b.mp3");
    EXPECT_EQ(texts[0], "3");
    EXPECT_EQ(texts[9], "1:00");
    EXPECT_EQ(texts[10], "128kbit/s at 44100");
    EXPECT_EQ(texts[11], "1.00 M");
}

TEST(ListView, FindRowByIdGivesTheFirstMatchingRow) {
    TListView list(false);
    list.AddRow(MakeRecord(4));
    list.AddRow(MakeRecord(8));
    list.AddRow(MakeRecord(8));
    EXPECT_EQ(list.FindRowById(8), 1);
    EXPECT_EQ(list.FindRowById(5), -1);
}

TEST(ListViewCompareRows, IdColumnComparesNumbersAndOtherColumnsTexts) {
    TListView list(false);
    TrackRecord a = MakeRecord(2, "beta");
    a.PlayLength = 600;  // 10:00
    TrackRecord b = MakeRecord(10, "Alpha");
    b.PlayLength = 599;  // 9:59
    list.AddRow(a);
    list.AddRow(b);
    const TListRow& first = list.Row(0);
    const TListRow& second = list.Row(1);
    EXPECT_LT(TListView::CompareRows(first, second, 1), 0);  // 2 before 10
    EXPECT_GT(TListView::CompareRows(first, second, -1), 0);
    EXPECT_GT(TListView::CompareRows(first, second, 3), 0);   // beta after Alpha
    EXPECT_GT(TListView::CompareRows(first, second, 10), 0);  // 10:00 after 9:59
    EXPECT_EQ(TListView::CompareRows(first, second, 0), 0);
    EXPECT_EQ(TListView::CompareRows(first, first, 3), 0);
}

TEST(ListViewCompareRows, IgnoresCaseOfTexts) {
    TListView list(false);
    list.AddRow(MakeRecord(1, "abc"));
    list.AddRow(MakeRecord(2, "ABD"));
    list.AddRow(MakeRecord(3, "ABC"));
    EXPECT_LT(TListView::CompareRows(list.Row(0), list.Row(1), 3), 0);
    EXPECT_EQ(TListView::CompareRows(list.Row(0), list.Row(2), 3), 0);
}

TEST(ListViewSortRows, IdColumnSortsNumerically) {
    TListView list(false);
    for (int32_t id : {10, 2, 33, 1})
        list.AddRow(MakeRecord(id));
    list.SortRows(1);
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 10, 33}));
    list.SortRows(-1);
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{33, 10, 2, 1}));
}

TEST(ListViewSortRows, TextColumnAscendingThenDescending) {
    TListView list(false);
    list.AddRow(MakeRecord(1, "Cher", "b"));
    list.AddRow(MakeRecord(2, "abba", "c"));
    list.AddRow(MakeRecord(3, "Blur", "a"));
    list.SortRows(3);
    EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"abba", "Blur", "Cher"}));
    list.SortRows(-3);
    EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"Cher", "Blur", "abba"}));
    list.SortRows(4);
    EXPECT_EQ(Column(list, 3), (std::vector<std::string>{"a", "b", "c"}));
}

// As texts 5:55 < 50:00 < 6:01, "10.00 M" < "9.00 M" and "128kbit/s" < "96kbit/s".
TEST(ListViewSortRows, TimeQualityAndFilesizeSortByTheirNumbers) {
    struct TRow {
        int32_t Id;
        uint16_t PlayLength, BitRate, SampleRate;
        uint32_t FileSize;
    };
    const TRow rows[] = {
        {1, 3000, 128, 44100, 9u << 20},  // 50:00, 128kbit/s at 44100, 9.00 M
        {2, 355, 96, 48000, 10u << 20},   // 5:55, 96kbit/s at 48000, 10.00 M
        {3, 361, 128, 32000, 500000},     // 6:01, 128kbit/s at 32000, 0.48 M
        {4, 0, 320, 0, 4000000000u},      // <0:01, empty Quality, 3814.70 M
    };
    const std::pair<int, std::vector<int32_t>> sorts[] = {
        {10, {4, 2, 3, 1}},  {-10, {1, 3, 2, 4}}, {11, {4, 2, 3, 1}},
        {-11, {1, 3, 2, 4}}, {12, {3, 1, 2, 4}},  {-12, {4, 2, 1, 3}},
    };
    for (bool keepIdOrder : {false, true}) {
        TListView list(keepIdOrder);
        for (const TRow& row : rows) {
            TrackRecord record = MakeRecord(row.Id);
            record.PlayLength = row.PlayLength;
            record.BitRate = row.BitRate;
            record.SampleRate = row.SampleRate;
            record.FileSize = row.FileSize;
            list.AddRow(record);
        }
        for (const auto& [code, ids] : sorts) {
            list.SortRows(code);
            EXPECT_EQ(Ids(list), ids) << "code " << code;
            for (int row = 1; row < list.RowCount(); ++row)
                EXPECT_LE(TListView::CompareRows(list.Row(row - 1), list.Row(row), code), 0);
        }
    }
}

TEST(ListViewSortRows, OrderAgreesWithCompareRowsOnMixedTexts) {
    TListView list(false);
    const std::vector<std::string> artists = {"Zoë", "zoe", "Émile", "emile", "",  "10", "9",
                                              "a b", "ab",  "AB",    "Ä",     "a", "Z"};
    for (size_t i = 0; i < artists.size(); ++i)
        list.AddRow(MakeRecord(static_cast<int32_t>(i + 1), artists[i]));
    for (int code : {3, -3}) {
        list.SortRows(code);
        for (int row = 1; row < list.RowCount(); ++row)
            EXPECT_LE(TListView::CompareRows(list.Row(row - 1), list.Row(row), code), 0)
                << "code " << code << " row " << row;
    }
}

TEST(ListViewSortRows, SelectionMovesWithItsRowsAndObserverGetsThePermutation) {
    TListView list(false);
    TRecordingObserver observer;
    list.AddRow(MakeRecord(30));
    list.AddRow(MakeRecord(10));
    list.AddRow(MakeRecord(20));
    list.SetSelected(1, true);  // ID 10
    list.SetObserver(&observer);
    list.SortRows(1);
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{10, 20, 30}));
    EXPECT_TRUE(list.Row(0).Selected);
    EXPECT_FALSE(list.Row(2).Selected);
    EXPECT_EQ(observer.Events, (std::vector<std::string>{"reorder", "/reorder"}));
    EXPECT_EQ(observer.LastPermutation, (std::vector<int>{2, 0, 1}));
}

TEST(ListViewSortRows, CodeZeroAndColumnsOutsideTheListLeaveTheOrder) {
    TListView list(false);
    list.AddRow(MakeRecord(3, "b"));
    list.AddRow(MakeRecord(1, "a"));
    list.SortRows(0);
    list.SortRows(13);
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{3, 1}));
}

TEST(ListView, SelectionCountAndClearing) {
    TListView list(false);
    for (int32_t id : {1, 2, 3})
        list.AddRow(MakeRecord(id));
    list.SetSelected(0, true);
    list.SetSelected(2, true);
    list.SetSelected(7, true);  // no such row: ignored
    EXPECT_EQ(list.SelectedCount(), 2);
    list.ClearSelection();
    EXPECT_EQ(list.SelectedCount(), 0);
}

}  // namespace
}  // namespace tracklore::ui
