// The window's item commands: New, Edit and Delete through the edit dialog, with the
// catalogue, the selected set and the three views kept in step.
#include <gtest/gtest.h>

#include "core/messages.h"
#include "search/edit_dialog.h"
#include "tests/support/full_catalogue.h"
#include "tests/support/main_window_fixture.h"
#include "ui/command_mask.h"

namespace tracklore::test {
namespace {

using ui::TCommandId;
using ui::TPage;
using ui::TViewSource;

std::vector<int32_t> Ids(const ui::TListView& list) {
    std::vector<int32_t> ids;
    for (int row = 0; row < list.RowCount(); ++row)
        ids.push_back(list.Row(row).Data);
    return ids;
}

class ItemCommandsTest : public MainWindowFixture {
protected:
    /// Starts with records 1.. of artist "A", all of them in the selected set.
    void StartWith(const std::vector<std::string>& titles) {
        Start();
        AddRecords(titles);
        window_->SetModified(false);
        TrackRecord all;
        all.ID = kEndID;
        window_->SetSelectedSet(window_->Catalogue().SelectByTemplate(all));
        window_->Views().RefreshViews(ui::RebuildSelected);
        ForgetShell();
    }
    ui::TTreeNode* Artist(const std::string& name) {
        return window_->Views().Tree().FindChild(nullptr, name);
    }
    bool InCatalogue(int32_t id) {
        TrackRecord record;
        try {
            window_->Catalogue().GetByID(id, record);
            return true;
        } catch (const EDBError&) {
            return false;
        }
    }
};

// --- New --------------------------------------------------------------------------------

TEST_F(ItemCommandsTest, NewOpensWithItsIdEmptyTextsAndBluesThenShowsInListAndTree) {
    StartWith({"a", "b"});
    shell_.EditAnswers.push_back([](TEditDialog& dialog) {
        EXPECT_EQ(dialog.MED_ID, "3");
        EXPECT_EQ(dialog.ED_Artist, "");
        EXPECT_EQ(dialog.ED_Title, "");
        EXPECT_EQ(dialog.ED_Filename, "");
        EXPECT_EQ(dialog.MED_Year, "");
        EXPECT_EQ(dialog.CB_Genre, "Blues");
        dialog.ED_Artist = "Nina";
        dialog.ED_Title = "Sinnerman";
        return true;
    });
    window_->Run(TCommandId::ItemNew);
    EXPECT_TRUE(shell_.Messages.empty());
    TrackRecord record;
    window_->Catalogue().GetByID(3, record);
    EXPECT_EQ(record.Artist, "Nina");
    EXPECT_EQ(record.Genre, 0);
    EXPECT_TRUE(window_->Modified());
    EXPECT_EQ(Ids(window_->Views().AllList()), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(Ids(window_->Views().SelectedList()), (std::vector<int32_t>{1, 2}));
    ui::TTreeNode* artist = Artist("Nina");
    ASSERT_NE(artist, nullptr);
    ASSERT_EQ(artist->Children.size(), 1u);
    EXPECT_EQ(artist->Children[0]->Data, 3);
}

TEST_F(ItemCommandsTest, CancelledNewRemovesTheRecordAndItsIdIsNotReused) {
    StartWith({"a", "b"});
    shell_.EditAnswers.push_back([](TEditDialog&) { return false; });
    window_->Run(TCommandId::ItemNew);
    EXPECT_EQ(window_->Catalogue().Count(), 2);
    EXPECT_FALSE(InCatalogue(3));
    EXPECT_FALSE(window_->Modified());
    EXPECT_EQ(window_->Views().AllList().RowCount(), 2);

    shell_.EditAnswers.push_back([](TEditDialog& dialog) {
        EXPECT_EQ(dialog.MED_ID, "4");
        return true;
    });
    window_->Run(TCommandId::ItemNew);
    EXPECT_TRUE(InCatalogue(4));
}

TEST_F(ItemCommandsTest, NewOnAFullCatalogueRaisesTooManyElementsWithoutADialog) {
    Start();
    for (int i = 0; i < TTracklore::kSlotCount; ++i) {
        TrackRecord record;
        window_->Catalogue().Insert(record);
    }
    ForgetShell();
    window_->Run(TCommandId::ItemNew);  // a dialog would fail the test: none is scripted
    EXPECT_EQ(shell_.MessageTexts(), std::vector<std::string>{test::kFullCatalogue});
    EXPECT_EQ(window_->Catalogue().Count(), TTracklore::kSlotCount);
    EXPECT_EQ(window_->Catalogue().LastID(), TTracklore::kSlotCount);
    EXPECT_FALSE(window_->Modified());
}

TEST_F(ItemCommandsTest, NewWhoseDialogFailsToReadBackLeavesNoRecordBehind) {
    StartWith({"a"});
    shell_.EditAnswers.push_back([](TEditDialog& dialog) {
        dialog.MED_ID = "";
        return true;
    });
    window_->Run(TCommandId::ItemNew);
    EXPECT_EQ(shell_.MessageTexts(), std::vector<std::string>{"'' is not a valid integer value"});
    EXPECT_EQ(window_->Catalogue().Count(), 1);
    EXPECT_FALSE(InCatalogue(2));
    EXPECT_FALSE(window_->Modified());
}

// --- Edit -------------------------------------------------------------------------------

TEST_F(ItemCommandsTest, DoubleClickInTheSelectedListEditsAndEveryViewShowsIt) {
    StartWith({"a", "b", "c"});
    window_->Views().ExpandNode(Artist("A"));
    window_->Views().SelectedList().SetSelected(1, true);  // ID 2
    shell_.EditAnswers.push_back([](TEditDialog& dialog) {
        EXPECT_EQ(dialog.MED_ID, "2");
        EXPECT_EQ(dialog.ED_Title, "b");
        dialog.ED_Artist = "Z";
        dialog.ED_Title = "b2";
        return true;
    });
    window_->ViewDoubleClicked(TViewSource::SelectedList);
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_TRUE(window_->Modified());

    TrackRecord inSet;
    window_->SelectedSet()->GetByID(2, inSet);
    EXPECT_EQ(inSet.Title, "b2");
    const auto& all = window_->Views().AllList();
    EXPECT_EQ(all.Row(all.FindRowById(2)).Texts[3], "b2");
    const auto& selected = window_->Views().SelectedList();
    EXPECT_EQ(selected.Row(selected.FindRowById(2)).Texts[2], "Z");
    ui::TTreeNode* node = window_->Views().Tree().FindNodeById(2);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Text, "b2");
    EXPECT_EQ(node->Parent->Text, "Z");
    EXPECT_EQ(Artist("A")->Children.size(), 2u);
}

// The row's texts change, its selection does not: Edit, Delete and Play stay on.
TEST_F(ItemCommandsTest, EditedRowKeepsItsSelectionAndItsCommands) {
    StartWith({"a", "b"});
    window_->Views().AllList().SetSelected(0, true);
    window_->ListSelectionChanged(TViewSource::AllList);
    ASSERT_EQ(window_->CommandMask() & ui::kMaskSelectionBits, ui::kMaskSelectionBits);
    shell_.EditAnswers.push_back([](TEditDialog& dialog) {
        dialog.ED_Title = "a2";
        return true;
    });
    window_->Run(TCommandId::ItemEdit);
    EXPECT_TRUE(window_->Modified());
    EXPECT_EQ(window_->CommandMask() & ui::kMaskSelectionBits, ui::kMaskSelectionBits);
}

TEST_F(ItemCommandsTest, CancelledEditChangesNothing) {
    StartWith({"a"});
    window_->Views().AllList().SetSelected(0, true);
    shell_.EditAnswers.push_back([](TEditDialog& dialog) {
        dialog.ED_Title = "changed";
        return false;
    });
    window_->Run(TCommandId::ItemEdit, TViewSource::AllList);
    EXPECT_EQ(Titles(), std::vector<std::string>{"a"});
    EXPECT_EQ(window_->Views().AllList().Row(0).Texts[3], "a");
    EXPECT_FALSE(window_->Modified());
}

TEST_F(ItemCommandsTest, EditWithNoneSeveralOrAnArtistNodeSelectedShowsNoDialog) {
    StartWith({"a", "b"});
    window_->Run(TCommandId::ItemEdit, TViewSource::AllList);
    window_->Views().AllList().SetSelected(0, true);
    window_->Views().AllList().SetSelected(1, true);
    window_->Run(TCommandId::ItemEdit, TViewSource::AllList);
    window_->Views().Tree().SetSelected(Artist("A"));
    window_->Run(TCommandId::ItemEdit, TViewSource::Tree);
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_FALSE(window_->Modified());
}

// --- Delete -----------------------------------------------------------------------------

TEST_F(ItemCommandsTest, DeletingSelectedRowsOfTheSelectedPageRemovesThemEverywhere) {
    StartWith({"a", "b", "c", "d"});
    window_->Views().ExpandNode(Artist("A"));
    window_->PageChanged(TPage::Selected);
    window_->Views().SelectedList().SetSelected(0, true);  // ID 1
    window_->Views().SelectedList().SetSelected(2, true);  // ID 3
    window_->Run(TCommandId::ItemDelete);
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_EQ(Titles(), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(window_->SelectedSet()->Count(), 2);
    EXPECT_EQ(Ids(window_->Views().AllList()), (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(Ids(window_->Views().SelectedList()), (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(window_->Views().Tree().FindNodeById(1), nullptr);
    EXPECT_EQ(window_->Views().Tree().FindNodeById(3), nullptr);
    EXPECT_TRUE(window_->Modified());
}

TEST_F(ItemCommandsTest, DeletingARecordOutsideTheSelectedSetSkipsTheSet) {
    StartWith({"a", "b"});
    TrackRecord pattern;
    pattern.Title = "a";
    window_->SetSelectedSet(window_->Catalogue().SelectByTemplate(pattern));
    window_->Views().AllList().SetSelected(1, true);  // ID 2, not in the set
    window_->Run(TCommandId::ItemDelete, TViewSource::AllList);
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_EQ(Titles(), std::vector<std::string>{"a"});
    EXPECT_EQ(window_->SelectedSet()->Count(), 1);
}

TEST_F(ItemCommandsTest, DeletingTheLastTitleOfAnArtistPrunesTheArtistNode) {
    StartWith({"a"});
    window_->Views().ExpandNode(Artist("A"));
    window_->Views().Tree().SetSelected(window_->Views().Tree().FindNodeById(1));
    window_->Run(TCommandId::ItemDelete, TViewSource::Tree);
    EXPECT_EQ(window_->Catalogue().Count(), 0);
    EXPECT_EQ(window_->SelectedSet()->Count(), 0);
    EXPECT_EQ(Artist("A"), nullptr);
}

TEST_F(ItemCommandsTest, DeleteWithAnArtistNodeIsNotFoundAndKeepsModifiedOff) {
    StartWith({"a"});
    window_->Views().Tree().SetSelected(Artist("A"));
    window_->Run(TCommandId::ItemDelete, TViewSource::Tree);
    EXPECT_EQ(shell_.MessageTexts(), std::vector<std::string>{msg::RecordNotFound});
    EXPECT_EQ(window_->Catalogue().Count(), 1);
    EXPECT_EQ(window_->SelectedSet()->Count(), 1);
    EXPECT_FALSE(window_->Modified());
}

TEST_F(ItemCommandsTest, DeleteWithARepeatedIdLeavesTheSetReferringToNoReleasedRecord) {
    // A loaded file may repeat an identifier. After a sort the catalogue's first record with
    // it is not the selected set's first one; the set must still drop the record released.
    Start();
    TrackRecord later = MakeRecord("b", "later");
    later.ID = 7;
    window_->Catalogue().InsertAsStored(later);
    TrackRecord earlier = MakeRecord("a", "earlier");
    earlier.ID = 7;
    window_->Catalogue().InsertAsStored(earlier);
    TrackRecord all;
    all.ID = kEndID;
    window_->SetSelectedSet(window_->Catalogue().SelectByTemplate(all));
    window_->Catalogue().SortBy(TrackField::Artist);
    window_->Views().RefreshViews(ui::RebuildList);
    window_->Views().RefreshViews(ui::RebuildSelected);
    ForgetShell();
    window_->Views().AllList().SetSelected(0, true);
    window_->Run(TCommandId::ItemDelete, TViewSource::AllList);
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_EQ(Titles(), std::vector<std::string>{"later"});
    const TTracklore& set = *window_->SelectedSet();
    const TTracklore& catalogue = window_->Catalogue();
    for (int slot = 0; slot < TTracklore::kSlotCount; ++slot) {
        const TrackRecord* referred = set.SlotRecord(slot);
        if (referred == nullptr) continue;
        bool held = false;
        for (int owner = 0; owner < TTracklore::kSlotCount && !held; ++owner)
            held = catalogue.SlotRecord(owner) == referred;
        EXPECT_TRUE(held) << "the set refers to a released record in slot " << slot;
    }
}

TEST_F(ItemCommandsTest, DeleteFailingPartWayStillMarksTheEarlierDeletions) {
    StartWith({"a", "b", "c"});
    // Record 3 leaves the catalogue behind the views' back, so its row names no record.
    window_->SetSelectedSet(nullptr);
    TrackRecord gone;
    gone.ID = 3;
    window_->Catalogue().Delete(gone);
    window_->Views().AllList().SetSelected(0, true);
    window_->Views().AllList().SetSelected(2, true);
    window_->Run(TCommandId::ItemDelete, TViewSource::AllList);
    EXPECT_EQ(shell_.MessageTexts(), std::vector<std::string>{msg::RecordNotFound});
    EXPECT_EQ(Titles(), std::vector<std::string>{"b"});
    EXPECT_TRUE(window_->Modified());
}

}  // namespace
}  // namespace tracklore::test
