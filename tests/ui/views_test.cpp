// Tests of the three views: rebuilds, updates, selection and the command mask.
#include "ui/views.h"

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "tests/support/record_builder.h"
#include "tests/ui/view_test_host.h"
#include "ui/command_mask.h"

namespace tracklore::ui {
namespace {

using test::TTestViewHost;

std::vector<int32_t> Ids(const TListView& list) {
    std::vector<int32_t> ids;
    for (int row = 0; row < list.RowCount(); ++row)
        ids.push_back(list.Row(row).Data);
    return ids;
}

std::vector<std::string> Texts(const TTreeNode& parent) {
    std::vector<std::string> texts;
    for (const auto& child : parent.Children)
        texts.push_back(child->Text);
    return texts;
}

TrackRecord AllMatching() {
    return test::MakeRecord({.ID = kEndID});
}

class Views : public testing::Test {
protected:
    TTestViewHost host;
    TViews views{host};
    test::TScriptedShell& shell = host.ShellLog;

    TTreeNode* TopNode(const std::string& text) { return views.Tree().FindChild(nullptr, text); }
};

TEST_F(Views, FullRebuildShowsTheCatalogueSortedById) {
    host.Add("B", "b1");
    host.Add("A", "a1");
    host.Add("C", "c1");
    TrackRecord first = host.Get(1);
    host.Catalogue_.Delete(first);
    host.Add("D", "d1");  // ID 4 takes slot 0
    views.RefreshViews(FullRebuild);
    EXPECT_EQ(Ids(views.AllList()), (std::vector<int32_t>{2, 3, 4}));
    EXPECT_EQ(host.Catalogue_.SlotRecord(0)->ID, 2);
    EXPECT_EQ(Texts(views.Tree().Root()), (std::vector<std::string>{"A", "C", "D"}));
    const TTreeNode& artist = *views.Tree().Root().Children[0];
    EXPECT_EQ(artist.Data, -1);
    EXPECT_TRUE(artist.HasChildren);
    EXPECT_TRUE(artist.Children.empty());
    EXPECT_EQ(artist.ImageIndex, 0);
}

TEST_F(Views, FullRebuildShowsTheSelectedSetSortedById) {
    for (int i = 0; i < 5; ++i)
        host.Add("A", "t");
    host.Selected_ = TTracklore::CreateResultSet(host.Catalogue_);
    for (int32_t id : {4, 2, 5}) {
        TrackRecord record = host.Get(id);
        host.Selected_->Insert(record);
    }
    views.RefreshViews(FullRebuild);
    EXPECT_EQ(Ids(views.SelectedList()), (std::vector<int32_t>{2, 4, 5}));
    EXPECT_EQ(host.Selected_->SlotRecord(0)->ID, 2);
}

TEST_F(Views, FullRebuildReportsEachNextRecordAndLetsMessagesRunAtLowBitsSet) {
    for (int i = 0; i < 20; ++i)
        host.Add("A", "t");
    views.RefreshViews(FullRebuild);
    std::vector<std::string> progress;
    for (const std::string& text : shell.StatusTexts) {
        if (text.rfind("Building visual representations. Record: ", 0) == 0)
            progress.push_back(text.substr(41));
    }
    ASSERT_EQ(progress.size(), 20u);
    EXPECT_EQ(progress.front(), "2");
    EXPECT_EQ(progress[18], "20");
    EXPECT_EQ(progress.back(), "-1");
    EXPECT_EQ(shell.ProcessMessagesCalls, 2);  // after fetching 15 and the end marker -1
    EXPECT_EQ(shell.StatusTexts[shell.StatusTexts.size() - 2], "Sorting entries...");
    EXPECT_EQ(shell.Status, "");
    EXPECT_EQ(shell.BusyDepth, 0);
    EXPECT_EQ(shell.MaxBusyDepth, 1);
}

TEST_F(Views, FullRebuildMaskEnablesSearchOnlyWithRows) {
    views.RefreshViews(FullRebuild);
    EXPECT_EQ(shell.Masks, (std::vector<uint16_t>{0, 0x6A7}));
    shell.Masks.clear();
    host.Add("A", "t");
    views.RefreshViews(FullRebuild);
    EXPECT_EQ(shell.Masks, (std::vector<uint16_t>{0, 0x6A7, 0x6E7}));
}

TEST_F(Views, FailedRebuildRestoresTheHourGlassAndEndsTheUpdates) {
    for (int i = 0; i < 20; ++i)
        host.Add("A", "t");
    shell.OnProcessMessages = [] { throw std::runtime_error("interrupted"); };
    EXPECT_THROW(views.RefreshViews(FullRebuild), std::runtime_error);
    EXPECT_EQ(shell.BusyDepth, 0);
    shell.OnProcessMessages = nullptr;
    // The list is out of its update: a row added now is placed at once.
    const int before = views.AllList().RowCount();
    TrackRecord added = host.Get(host.Add("B", "late"));
    views.RefreshViews(InsertRecord, &added);
    EXPECT_EQ(views.AllList().RowCount(), before + 1);
}

TEST_F(Views, UnknownKindDoesNothing) {
    host.Add("A", "t");
    views.RefreshViews(0);
    views.RefreshViews(7);
    EXPECT_EQ(views.AllList().RowCount(), 0);
    EXPECT_EQ(shell.MaxBusyDepth, 0);
    EXPECT_TRUE(shell.Masks.empty());
}

TEST_F(Views, ArtistsDifferingInCaseGiveOneNodeThatOpensWithAllOfThem) {
    const int32_t lower = host.Add("the beatles", "Help", "Help!");
    const int32_t title = host.Add("The Beatles", "Yesterday");
    const int32_t upper = host.Add("THE BEATLES", "Ticket", "HELP!");
    host.Add("Abba", "SOS");
    views.RefreshViews(FullRebuild);
    ASSERT_EQ(views.Tree().Root().Children.size(), 2u);
    TTreeNode* node = views.Tree().Root().Children[1].get();
    views.ExpandNode(node);
    EXPECT_EQ(node->Data, -3);
    // One album node for both spellings of the album, spelled as its first record.
    EXPECT_EQ(Texts(*node), (std::vector<std::string>{"Help!", "Yesterday"}));
    EXPECT_EQ(node->Children[1]->Data, title);
    const TTreeNode& album = *node->Children[0];
    ASSERT_EQ(album.Children.size(), 2u);
    EXPECT_EQ(album.Children[0]->Data, lower);
    EXPECT_EQ(album.Children[1]->Data, upper);
}

TEST(ViewsArtistNames, SpellsEachGroupAsTheFirstRecordOfTheArtistSort) {
    TTracklore catalogue;
    for (const char* artist : {"abc", "ABC", "Abc"}) {
        TrackRecord record;
        record.Artist = artist;
        catalogue.Insert(record);
    }
    // Equal keys in slots 0, 1, 2 stand as 2, 0, 1 after the catalogue's sort.
    EXPECT_EQ(TViews::ArtistNames(catalogue), (std::vector<std::string>{"Abc"}));
}

// The distinct spellings are ordered on their own; the names must be those of the sort of
// every record, with and without spellings that differ only in case.
TEST(ViewsArtistNames, DistinctSpellingsGiveTheNamesOfTheRecordSort) {
    const std::vector<std::string> pools[] = {{"Zed", "abba", "Ábel", "", "beta", "Alpha"},
                                              {"Zed", "abba", "ABBA", "beta", "Beta", "x"}};
    for (const auto& pool : pools) {
        TTracklore catalogue;
        for (int i = 0; i < 200; ++i) {
            TrackRecord record;
            record.Artist = pool[(i * 7 + i / 3) % pool.size()];
            catalogue.Insert(record);
        }
        EXPECT_EQ(TViews::ArtistNames(catalogue), TViews::ArtistNamesBySort(catalogue));
    }
}

TEST(ViewsArtistNames, SortsIgnoringCaseAndKeepsTheEmptyArtist) {
    TTracklore catalogue;
    for (const char* artist : {"ABD", "", "abc", "Zed", ""}) {
        TrackRecord record;
        record.Artist = artist;
        catalogue.Insert(record);
    }
    EXPECT_EQ(TViews::ArtistNames(catalogue), (std::vector<std::string>{"", "abc", "ABD", "Zed"}));
    TTracklore empty;
    EXPECT_TRUE(TViews::ArtistNames(empty).empty());
    // The catalogue's own order is left alone: only a result set was sorted.
    EXPECT_EQ(catalogue.SlotRecord(0)->Artist, "ABD");
}

TEST_F(Views, EmptyArtistGoesUnderQuestionMarkWhenAddedButHasAnEmptyNodeAfterRebuild) {
    host.Add("", "first");
    views.RefreshViews(FullRebuild);
    EXPECT_EQ(Texts(views.Tree().Root()), (std::vector<std::string>{""}));
    TrackRecord empty = host.Get(host.Add("", "second"));
    views.RefreshViews(InsertRecord, &empty);
    const int32_t bang = host.Add("!", "third");
    TrackRecord record = host.Get(bang);
    views.RefreshViews(InsertRecord, &record);
    EXPECT_EQ(Texts(views.Tree().Root()), (std::vector<std::string>{"", "?"}));
    EXPECT_EQ(Texts(*TopNode("?")), (std::vector<std::string>{"second", "third"}));
}

TEST_F(Views, OpeningAnArtistWithoutRecordsOfItsNameLeavesItEmpty) {
    TrackRecord record = host.Get(host.Add("", "no artist"));
    views.RefreshViews(InsertRecord, &record);
    TTreeNode* node = TopNode("?");
    views.ExpandNode(node);
    EXPECT_EQ(node->Data, -3);
    EXPECT_TRUE(node->Children.empty());
    EXPECT_FALSE(node->HasChildren);
}

TEST_F(Views, InsertRecordAddsARowAndABranchButLeavesTheSelectedList) {
    host.Add("Abba", "SOS", "Greatest");
    views.RefreshViews(FullRebuild);
    host.Selected_ = TTracklore::CreateResultSet(host.Catalogue_);
    TrackRecord added = host.Get(host.Add("ABBA", "Waterloo", "greatest"));
    views.RefreshViews(InsertRecord, &added);
    EXPECT_EQ(Ids(views.AllList()), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(views.SelectedList().RowCount(), 0);
    ASSERT_EQ(views.Tree().Root().Children.size(), 1u);
    TTreeNode* album = views.Tree().FindChild(TopNode("Abba"), "Greatest");
    ASSERT_NE(album, nullptr);
    EXPECT_EQ(album->Data, -2);
    EXPECT_EQ(album->ImageIndex, 1);
    ASSERT_EQ(album->Children.size(), 1u);
    EXPECT_EQ(album->Children[0]->Data, added.ID);
    EXPECT_EQ(album->Children[0]->ImageIndex, 2);
}

TEST_F(Views, TitlesWithoutAlbumHangUnderTheArtist) {
    for (const char* album : {"", "?", "-"}) {
        TrackRecord record = host.Get(host.Add("Solo", std::string("t") + album, album));
        views.RefreshViews(InsertRecord, &record);
    }
    EXPECT_EQ(Texts(*TopNode("Solo")), (std::vector<std::string>{"t", "t?", "t-"}));
    views.RefreshViews(FullRebuild);
    TTreeNode* artist = TopNode("Solo");
    views.ExpandNode(artist);
    EXPECT_EQ(Texts(*artist), (std::vector<std::string>{"t", "t?", "t-"}));
}

TEST_F(Views, ExpandingGroupsTitlesByAlbumIgnoringCase) {
    host.Add("A", "one", "Album");
    host.Add("A", "loose");
    host.Add("A", "two", "ALBUM");
    host.Add("A", "three", "Other");
    views.RefreshViews(FullRebuild);
    TTreeNode* artist = TopNode("A");
    views.ExpandNode(artist);
    EXPECT_EQ(Texts(*artist), (std::vector<std::string>{"Album", "loose", "Other"}));
    EXPECT_EQ(Texts(*artist->Children[0]), (std::vector<std::string>{"one", "two"}));
    // Already opened: nothing changes, not even for an album node.
    host.Add("A", "late");
    views.ExpandNode(artist);
    views.ExpandNode(artist->Children[0].get());
    EXPECT_EQ(artist->Children.size(), 3u);
}

TEST_F(Views, RecordAddedUnderANeverOpenedArtistIsReplacedWhenItOpens) {
    host.Add("Abba", "SOS");
    views.RefreshViews(FullRebuild);
    TrackRecord added = host.Get(host.Add("Abba", "Waterloo"));
    views.RefreshViews(InsertRecord, &added);
    TTreeNode* artist = TopNode("Abba");
    EXPECT_EQ(Texts(*artist), (std::vector<std::string>{"Waterloo"}));
    EXPECT_EQ(artist->Data, -1);
    views.ExpandNode(artist);
    EXPECT_EQ(Texts(*artist), (std::vector<std::string>{"SOS", "Waterloo"}));
    EXPECT_EQ(artist->Data, -3);
}

TEST_F(Views, EditingTheLastTitleOfAnAlbumMovesItToTheNewBranch) {
    const int32_t id = host.Add("Old Artist", "Song", "Old Album");
    host.Add("Keep", "Other");
    views.RefreshViews(FullRebuild);
    views.ExpandNode(TopNode("Old Artist"));
    TrackRecord edited = host.Get(id);
    edited.Artist = "New Artist";
    edited.Album = "New Album";
    edited.PlayLength = 999;  // not shown until a rebuild
    host.Catalogue_.Update(edited);
    views.RefreshViews(UpdateRecord, &edited);
    EXPECT_EQ(Texts(views.Tree().Root()), (std::vector<std::string>{"Keep", "New Artist"}));
    TTreeNode* album = views.Tree().FindChild(TopNode("New Artist"), "New Album");
    ASSERT_NE(album, nullptr);
    EXPECT_EQ(album->Children[0]->Data, id);
    const TListRow& row = views.AllList().Row(views.AllList().FindRowById(id));
    EXPECT_EQ(row.Texts[2], "New Artist");
    EXPECT_EQ(row.Texts[9], "<0:01");
}

TEST_F(Views, UpdateRecordChangesTheSelectedRowAndAddsAMissingAllRow) {
    const int32_t id = host.Add("A", "t");
    host.Selected_ = TTracklore::CreateResultSet(host.Catalogue_);
    TrackRecord record = host.Get(id);
    host.Selected_->Insert(record);
    views.RefreshViews(FullRebuild);
    views.AllList().DeleteRow(0);
    record.Title = "renamed";
    views.RefreshViews(UpdateRecord, &record);
    ASSERT_EQ(views.AllList().RowCount(), 1);
    EXPECT_EQ(views.AllList().Row(0).Texts[3], "renamed");
    EXPECT_EQ(views.SelectedList().Row(0).Texts[3], "renamed");
    EXPECT_EQ(views.SelectedList().RowCount(), 1);
}

TEST_F(Views, RemoveRecordDeletesRowsAndPrunesEmptiedNodes) {
    const int32_t gone = host.Add("Solo", "t", "Album");
    const int32_t kept = host.Add("Duo", "t1", "Album");
    host.Add("Duo", "t2", "Album");
    host.Selected_ = TTracklore::CreateResultSet(host.Catalogue_);
    TrackRecord record = host.Get(gone);
    host.Selected_->Insert(record);
    views.RefreshViews(FullRebuild);
    views.ExpandNode(TopNode("Solo"));
    views.ExpandNode(TopNode("Duo"));
    host.Selected_->Delete(record);
    host.Catalogue_.Delete(record);
    views.RefreshViews(RemoveRecord, &record);
    TrackRecord other = host.Get(kept);
    host.Catalogue_.Delete(other);
    views.RefreshViews(RemoveRecord, &other);
    EXPECT_EQ(Ids(views.AllList()), (std::vector<int32_t>{3}));
    EXPECT_EQ(views.SelectedList().RowCount(), 0);
    EXPECT_EQ(Texts(views.Tree().Root()), (std::vector<std::string>{"Duo"}));
    EXPECT_EQ(Texts(*TopNode("Duo")->Children[0]), (std::vector<std::string>{"t2"}));
}

TEST_F(Views, RemovingAHandAddedTitleKeepsANeverOpenedArtistThatStillHasRecords) {
    host.Add("Abba", "SOS");
    views.RefreshViews(FullRebuild);
    TrackRecord added = host.Get(host.Add("Abba", "Waterloo"));
    views.RefreshViews(InsertRecord, &added);
    host.Catalogue_.Delete(added);
    views.RefreshViews(RemoveRecord, &added);
    TTreeNode* artist = TopNode("Abba");
    ASSERT_NE(artist, nullptr);
    views.ExpandNode(artist);
    EXPECT_EQ(Texts(*artist), (std::vector<std::string>{"SOS"}));
}

TEST_F(Views, RemovingAHandAddedTitleKeepsAnArtistWhoseRecordsAreSpelledOtherwise) {
    host.Add("ABBA", "SOS");
    views.RefreshViews(FullRebuild);
    TrackRecord added = host.Get(host.Add("ABBA", "Waterloo"));
    views.RefreshViews(InsertRecord, &added);
    TrackRecord record = host.Get(1);
    record.Artist = "abba";
    host.Catalogue_.Update(record);
    host.Catalogue_.Delete(added);
    views.RefreshViews(RemoveRecord, &added);
    ASSERT_NE(TopNode("ABBA"), nullptr);
    views.ExpandNode(TopNode("ABBA"));
    EXPECT_EQ(Texts(*TopNode("ABBA")), (std::vector<std::string>{"SOS"}));
}

TEST_F(Views, RemovingTheOnlyRecordOfAHandAddedArtistRemovesItsNode) {
    TrackRecord added = host.Get(host.Add("New", "t"));
    views.RefreshViews(InsertRecord, &added);
    host.Catalogue_.Delete(added);
    views.RefreshViews(RemoveRecord, &added);
    EXPECT_TRUE(views.Tree().Root().Children.empty());
}

TEST_F(Views, RemoveWithANegativeIdLeavesArtistAndAlbumNodes) {
    host.Add("A", "t", "Album");
    views.RefreshViews(FullRebuild);
    views.ExpandNode(TopNode("A"));
    TrackRecord bogus;
    bogus.ID = -2;
    views.RefreshViews(RemoveRecord, &bogus);
    ASSERT_NE(TopNode("A"), nullptr);
    EXPECT_TRUE(TopNode("A")->HasChildren);
    EXPECT_EQ(TopNode("A")->Children.size(), 1u);
}

TEST_F(Views, RebuildSelectedShowsTheSetInIdOrderWithoutTouchingTheMask) {
    for (int i = 0; i < 4; ++i)
        host.Add("A", "t");
    views.RefreshViews(FullRebuild);
    host.Catalogue_.SortBy(TrackField::Title);  // any slot order
    TrackRecord pattern = AllMatching();
    host.Selected_ = host.Catalogue_.SelectByTemplate(pattern);
    for (int32_t id : {4, 1}) {
        TrackRecord record = host.Get(id);
        host.Selected_->Delete(record);
    }
    shell.Masks.clear();
    views.RefreshViews(RebuildSelected);
    EXPECT_EQ(Ids(views.SelectedList()), (std::vector<int32_t>{2, 3}));
    EXPECT_TRUE(shell.Masks.empty());
    EXPECT_EQ(shell.BusyDepth, 0);
    host.Selected_.reset();
    views.RefreshViews(RebuildSelected);
    EXPECT_EQ(views.SelectedList().RowCount(), 0);
}

TEST_F(Views, RebuildListKeepsTheCatalogueOrderAndLeavesTreeAndSelected) {
    host.Add("Cher", "t");
    host.Add("Abba", "t");
    host.Add("Blur", "t");
    views.RefreshViews(FullRebuild);
    views.ExpandNode(TopNode("Abba"));
    host.Catalogue_.SortBy(TrackField::Artist);
    shell.Masks.clear();
    views.RefreshViews(RebuildList);
    EXPECT_EQ(Ids(views.AllList()), (std::vector<int32_t>{2, 3, 1}));
    EXPECT_EQ(shell.Masks, (std::vector<uint16_t>{0, 0x6A7, 0x6E7}));
    EXPECT_EQ(TopNode("Abba")->Data, -3);
    views.RefreshViews(FullRebuild);
    EXPECT_EQ(Ids(views.AllList()), (std::vector<int32_t>{1, 2, 3}));
}

TEST_F(Views, SelectedIdsFollowTheSourceOrTheActivePage) {
    for (int i = 0; i < 4; ++i)
        host.Add("A", "t", "Album");
    host.Selected_ = TTracklore::CreateResultSet(host.Catalogue_);
    TrackRecord record = host.Get(2);
    host.Selected_->Insert(record);
    views.RefreshViews(FullRebuild);
    views.AllList().SetSelected(3, true);
    views.AllList().SetSelected(1, true);
    views.SelectedList().SetSelected(0, true);
    EXPECT_EQ(views.SelectedIds(TViewSource::AllList), (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(views.SelectedIds(TViewSource::None), (std::vector<int32_t>{2, 4}));
    host.Page = TPage::Selected;
    EXPECT_EQ(views.SelectedIds(TViewSource::None), (std::vector<int32_t>{2}));
    host.Page = TPage::Tree;
    EXPECT_TRUE(views.SelectedIds(TViewSource::None).empty());
    TTreeNode* artist = TopNode("A");
    views.ExpandNode(artist);
    views.Tree().SetSelected(artist->Children[0].get());
    EXPECT_EQ(views.SelectedIds(TViewSource::None), (std::vector<int32_t>{-2}));
    views.Tree().SetSelected(artist->Children[0]->Children[2].get());
    EXPECT_EQ(views.SelectedIds(TViewSource::Tree), (std::vector<int32_t>{3}));
    views.AllList().ClearSelection();
    EXPECT_TRUE(views.SelectedIds(TViewSource::AllList).empty());
}

TEST(CommandMask, ListSelectionDrivesEditDeleteAndPlayer) {
    EXPECT_EQ(MaskAfterListSelection(0x6C7, 0), 0x6C7);
    EXPECT_EQ(MaskAfterListSelection(0x7DF, 0), 0x6C7);
    EXPECT_EQ(MaskAfterListSelection(0x6C7, 1), 0x7DF);
    EXPECT_EQ(MaskAfterListSelection(0x7DF, 2), 0x7D7);  // Delete and Player, no Edit
}

TEST(CommandMask, TreeSelectionEnablesOnlyForTitleNodes) {
    EXPECT_EQ(MaskAfterTreeSelection(0x6C7, true, 0), 0x7DF);
    EXPECT_EQ(MaskAfterTreeSelection(0x7DF, true, -1), 0x6C7);
    EXPECT_EQ(MaskAfterTreeSelection(0x7DF, true, -2), 0x6C7);
    EXPECT_EQ(MaskAfterTreeSelection(0x7DF, false, 0), 0x6C7);
}

}  // namespace
}  // namespace tracklore::ui
