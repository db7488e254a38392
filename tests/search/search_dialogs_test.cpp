// The field search and advanced search dialog models: presetting, reading back and the
// advanced dialog's handlers.
#include "search/search_dialogs.h"

#include <gtest/gtest.h>

#include "core/convert.h"
#include "search/saved_searches.h"
#include "tests/support/record_builder.h"
#include "tests/support/scripted_shell.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

TrackRecord EmptyPattern() {
    return test::MakeRecord({.Genre = kGenreNone});
}

TEST(SearchDialog, PresetFromEmptyPatternShowsZeroIdAndNoGenre) {
    TSearchDialog dialog;
    dialog.ED_Artist = "left over";
    dialog.Preset(EmptyPattern());
    EXPECT_EQ(dialog.MED_ID, "0");
    EXPECT_EQ(dialog.ED_Artist, "");
    EXPECT_EQ(dialog.MED_Year, "");
    EXPECT_EQ(dialog.CB_Genre, "(none)");
}

TEST(SearchDialog, ReadBackTakesEveryFieldAsTyped) {
    TSearchDialog dialog;
    dialog.Preset(EmptyPattern());
    dialog.MED_ID = "  42   ";
    dialog.ED_Artist = "beat";
    dialog.ED_Album = "Al";
    dialog.ED_Title = " Ti ";
    dialog.MED_Year = "199 ";
    dialog.CB_Genre = "Blues";
    dialog.ED_Comment = "c";
    dialog.ED_Volume = "MUSIC_1";
    dialog.ED_Filename = "*.mp3";
    TrackRecord pattern = EmptyPattern();
    dialog.ReadBack(pattern);
    EXPECT_EQ(pattern.ID, 42);
    EXPECT_EQ(pattern.Artist, "beat");
    EXPECT_EQ(pattern.Album, "Al");
    EXPECT_EQ(pattern.Title, " Ti ");
    EXPECT_EQ(pattern.Year, "199");
    EXPECT_EQ(pattern.Genre, 0);
    EXPECT_EQ(pattern.Comment, "c");
    EXPECT_EQ(pattern.Volume, "MUSIC_1");
    EXPECT_EQ(pattern.Filename, "*.mp3");
}

TEST(SearchDialog, MinusOneIdIsAccepted) {
    TSearchDialog dialog;
    dialog.Preset(EmptyPattern());
    dialog.MED_ID = "-1     ";
    TrackRecord pattern = EmptyPattern();
    dialog.ReadBack(pattern);
    EXPECT_EQ(pattern.ID, -1);
}

TEST(SearchDialog, BlankedIdFailsBeforeAnyFieldIsWritten) {
    TSearchDialog dialog;
    dialog.Preset(EmptyPattern());
    dialog.MED_ID = "       ";
    dialog.ED_Artist = "x";
    TrackRecord pattern = EmptyPattern();
    try {
        dialog.ReadBack(pattern);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid integer value");
    }
    EXPECT_EQ(pattern, EmptyPattern());
}

TEST(SearchDialog, EmptyOrUnknownGenreTextMeansNoGenre) {
    TSearchDialog dialog;
    dialog.Preset(EmptyPattern());
    TrackRecord pattern = EmptyPattern();
    for (const char* text : {"", "rock", "No Such Genre"}) {
        dialog.CB_Genre = text;
        pattern.Genre = 7;
        dialog.ReadBack(pattern);
        EXPECT_EQ(pattern.Genre, kGenreNone) << text;
    }
    dialog.CB_Genre = "Rock";
    dialog.ReadBack(pattern);
    EXPECT_EQ(pattern.Genre, 17);
}

TEST(SearchDialog, CancelLeavesThePatternUnchanged) {
    test::TScriptedShell shell;
    shell.SearchAnswers.push_back([](TSearchDialog& dialog) {
        dialog.ED_Artist = "typed";
        return false;
    });
    TSearchDialog dialog;
    TrackRecord pattern = EmptyPattern();
    EXPECT_FALSE(dialog.Execute(shell, pattern));
    EXPECT_EQ(pattern, EmptyPattern());
}

TEST(SearchDialog, ExecuteShowsThePresetAndReadsBackOnOk) {
    test::TScriptedShell shell;
    std::string shownGenre;
    shell.SearchAnswers.push_back([&](TSearchDialog& dialog) {
        shownGenre = dialog.CB_Genre;
        dialog.ED_Title = "mirror";
        return true;
    });
    TSearchDialog dialog;
    TrackRecord pattern = EmptyPattern();
    EXPECT_TRUE(dialog.Execute(shell, pattern));
    EXPECT_EQ(shownGenre, "(none)");
    EXPECT_EQ(pattern.Title, "mirror");
    EXPECT_EQ(pattern.ID, 0);
}

TEST(AdvancedSearchDialog, TestShowsThePrintedTree) {
    TSearchDialog2 dialog;
    dialog.E_Expr = "time>360 and artist~=\"Aqua\"";
    dialog.B_TestClick();
    ASSERT_NE(dialog.Tree, nullptr);
    EXPECT_EQ(dialog.L_Parsed, dialog.Tree->Describe(0));
    EXPECT_NE(dialog.L_Parsed.find("time > 360"), std::string::npos) << dialog.L_Parsed;
}

