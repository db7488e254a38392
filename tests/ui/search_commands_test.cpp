// The field search, the advanced search and the result windows' actions, through the
// scripted shell.
#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "core/file_choice.h"
#include "search/duplicates_dialog.h"
#include "search/search_dialogs.h"
#include "search/select_form.h"
#include "tests/support/fake_print_canvas.h"
#include "tests/support/main_window_fixture.h"
#include "ui/printer_dialog.h"

namespace tracklore::ui {
namespace {

class SearchCommands : public test::MainWindowFixture {
protected:
    void SetUp() override {
        Start();
        AddRecords({"One", "Two", "Three", "Four"});
        // Four tracks of 1, 2, 3 and 4 minutes by different artists.
        for (int32_t id = 1; id <= 4; ++id) {
            TrackRecord record;
            window_->Catalogue().GetByID(id, record);
            record.Artist = id % 2 ? "Heartbeat" : "Other";
            record.PlayLength = static_cast<uint16_t>(60 * id);
            window_->Catalogue().Update(record);
        }
        window_->Views().RefreshViews(FullRebuild);
        ForgetShell();
    }

    // The advanced dialog as a user fills it: types `text` and presses "&Search...".
    std::function<bool(TSearchDialog2&)> Typed(const std::string& text) {
        return [this, text](TSearchDialog2& dialog) {
            dialog.E_Expr = text;
            return dialog.B_SearchClick(shell_);
        };
    }

    std::vector<int32_t> SelectedIdsInSet() {
        std::vector<int32_t> ids;
        if (TTracklore* set = window_->SelectedSet())
            for (int slot = 0; slot < TTracklore::kSlotCount; ++slot)
                if (const TrackRecord* record = set->SlotRecord(slot)) ids.push_back(record->ID);
        return ids;
    }

