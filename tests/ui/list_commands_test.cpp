// Sort, Renumber and the column clicks of the window's two lists.
#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/main_window_fixture.h"
#include "ui/command_mask.h"
#include "ui/sort_dialog.h"

namespace tracklore::test {
namespace {

using ui::TCommandId;
using ui::TViewSource;

class ListCommandsTest : public MainWindowFixture {
protected:
    // Records with these artists and titles (ID 1 first), loaded from a catalogue file.
    void StartWith(const std::vector<std::pair<std::string, std::string>>& records) {
        TTracklore catalogue;
        for (const auto& [artist, title] : records) {
            TrackRecord record = MakeRecord(artist, title);
            catalogue.Insert(record);
        }
        const std::string file = dir_.Path("list.tracklore");
        catalogue.SaveToFile(file);
        Start({file});
        ForgetShell();
    }

    std::vector<std::string> Column(const ui::TListView& list, int column) {
        std::vector<std::string> texts;
        for (int row = 0; row < list.RowCount(); ++row)
            texts.push_back(list.Row(row).Texts[column]);
        return texts;
    }
};

TEST_F(ListCommandsTest, SortOrdersTheCatalogueAndRebuildsTheListOnly) {
    StartWith({{"A", "c"}, {"A", "a"}, {"A", "b"}});
    shell_.SortAnswers = {7};  // "Title"
    window_->Run(TCommandId::Sort);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Column(window_->Views().AllList(), 3), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(shell_.StatusTexts.front(), "Sorting entries...");
    EXPECT_EQ(shell_.Status, "");
    EXPECT_EQ(window_->CommandMask(), ui::kMaskAfterRebuild | ui::kMaskSearch);
    EXPECT_FALSE(window_->Modified());
}

TEST_F(ListCommandsTest, SortCancelledChangesNothing) {
    StartWith({{"A", "c"}, {"A", "a"}});
    shell_.SortAnswers = {std::nullopt};
    window_->Run(TCommandId::Sort);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"c", "a"}));
    EXPECT_TRUE(shell_.StatusTexts.empty());
}

TEST(SortOnBox, ExecuteStartsAtTheFirstEntryAndTakesTheChosenKey) {
    TScriptedShell shell;
    ui::TSortOnBox box;
    box.CB_Sortmode = 5;
    shell.SortAnswers = {6};
    ASSERT_TRUE(box.Execute(shell));
    EXPECT_EQ(shell.SortDialogs, std::vector<int>{0});
    EXPECT_EQ(box.SortKey, TrackField::PlayLength);
    EXPECT_STREQ(ui::SortEntries()[0].Caption, "Album");
    EXPECT_EQ(ui::SortEntries()[0].Key, TrackField::Album);
    EXPECT_EQ(ui::SortEntries().size(), 9u);
}

TEST(SortOnBox, EntriesAreAlphabeticalAndSelectTheirKeys) {
    std::vector<std::string> captions;
    std::vector<TrackField> keys;
    for (const ui::TSortEntry& entry : ui::SortEntries()) {
        captions.emplace_back(entry.Caption);
        keys.push_back(entry.Key);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Album", "Artist", "Comment", "Filename", "Genre",
                                                  "ID", "Playtime", "Title", "Volume"}));
    using enum TrackField;
    EXPECT_EQ(keys, (std::vector<TrackField>{Album, Artist, Comment, Filename, Genre, ID,
                                             PlayLength, Title, Volume}));
}

TEST_F(ListCommandsTest, RenumberGivesSlotOrderIdentifiersEverywhere) {
    StartWith({{"A", "x"}, {"A", "y"}, {"A", "z"}});
    TrackRecord doomed;
    window_->Catalogue().GetByID(2, doomed);
    window_->Catalogue().Delete(doomed);  // identifiers 1 and 3 remain
    TrackRecord pattern;
    pattern.Title = "z";
    window_->SetSelectedSet(window_->Catalogue().SelectByTemplate(pattern));
    window_->Views().RefreshViews(ui::FullRebuild);

    window_->Run(TCommandId::Renumber);
    EXPECT_EQ(IdsInSlotOrder(window_->Catalogue()), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(Column(window_->Views().AllList(), 0), (std::vector<std::string>{"1", "2"}));
    // The Selected list and the tree name the records by their new identifiers too.
    EXPECT_EQ(Column(window_->Views().SelectedList(), 0), std::vector<std::string>{"2"});
    EXPECT_EQ(window_->Views().Tree().FindNodeById(3), nullptr);
    EXPECT_TRUE(window_->Modified());  // the file on disk holds the old identifiers
    EXPECT_EQ(shell_.Status, "");
}

TEST_F(ListCommandsTest, ColumnClicksSortAscendingThenDescendingThenByANewColumn) {
    StartWith({{"abc", "2"}, {"ABD", "1"}, {"Ab", "3"}});
    const ui::TListView& list = window_->Views().AllList();
    window_->ColumnClick(TViewSource::AllList, 2);  // Artist
    EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"Ab", "abc", "ABD"}));
    window_->ColumnClick(TViewSource::AllList, 2);
    EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"ABD", "abc", "Ab"}));
    EXPECT_EQ(list.SortDirection, -1);
    window_->ColumnClick(TViewSource::AllList, 3);  // Title
    EXPECT_EQ(Column(list, 3), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(list.SortColumn, 4);
    EXPECT_EQ(list.SortDirection, 1);
    // Only the rows moved.
    EXPECT_EQ(IdsInSlotOrder(window_->Catalogue()), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(shell_.StatusTexts.front(), "Sorting entries...");
    EXPECT_EQ(shell_.Status, "");
}

TEST_F(ListCommandsTest, IdColumnSortsNumericallyAndEachListKeepsItsOwnState) {
    std::vector<std::pair<std::string, std::string>> records;
    for (int i = 0; i < 10; ++i)
        records.emplace_back("A", "t");
    StartWith(records);
    window_->SetSelectedSet(window_->Catalogue().SelectByTemplate(MakeRecord("", "")));
    window_->Views().RefreshViews(ui::FullRebuild);
    window_->ColumnClick(TViewSource::AllList, 0);
    window_->ColumnClick(TViewSource::AllList, 0);  // descending: 10 before 9 before 2
    const ui::TListView& all = window_->Views().AllList();
    EXPECT_EQ(all.Row(0).Texts[0], "10");
    EXPECT_EQ(all.Row(1).Texts[0], "9");
    EXPECT_EQ(window_->Views().SelectedList().SortColumn, 0);
    window_->ColumnClick(TViewSource::SelectedList, 0);
    EXPECT_EQ(window_->Views().SelectedList().SortDirection, 1);
    EXPECT_EQ(window_->Views().SelectedList().Row(0).Texts[0], "1");
}

}  // namespace
}  // namespace tracklore::test