TEST(AdvancedSearchDialog, TypeErrorAtTestShowsMessageAndDropsTree) {
    TSearchDialog2 dialog;
    dialog.E_Expr = "artist";
    dialog.B_TestClick();
    ASSERT_NE(dialog.Tree, nullptr);
    dialog.E_Expr = "year>=1992";
    dialog.B_TestClick();
    EXPECT_EQ(dialog.Tree, nullptr);
    EXPECT_EQ(dialog.L_Parsed,
              "Type error in \"year >= 1992\"\nYEAR is text: write year>=\"1992\"");
}

struct HintCase {
    const char* expression;
    const char* shown;  // the message, and under it the line of help
};

TEST(AdvancedSearchDialog, CrypticMessagesGetALineOfHelp) {
    const HintCase cases[] = {
        {"time>3m", "[7] Digit larger than base\na number may not run into letters"},
        {"filesize>5XB", "[11] Digit larger than base\na number may not run into letters"},
        {"year==1992", "Type error in \"year == 1992\"\nYEAR is text: write year==\"1992\""},
        {"artist<1.5", "Type error in \"artist < 1.5\"\nARTIST is text: write artist<\"1.5\""},
        {"time==\"180\"", "Type error in \"time == \"180\"\"\nTIME is a number: write time==180"},
        {"time~=\"3\"", "Type error in \"time ~= \"3\"\"\nTIME is a number: write time==3"},
        {"time>\"long\"",
         "Type error in \"time > \"long\"\"\n"
         "TIME is a number: compare it with a number, without quotes"},
        {"time~=3",
         "Type error in \"time ~= 3\"\nTIME is a number and ~= is for text: write time==3"},
        {"id==TRUE",
         "Type error in \"id == true\"\nID is a number: TRUE and FALSE compare with no field"},
        {"title!=false",
         "Type error in \"title != false\"\nTITLE is text: TRUE and FALSE compare with no field"},
        {"artist AND time>3",
         "Type error in \"artist AND time > 3\"\n"
         "ARTIST alone is no condition: compare it, as artist~=\"abc\""},
        {"time>3 OR kbitrate",
         "Type error in \"time > 3 OR kbitrate\"\n"
         "KBITRATE alone is no condition: compare it, as kbitrate>=1"},
        {"NOT album",
         "Cannot perform NOT on non-boolean value\n"
         "ALBUM alone is no condition: compare it, as album~=\"abc\""},
        {"nosuch==1",
         "Unkown identifier \"nosuch\"\nValid names: id, volume, artist, title, album, time, "
         "filesize, genre, filename, comment, year, samplerate, kbitrate, date"},
        {"(time>3", "[8] Missing \")\""},
    };
    for (const HintCase& c : cases) {
        TSearchDialog2 dialog;
        dialog.E_Expr = c.expression;
        dialog.B_TestClick();
        EXPECT_EQ(dialog.L_Parsed, c.shown) << c.expression;
    }
}

TEST(AdvancedSearchDialog, EmptyTextIsRefused) {
    TSearchDialog2 dialog;
    dialog.B_TestClick();
    EXPECT_EQ(dialog.Tree, nullptr);
    EXPECT_EQ(dialog.L_Parsed, "Empty expression - must supply an expression");
}

TEST(AdvancedSearchDialog, UnknownIdentifierBehindFalseAndPassesTheTest) {
    TSearchDialog2 dialog;
    dialog.E_Expr = "time>3 AND nosuch==1";
    dialog.B_TestClick();
    EXPECT_NE(dialog.Tree, nullptr) << dialog.L_Parsed;
}

TEST(AdvancedSearchDialog, SearchWithBadExpressionShowsErrorBoxAndStaysOpen) {
    test::TScriptedShell shell;
    shell.MessageAnswers.push_back(ui::TModalResult::OK);
    TSearchDialog2 dialog;
    dialog.E_Expr = "NOT artist";
    EXPECT_FALSE(dialog.B_SearchClick(shell));
    ASSERT_EQ(shell.Messages.size(), 1u);
    EXPECT_EQ(shell.Messages[0].Text,
              "Cannot perform NOT on non-boolean value\n"
              "ARTIST alone is no condition: compare it, as artist~=\"abc\"");
    EXPECT_EQ(shell.Messages[0].Caption, "Error parsing");
    EXPECT_EQ(shell.Messages[0].Buttons, unsigned{ui::mbOK});
    EXPECT_EQ(dialog.E_Expr, "NOT artist");
    EXPECT_EQ(dialog.Tree, nullptr);
    EXPECT_FALSE(dialog.FormCloseQuery(true));
    EXPECT_TRUE(dialog.FormCloseQuery(false));
}

TEST(AdvancedSearchDialog, SearchWithGoodExpressionMayClose) {
    test::TScriptedShell shell;
    TSearchDialog2 dialog;
    dialog.E_Expr = "year>=\"1992\"";
    EXPECT_TRUE(dialog.B_SearchClick(shell));
    EXPECT_TRUE(shell.Messages.empty());
    EXPECT_TRUE(dialog.FormCloseQuery(true));
}