    std::vector<int32_t> SelectedListIds() {
        std::vector<int32_t> ids;
        TListView& list = window_->Views().SelectedList();
        for (int row = 0; row < list.RowCount(); ++row)
            ids.push_back(list.Row(row).Data);
        return ids;
    }
};

TEST_F(SearchCommands, UseSelectedIsDisabledWithoutASelectedSet) {
    window_->ShowPage(TPage::Selected);
    bool checked = true, enabled = true;
    shell_.SearchAnswers.push_back([&](TSearchDialog& dialog) {
        checked = dialog.CKB_UseSelected;
        enabled = dialog.CKB_UseSelectedEnabled;
        return false;
    });
    window_->Run(TCommandId::Search);
    EXPECT_FALSE(checked);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(window_->SelectedSet(), nullptr);
}

TEST_F(SearchCommands, PresetFieldSearchSelectsEveryRecord) {
    TrackRecord shown;
    shell_.SearchAnswers.push_back([&](TSearchDialog& dialog) {
        dialog.ReadBack(shown);
        return true;
    });
    window_->Run(TCommandId::Search);
    EXPECT_EQ(shown.ID, 0);
    EXPECT_EQ(shown.Genre, kGenreNone);
    EXPECT_EQ(SelectedIdsInSet(), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(SelectedListIds(), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(shell_.StatusTexts.front(), "Selecting items...");
    EXPECT_EQ(shell_.StatusTexts.back(), "4 records found");
    ASSERT_FALSE(shell_.PagesShown.empty());
    EXPECT_EQ(shell_.PagesShown.back(), TPage::Selected);
    EXPECT_TRUE(shell_.Messages.empty());
}

TEST_F(SearchCommands, FieldSearchMatchesArtistAnywhereIgnoringCase) {
    shell_.SearchAnswers.push_back([](TSearchDialog& dialog) {
        dialog.ED_Artist = "BEAT";
        return true;
    });
    window_->Run(TCommandId::Search);
    EXPECT_EQ(SelectedIdsInSet(), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(shell_.Status, "2 records found");
}

TEST_F(SearchCommands, BlankedIdKeepsTheDialogOpenWithItsTextsUntilMended) {
    shell_.SearchAnswers.push_back([](TSearchDialog& dialog) {
        dialog.ED_Artist = "beat";
        dialog.MED_ID = "       ";
        return true;
    });
    std::string artistAfterError;
    shell_.SearchAnswers.push_back([&](TSearchDialog& dialog) {
        artistAfterError = dialog.ED_Artist;
        dialog.MED_ID = "0";
        return true;
    });
    window_->Run(TCommandId::Search);
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text, "ID field: '' is not a valid integer value");
    EXPECT_EQ(shell_.Messages[0].Kind, TMsgKind::Error);
    EXPECT_EQ(artistAfterError, "beat");
    EXPECT_EQ(SelectedIdsInSet(), (std::vector<int32_t>{1, 3}));
}

TEST_F(SearchCommands, FieldSearchWithinSelectedReplacesItWithASubset) {
    shell_.SearchAnswers.push_back([](TSearchDialog& dialog) {
        dialog.ED_Artist = "beat";
        return true;
    });
    window_->Run(TCommandId::Search);
    bool checked = false, enabled = false;
    shell_.SearchAnswers.push_back([&](TSearchDialog& dialog) {
        checked = dialog.CKB_UseSelected;
        enabled = dialog.CKB_UseSelectedEnabled;
        dialog.ED_Title = "o";  // One, Two, Four; only One is in the set
        return true;
    });
    window_->Run(TCommandId::Search);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(SelectedIdsInSet(), (std::vector<int32_t>{1}));
    // The set it came from is gone: the new one refers to the catalogue itself.
    EXPECT_EQ(window_->SelectedSet()->Parent(), &window_->Catalogue());
}

TEST_F(SearchCommands, UseSelectedUncheckedOnAnotherPageSearchesTheCatalogue) {
    shell_.SearchAnswers.push_back([](TSearchDialog& dialog) {
        dialog.MED_ID = "2";
        return true;
    });
    window_->Run(TCommandId::Search);
    window_->ShowPage(TPage::List);
    bool checked = true;
    shell_.SearchAnswers.push_back([&](TSearchDialog& dialog) {
        checked = dialog.CKB_UseSelected;
        dialog.MED_ID = "-1";
        return true;
    });
    window_->Run(TCommandId::Search);
    EXPECT_FALSE(checked);
    EXPECT_EQ(SelectedIdsInSet(), (std::vector<int32_t>{1, 2, 3, 4}));
}

TEST_F(SearchCommands, AdvancedSearchSelectsAndOpensOneResultWindowEach) {
    shell_.AdvancedSearchAnswers.push_back(Typed("time>120"));
    window_->Run(TCommandId::AdvancedSearch);
    EXPECT_EQ(SelectedIdsInSet(), (std::vector<int32_t>{3, 4}));
    EXPECT_EQ(SelectedListIds(), (std::vector<int32_t>{3, 4}));
    ASSERT_EQ(shell_.SelectForms.size(), 1u);
    EXPECT_EQ(shell_.SelectForms[0]->RowCount(), 2);
    EXPECT_EQ(shell_.SelectForms[0]->Row(0).Texts[9], "3:00");
    EXPECT_EQ(shell_.StatusTexts.front(), "Selecting items...");
    EXPECT_EQ(shell_.StatusTexts.back(), "2 records found");

    std::string shownText;
    shell_.AdvancedSearchAnswers.push_back([&](TSearchDialog2& dialog) {
        shownText = dialog.E_Expr;  // the dialog keeps its text between uses
        dialog.CKB_UseSelected = false;
        return Typed("artist==\"Other\"")(dialog);
    });
    window_->Run(TCommandId::AdvancedSearch);
    EXPECT_EQ(shownText, "time>120");
    EXPECT_EQ(SelectedIdsInSet(), (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(shell_.SelectForms.size(), 2u);
    EXPECT_EQ(shell_.SelectForms[0]->RowCount(), 2);
}

TEST_F(SearchCommands, CancelledAdvancedSearchChangesNothing) {
    shell_.AdvancedSearchAnswers.push_back([](TSearchDialog2&) { return false; });
    window_->Run(TCommandId::AdvancedSearch);
    EXPECT_EQ(window_->SelectedSet(), nullptr);
    EXPECT_TRUE(shell_.SelectForms.empty());
    EXPECT_TRUE(shell_.StatusTexts.empty());
}

TEST_F(SearchCommands, ErrorDuringTheSearchKeepsPreviousSelection) {
    shell_.AdvancedSearchAnswers.push_back(Typed("time<=60"));
    window_->Run(TCommandId::AdvancedSearch);
    TTracklore* previous = window_->SelectedSet();
    ASSERT_NE(previous, nullptr);
    ForgetShell();

    shell_.AdvancedSearchAnswers.push_back(Typed("time>3 AND nosuch==1"));
    shell_.MessageAnswers.push_back(TModalResult::OK);
    window_->Run(TCommandId::AdvancedSearch);
    EXPECT_EQ(shell_.MessageTexts(), (std::vector<std::string>{"Unkown identifier \"nosuch\""}));
    EXPECT_EQ(shell_.Messages[0].Caption, kAppTitle);
    EXPECT_EQ(window_->SelectedSet(), previous);
    EXPECT_EQ(SelectedListIds(), (std::vector<int32_t>{1}));
    EXPECT_EQ(shell_.SelectForms.size(), 1u);
    EXPECT_EQ(shell_.StatusTexts.back(), "");
}

TEST_F(SearchCommands, AdvancedSearchOnlySelectedNarrowsTheSet) {
    shell_.AdvancedSearchAnswers.push_back(Typed("artist~=\"heart\""));
    window_->Run(TCommandId::AdvancedSearch);
    shell_.AdvancedSearchAnswers.push_back([&](TSearchDialog2& dialog) {
        EXPECT_TRUE(dialog.CKB_UseSelected);  // the search showed the Selected page
        EXPECT_TRUE(dialog.CKB_UseSelectedEnabled);
        return Typed("time>=120")(dialog);
    });
    window_->Run(TCommandId::AdvancedSearch);
    EXPECT_EQ(SelectedIdsInSet(), (std::vector<int32_t>{3}));
    EXPECT_EQ(window_->SelectedSet()->Parent(), &window_->Catalogue());
}

TEST_F(SearchCommands, FindDuplicatesShowsTheGroupsInAResultWindowOfTheirOwn) {
    TrackRecord record;  // record 4 becomes record 2 again, one second longer
    window_->Catalogue().GetByID(4, record);
    record.Title = " two ";
    record.PlayLength = 121;
    window_->Catalogue().Update(record);
    shell_.DuplicatesAnswers.push_back([](TDuplicatesDialog& dialog) {
        EXPECT_TRUE(dialog.CKB_ArtistTitle && dialog.CKB_SizeLength);
        dialog.CKB_SizeLength = false;
        return true;
    });
    window_->Run(TCommandId::FindDuplicates);
    ASSERT_EQ(shell_.SelectForms.size(), 1u);
    const TSelectForm& form = *shell_.SelectForms[0];
    ASSERT_TRUE(form.HasGroups());
    ASSERT_EQ(form.RowCount(), 2);
    EXPECT_EQ(form.Cell(1, 0), "1");
    EXPECT_EQ(form.Row(0).ID(), 2);
    EXPECT_EQ(form.Row(1).ID(), 4);
    EXPECT_EQ(window_->SelectedSet(), nullptr);  // the selection is not touched
    EXPECT_EQ(shell_.StatusTexts.front(), "Finding duplicates...");
    EXPECT_EQ(shell_.StatusTexts.back(), "");

    shell_.AdvancedSearchAnswers.push_back(Typed("time>120"));
    window_->Guarded([&] { window_->SelectFormSearchWithin(form); });
    EXPECT_EQ(SelectedIdsInSet(), (std::vector<int32_t>{4}));
}

TEST_F(SearchCommands, FindDuplicatesCancelledOrWithoutAnyOpensNoWindow) {
    shell_.DuplicatesAnswers.push_back([](TDuplicatesDialog&) { return false; });
    window_->Run(TCommandId::FindDuplicates);
    EXPECT_TRUE(shell_.Messages.empty());
    shell_.DuplicatesAnswers.push_back([](TDuplicatesDialog&) { return true; });
    shell_.MessageAnswers.push_back(TModalResult::OK);
    window_->Run(TCommandId::FindDuplicates);
    EXPECT_EQ(shell_.MessageTexts(), (std::vector<std::string>{"No duplicates found."}));
    EXPECT_TRUE(shell_.SelectForms.empty());
}

TEST_F(SearchCommands, SaveWritesTheRecordsTheWindowShows) {
    shell_.AdvancedSearchAnswers.push_back(Typed("time>=120"));
    window_->Run(TCommandId::AdvancedSearch);
    ASSERT_EQ(shell_.SelectForms.size(), 1u);
    const std::string path = dir_.Path("shown.tracklore");
    shell_.SaveAnswers.push_back(path);
    window_->Guarded([&] { window_->SelectFormSave(*shell_.SelectForms[0]); });
    ASSERT_EQ(shell_.SaveDialogs.size(), 1u);
    EXPECT_EQ(shell_.SaveDialogs[0].FilterIndex, 1);
    EXPECT_EQ(shell_.SaveDialogs[0].DefaultExt, "tracklore");

    TTracklore saved;
    LoadByFormat(saved, path);
    std::vector<int32_t> ids;
    TrackRecord record;
    for (saved.First(record); record.ID != kEndID; saved.Next(record))
        ids.push_back(record.ID);
    EXPECT_EQ(ids, (std::vector<int32_t>{2, 3, 4}));
    EXPECT_EQ(window_->CurrentFile(), kUntitled);
}

TEST_F(SearchCommands, SaveAsksBeforeOverwritingAndStopsOnNo) {
    shell_.AdvancedSearchAnswers.push_back(Typed("time>=120"));
    window_->Run(TCommandId::AdvancedSearch);
    const std::string path = Put("old.csv", "keep");
    shell_.SaveAnswers.push_back(path);
    shell_.MessageAnswers.push_back(TModalResult::No);
    window_->Guarded([&] { window_->SelectFormSave(*shell_.SelectForms[0]); });
    EXPECT_EQ(shell_.MessageTexts(), (std::vector<std::string>{"OK to overwrite " + path}));
    EXPECT_EQ(test::ReadFileBytes(path), "keep");
}

TEST_F(SearchCommands, PrintPrintsTheRecordsTheWindowShows) {
    shell_.AdvancedSearchAnswers.push_back(Typed("time>=180"));
    window_->Run(TCommandId::AdvancedSearch);
    ASSERT_EQ(shell_.SelectForms.size(), 1u);
    // A later search replaces the selected set; the window still shows its own records.
    shell_.AdvancedSearchAnswers.push_back(Typed("time<=60"));
    window_->Run(TCommandId::AdvancedSearch);

    test::TFakePrintCanvas canvas;
    std::string caption;
    shell_.PrinterAnswers.push_back(
        [&](TPrinterDialog& dialog, const std::function<void(TPrintCanvas&)>& print) {
            caption = dialog.Caption;
            print(canvas);
            return true;
        });
    window_->Guarded([&] { window_->SelectFormPrint(*shell_.SelectForms[0]); });
    EXPECT_EQ(caption, "Print Untitled - selected...");
    ASSERT_EQ(canvas.Jobs, 1);
    EXPECT_EQ(canvas.Find(0, "Three").size(), 1u);
    EXPECT_EQ(canvas.Find(0, "Four").size(), 1u);
    EXPECT_TRUE(canvas.Find(0, "One").empty());
    EXPECT_TRUE(canvas.Find(0, "Two").empty());
    EXPECT_TRUE(shell_.Messages.empty());
}

TEST_F(SearchCommands, SearchWithinLooksOnlyAtTheWindowsRecords) {
    shell_.AdvancedSearchAnswers.push_back(Typed("artist==\"Other\""));
    window_->Run(TCommandId::AdvancedSearch);
    ASSERT_EQ(shell_.SelectForms.size(), 1u);
    window_->ShowPage(TPage::List);

    bool checked = false, enabled = true;
    shell_.AdvancedSearchAnswers.push_back([&](TSearchDialog2& dialog) {
        checked = dialog.CKB_UseSelected;
        enabled = dialog.CKB_UseSelectedEnabled;
        return Typed("time>=60")(dialog);
    });
    window_->Guarded([&] { window_->SelectFormSearchWithin(*shell_.SelectForms[0]); });
    EXPECT_TRUE(checked);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(SelectedIdsInSet(), (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(window_->SelectedSet()->Parent(), &window_->Catalogue());
    EXPECT_EQ(shell_.SelectForms.size(), 2u);
}

TEST_F(SearchCommands, SearchWithinSkipsRecordsDeletedSinceTheWindowOpened) {
    shell_.AdvancedSearchAnswers.push_back(Typed("artist==\"Other\""));
    window_->Run(TCommandId::AdvancedSearch);
    ASSERT_EQ(shell_.SelectForms.size(), 1u);
    TrackRecord gone;
    window_->Catalogue().GetByID(4, gone);
    window_->SelectedSet()->Delete(gone);  // as an item delete does, before the catalogue
    window_->Catalogue().Delete(gone);

    shell_.AdvancedSearchAnswers.push_back(Typed("time>=60"));
    window_->Guarded([&] { window_->SelectFormSearchWithin(*shell_.SelectForms[0]); });
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_EQ(SelectedIdsInSet(), (std::vector<int32_t>{2}));
    ASSERT_EQ(shell_.SelectForms.size(), 2u);
    EXPECT_EQ(shell_.SelectForms[1]->RowCount(), 1);
}

TEST_F(SearchCommands, SearchWithinRefusesOnceTheCatalogueWasRenumberedOrReplaced) {
    shell_.AdvancedSearchAnswers.push_back(Typed("artist==\"Other\""));
    window_->Run(TCommandId::AdvancedSearch);
    ASSERT_EQ(shell_.SelectForms.size(), 1u);
    // After Renumber the window's IDs 2 and 4 would name other tracks: no dialog, a message.
    window_->Run(TCommandId::Renumber);
    window_->Guarded([&] { window_->SelectFormSearchWithin(*shell_.SelectForms[0]); });
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text, msg::ResultWindowOutdated);
    EXPECT_EQ(shell_.SelectForms.size(), 1u);

    // A window made after the change searches as usual; so does one after a plain Sort.
    shell_.AdvancedSearchAnswers.push_back(Typed("artist==\"Other\""));
    window_->Run(TCommandId::AdvancedSearch);
    ASSERT_EQ(shell_.SelectForms.size(), 2u);
    window_->Catalogue().SortBy(TrackField::Artist);
    shell_.AdvancedSearchAnswers.push_back(Typed("time>=60"));
    window_->Guarded([&] { window_->SelectFormSearchWithin(*shell_.SelectForms[1]); });
    EXPECT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.SelectForms.size(), 3u);
}

}  // namespace
}  // namespace tracklore::ui
