// The result window's model: its rows, their texts and the column-click sorting.
#include "search/select_form.h"

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "tests/support/record_builder.h"
#include "tests/support/sample_records.h"

namespace tracklore {
namespace {

using test::MakeRecord;

std::vector<std::string> Column(const TSelectForm& form, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < form.RowCount(); ++row)
        texts.push_back(form.Row(row).Texts[static_cast<size_t>(column)]);
    return texts;
}

TEST(SelectForm, TimeAndQualityTexts) {
    TrackRecord record =
        MakeRecord({.Artist = "a", .PlayLength = 185, .SampleRate = 44100, .BitRate = 128});
    auto texts = TSelectForm::RowTexts(record);
    EXPECT_EQ(texts[9], "3:05");
    EXPECT_EQ(texts[10], "128kbit/s at 44100");

    record.PlayLength = 0;
    record.SampleRate = 0;
    texts = TSelectForm::RowTexts(record);
    EXPECT_EQ(texts[9], "");
    EXPECT_EQ(texts[10], "");
    record.SampleRate = 44100;
    record.BitRate = 0;
    EXPECT_EQ(TSelectForm::RowTexts(record)[10], "");
}

TEST(SelectForm, RowHoldsIdTextsAndGenreName) {
    TrackRecord record = test::NamedFieldsRecord();
    const auto texts = TSelectForm::RowTexts(record);
    const std::array<std::string, TSelectForm::kColumnCount> expected = {
        "77", "VOL", "Artist", "Title", "Album", "1992", "Comment", "Rock", "/a.mp3", "62:05", "",
    };
    EXPECT_EQ(texts, expected);
    record.Genre = kGenreNone;
    EXPECT_EQ(TSelectForm::RowTexts(record)[7], "(none)");
}

TEST(SelectForm, FillsRowsInSetOrderAndLetsMessagesRunEverySixteenIds) {
    TTracklore catalogue;
    for (int i = 0; i < 40; ++i) {
        TrackRecord record = MakeRecord("a" + std::to_string(i));
        catalogue.Insert(record);
    }
    int calls = 0;
    TSelectForm form(catalogue, [&] { ++calls; });
    ASSERT_EQ(form.RowCount(), 40);
    EXPECT_EQ(form.Row(0).ID(), 1);
    EXPECT_EQ(form.Row(39).ID(), 40);
    EXPECT_EQ(form.Row(39).Record.Artist, "a39");
    // Next fetched IDs 15 and 31, then the end marker -1.
    EXPECT_EQ(calls, 3);
}

TEST(SelectForm, EmptySetGivesNoRows) {
    TTracklore catalogue;
    TSelectForm form(catalogue);
    EXPECT_EQ(form.RowCount(), 0);
    form.ColumnClick(2);
    EXPECT_EQ(form.RowCount(), 0);
}

class SelectFormSorting : public testing::Test {
protected:
    SelectFormSorting() {
        const std::pair<int32_t, const char*> rows[] = {{2, "b"}, {10, "C"}, {1, "a"}, {3, "B"}};
        for (const auto& [id, artist] : rows) {
            TrackRecord record = MakeRecord(artist);
            record.ID = id;
            catalogue_.InsertAsStored(record);
        }
    }
    TTracklore catalogue_;
};

TEST_F(SelectFormSorting, IdColumnSortsNumerically) {
    TSelectForm form(catalogue_);
    EXPECT_EQ(Column(form, 0), (std::vector<std::string>{"2", "10", "1", "3"}));
    form.ColumnClick(0);
    EXPECT_EQ(Column(form, 0), (std::vector<std::string>{"1", "2", "3", "10"}));
    EXPECT_EQ(form.SortColumn(), 0);
    EXPECT_EQ(form.SortDirection(), 1);
}

TEST_F(SelectFormSorting, SecondClickReversesAndOtherColumnStartsAscending) {
    TSelectForm form(catalogue_);
    form.ColumnClick(0);
    form.ColumnClick(0);
    EXPECT_EQ(Column(form, 0), (std::vector<std::string>{"10", "3", "2", "1"}));
    EXPECT_EQ(form.SortDirection(), -1);
    form.ColumnClick(2);
    EXPECT_EQ(form.SortDirection(), 1);
    EXPECT_EQ(Column(form, 2), (std::vector<std::string>{"a", "B", "b", "C"}));
}

TEST_F(SelectFormSorting, TextsIgnoreCaseAndEqualRowsKeepTheirOrder) {
    TSelectForm form(catalogue_);
    form.ColumnClick(2);
    // "b" (ID 2) stood before "B" (ID 3) and stays before it in both directions.
    EXPECT_EQ(Column(form, 0), (std::vector<std::string>{"1", "2", "3", "10"}));
    form.ColumnClick(2);
    EXPECT_EQ(Column(form, 2), (std::vector<std::string>{"C", "b", "B", "a"}));
}

TEST_F(SelectFormSorting, RecordsFollowTheRowOrder) {
    TSelectForm form(catalogue_);
    form.ColumnClick(0);
    const std::vector<TrackRecord> records = form.Records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].ID, 1);
    EXPECT_EQ(records[0].Artist, "a");
    EXPECT_EQ(records[3].ID, 10);
}