TEST(AdvancedSearchDialog, CheckWhileTypingLeavesTheTreeAlone) {
    TSearchDialog2 dialog;
    dialog.E_Expr = "time>3";
    dialog.B_TestClick();
    const TExpr* tree = dialog.Tree.get();
    EXPECT_EQ(CheckExpression("").State, TExprCheckState::Empty);
    const TExprCheck good = CheckExpression("time>=3:00");
    EXPECT_EQ(good.State, TExprCheckState::Valid);
    EXPECT_EQ(good.Text, "time >= 180");
    const TExprCheck bad = CheckExpression("time>=3:60");
    EXPECT_EQ(bad.State, TExprCheckState::Invalid);
    EXPECT_EQ(bad.Text, "[9] Minutes and seconds after a colon must be two digits, 00 to 59");
    EXPECT_EQ(CheckExpression("time>3m").Text,
              "[7] Digit larger than base\na number may not run into letters");
    EXPECT_EQ(dialog.Tree.get(), tree);
}

class SavedSearches : public testing::Test {
protected:
    SavedSearches() { dialog_.RegistryFile = dir_.Path("Tracklore.reg"); }

    // Saves `expression` as `name` through the dialog.
    bool Save(const std::string& expression, const std::string& name) {
        dialog_.E_Expr = expression;
        return dialog_.B_SaveClick(shell_, name);
    }

    test::TTempDir dir_;
    test::TScriptedShell shell_;
    TSearchDialog2 dialog_;
};

TEST_F(SavedSearches, SaveListsTheNameAndChoosingItFillsTheBox) {
    EXPECT_TRUE(Save("time>=3:00", "  Long ones "));
    EXPECT_TRUE(Save("artist~=\"Aqua\"", "Aqua"));
    EXPECT_EQ(dialog_.CB_Saved, (std::vector<std::string>{"Long ones", "Aqua"}));
    EXPECT_TRUE(shell_.Messages.empty());

    TSearchDialog2 later;  // as the next run of the program sees the store
    later.RegistryFile = dialog_.RegistryFile;
    later.LoadSaved();
    EXPECT_EQ(later.CB_Saved, dialog_.CB_Saved);
    EXPECT_TRUE(later.CB_SavedSelect("long ONES"));
    EXPECT_EQ(later.E_Expr, "time>=3:00");
    later.E_Expr = "kept";
    EXPECT_FALSE(later.CB_SavedSelect("gone"));
    EXPECT_EQ(later.E_Expr, "kept");
}

TEST_F(SavedSearches, SavingAnExistingNameAsksBeforeReplacing) {
    ASSERT_TRUE(Save("time>1", "Mine"));
    shell_.MessageAnswers = {ui::TModalResult::No, ui::TModalResult::Yes};
    EXPECT_FALSE(Save("time>2", "MINE"));
    std::string expression;
    ASSERT_TRUE(FindSavedSearch(dialog_.RegistryFile, "mine", expression));
    EXPECT_EQ(expression, "time>1");
    EXPECT_TRUE(Save("time>3", "MINE"));
    ASSERT_TRUE(FindSavedSearch(dialog_.RegistryFile, "mine", expression));
    EXPECT_EQ(expression, "time>3");
    EXPECT_EQ(dialog_.CB_Saved, (std::vector<std::string>{"Mine"}));
    ASSERT_EQ(shell_.Messages.size(), 2u);
    EXPECT_EQ(shell_.Messages[0].Text, "Replace the saved search \"MINE\"?");
}

TEST_F(SavedSearches, RefusesBadNamesAndExpressionsWithAMessage) {
    shell_.MessageAnswers.assign(3, ui::TModalResult::OK);
    EXPECT_FALSE(Save("time>1", "   "));
    EXPECT_FALSE(Save("time>1", "two\nlines"));
    EXPECT_FALSE(Save("year==1992", "Nineties"));
    ASSERT_EQ(shell_.Messages.size(), 3u);
    EXPECT_EQ(shell_.Messages[1].Text, shell_.Messages[0].Text);
    EXPECT_EQ(shell_.Messages[2].Caption, "Error parsing");
    EXPECT_TRUE(LoadSavedSearches(dialog_.RegistryFile).empty());
}

TEST_F(SavedSearches, AStoreThatCannotBeWrittenKeepsWhatItHad) {
    ASSERT_TRUE(Save("time>1", "Mine"));
    const std::string before = test::ReadFileBytes(dialog_.RegistryFile);
    dialog_.RegistryFile = dir_.Path("Tracklore.reg/inside.reg");  // a file where a folder goes
    shell_.MessageAnswers.push_back(ui::TModalResult::OK);
    EXPECT_FALSE(Save("time>2", "Other"));
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Caption, "Save search");
    EXPECT_EQ(test::ReadFileBytes(dir_.Path("Tracklore.reg")), before);
}

}  // namespace
}  // namespace tracklore