TEST_F(SelectFormSorting, ClickReportsTheRowEachRowCameFrom) {
    TSelectForm form(catalogue_);
    // Rows hold IDs 2, 10, 1, 3; by ID the new rows come from rows 2, 0, 3, 1.
    EXPECT_EQ(form.ColumnClick(0), (std::vector<int>{2, 0, 3, 1}));
    EXPECT_EQ(form.ColumnClick(0), (std::vector<int>{3, 2, 1, 0}));
    EXPECT_TRUE(form.ColumnClick(TSelectForm::kColumnCount).empty());
}

// As texts 5:55 < 50:00 < 6:01 and "128kbit/s" < "96kbit/s".
TEST(SelectFormNumbers, TimeAndQualitySortByTheirNumbers) {
    TTracklore catalogue;
    const uint16_t values[][3] = {
        {3000, 128, 44100}, {355, 96, 48000}, {361, 128, 32000}, {0, 320, 0}};
    for (const auto& [playLength, bitRate, sampleRate] : values) {
        TrackRecord record = MakeRecord({.Artist = "a",
                                         .PlayLength = playLength,
                                         .SampleRate = sampleRate,
                                         .BitRate = bitRate});
        catalogue.Insert(record);
    }
    TSelectForm form(catalogue);
    form.ColumnClick(9);
    EXPECT_EQ(Column(form, 9), (std::vector<std::string>{"", "5:55", "6:01", "50:00"}));
    form.ColumnClick(9);
    EXPECT_EQ(Column(form, 0), (std::vector<std::string>{"1", "3", "2", "4"}));
    form.ColumnClick(10);
    EXPECT_EQ(Column(form, 0), (std::vector<std::string>{"4", "2", "3", "1"}));
}

TEST_F(SelectFormSorting, ClickOutsideTheColumnsDoesNothing) {
    TSelectForm form(catalogue_);
    form.ColumnClick(11);
    form.ColumnClick(-1);
    EXPECT_EQ(form.SortColumn(), -1);
    EXPECT_EQ(Column(form, 0), (std::vector<std::string>{"2", "10", "1", "3"}));
}

// The shown texts of `column`, through the cell access a view uses.
std::vector<std::string> Shown(const TSelectForm& form, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < form.RowCount(); ++row)
        texts.push_back(form.Cell(row, column));
    return texts;
}

TEST(SelectForm, GroupsComeFirstAndSortAsNumbers) {
    std::vector<TrackRecord> records;
    for (int i = 0; i < 12; ++i) {
        records.push_back(MakeRecord(std::string(1, static_cast<char>('a' + i))));
        records.back().ID = 100 - i;
    }
    const std::vector<int> groups = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 10, 10};
    TSelectForm form(records, groups);
    ASSERT_TRUE(form.HasGroups());
    ASSERT_EQ(form.ColumnCount(), TSelectForm::kColumnCount + 1);
    EXPECT_STREQ(form.ColumnCaption(0), "Group");
    EXPECT_STREQ(form.ColumnCaption(1), "ID");
    EXPECT_STREQ(form.ColumnCaption(3), "Artist");
    EXPECT_EQ(form.ColumnWidth(3), 100);
    EXPECT_EQ(form.Cell(11, 0), "10");
    EXPECT_EQ(form.Cell(0, 1), "100");
    EXPECT_EQ(form.Cell(0, 3), "a");

    form.ColumnClick(0);
    form.ColumnClick(0);  // descending: "10" after "5" as a number, not as a text
    EXPECT_EQ(Shown(form, 0).front(), "10");
    EXPECT_EQ(Shown(form, 3).front(), "k");  // equal groups keep their order
    form.ColumnClick(1);                     // the ID, as a number
    EXPECT_EQ(Shown(form, 1).front(), "89");
    EXPECT_EQ(form.Records().front().Artist, "l");
    EXPECT_EQ(form.ColumnClick(TSelectForm::kColumnCount + 1), std::vector<int>{});
}

}  // namespace
}  // namespace tracklore
