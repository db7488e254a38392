// Tests of the "Edit entry" model: presetting and reading back.
#include "search/edit_dialog.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "core/convert.h"
#include "core/genres.h"
#include "tests/support/error_text.h"
#include "tests/support/sample_records.h"
#include "tests/support/scripted_shell.h"

namespace tracklore {
namespace {

TrackRecord FullRecord() {
    return test::AbbaRecord();
}

TEST(EditDialog, PresetShowsTheRecordWithItsGenreNameAndTheSortedGenres) {
    TEditDialog dialog;
    dialog.Preset(FullRecord());
    EXPECT_EQ(dialog.MED_ID, "42");
    EXPECT_EQ(dialog.ED_Artist, "Abba");
    EXPECT_EQ(dialog.ED_Album, "Gold");
    EXPECT_EQ(dialog.ED_Title, "Waterloo");
    EXPECT_EQ(dialog.MED_Year, "1974");
    EXPECT_EQ(dialog.CB_Genre, "Pop");
    EXPECT_EQ(dialog.ED_Comment, "first");
    EXPECT_EQ(dialog.ED_Volume, "MUSIC01");
    EXPECT_EQ(dialog.ED_Filename, "/Albums/x.mp3");
    // Only the named genres are offered, "(none)" among them, without empty entries.
    const auto& items = dialog.CB_GenreItems;
    EXPECT_EQ(items.size(), 149u);
    EXPECT_EQ(std::count(items.begin(), items.end(), ""), 0);
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(items[0], "(none)");
    EXPECT_EQ(items[1], "A capella");
}

TEST(EditDialog, UntouchedReadBackGivesTheSameRecord) {
    const TrackRecord original = FullRecord();
    TEditDialog dialog;
    dialog.Preset(original);
    TrackRecord record = original;
    dialog.ReadBack(record);
    EXPECT_EQ(record, original);
}

TEST(EditDialog, ReadBackTakesTextsAsTypedAndPassesHiddenFieldsThrough) {
    TEditDialog dialog;
    TrackRecord record = FullRecord();
    dialog.Preset(record);
    dialog.ED_Artist = " ABBA ";
    dialog.ED_Title = "";
    dialog.ED_Comment = "b\xC3\xA4st";
    dialog.ED_Volume = "CD 2";
    dialog.ED_Filename = "/other.mp3";
    dialog.ReadBack(record);
    EXPECT_EQ(record.Artist, " ABBA ");
    EXPECT_EQ(record.Title, "");
    EXPECT_EQ(record.Comment, "b\xC3\xA4st");
    EXPECT_EQ(record.Volume, "CD 2");
    EXPECT_EQ(record.Filename, "/other.mp3");
    EXPECT_EQ(record.PlayLength, 165);
    EXPECT_EQ(record.SampleRate, 44100);
    EXPECT_EQ(record.BitRate, 128);
    EXPECT_EQ(record.FileSize, 2640000u);
    EXPECT_EQ(record.FileDate, 36525.5);
}

TEST(EditDialog, TwoDigitYearIsStoredWithoutTheMaskBlanks) {
    TEditDialog dialog;
    TrackRecord record = FullRecord();
    dialog.Preset(record);
    dialog.MED_Year = "97  ";
    dialog.ReadBack(record);
    EXPECT_EQ(record.Year, "97");
    dialog.MED_Year = "    ";
    dialog.ReadBack(record);
    EXPECT_EQ(record.Year, "");
}

TEST(EditDialog, IdIsReadFromTheFieldWithoutItsBlanks) {
    TEditDialog dialog;
    TrackRecord record = FullRecord();
    dialog.Preset(record);
    dialog.MED_ID = "17     ";
    dialog.ReadBack(record);
    EXPECT_EQ(record.ID, 17);
}

TEST(EditDialog, BlankIdRaisesAndLeavesTheRecordWhole) {
    TEditDialog dialog;
    const TrackRecord original = FullRecord();
    TrackRecord record = original;
    dialog.Preset(record);
    dialog.MED_ID = "       ";
    dialog.ED_Artist = "changed";
    try {
        dialog.ReadBack(record);
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid integer value");
    }
    EXPECT_EQ(record, original);
}

TEST(EditDialog, GenreIsFoundByItsExactName) {
    TEditDialog dialog;
    TrackRecord record = FullRecord();
    dialog.Preset(record);
    dialog.CB_Genre = "Rock";
    dialog.ReadBack(record);
    EXPECT_EQ(record.Genre, 17);
    // Case counts: "rock" names no genre.
    dialog.CB_Genre = "rock";
    dialog.ReadBack(record);
    EXPECT_EQ(record.Genre, 255);
    dialog.CB_Genre = "Polka music";
    dialog.ReadBack(record);
    EXPECT_EQ(record.Genre, 255);
}

TEST(EditDialog, ClearedGenreMeansNone) {
    TEditDialog dialog;
    TrackRecord record = FullRecord();
    dialog.Preset(record);
    dialog.CB_Genre = "";
    dialog.ReadBack(record);
    EXPECT_EQ(record.Genre, 255);
}

TEST(EditDialog, UnnamedGenreSurvivesAnEditOfOtherFields) {
    for (const uint8_t genre : {uint8_t{148}, uint8_t{200}, uint8_t{254}}) {
        TrackRecord record = FullRecord();
        record.Genre = genre;
        TEditDialog dialog;
        dialog.Preset(record);
        EXPECT_EQ(dialog.CB_Genre, "");
        dialog.ED_Title = "new";
        dialog.ReadBack(record);
        EXPECT_EQ(record.Genre, genre);
        EXPECT_EQ(record.Title, "new");
    }
}

TEST(EditDialog, ExecuteCancelledLeavesTheRecord) {
    test::TScriptedShell shell;
    shell.EditAnswers.push_back([](TEditDialog& dialog) {
        dialog.ED_Artist = "changed";
        return false;
    });
    const TrackRecord original = FullRecord();
    TrackRecord record = original;
    TEditDialog dialog;
    EXPECT_FALSE(dialog.Execute(shell, record));
    EXPECT_EQ(record, original);
}

TEST(EditDialog, ExecuteShowsThePresetAndWritesBackOnOk) {
    test::TScriptedShell shell;
    shell.EditAnswers.push_back([](TEditDialog& dialog) {
        EXPECT_EQ(dialog.MED_ID, "42");
        EXPECT_EQ(dialog.CB_Genre, "Pop");
        EXPECT_FALSE(dialog.CB_GenreItems.empty());
        dialog.ED_Album = "Arrival";
        dialog.CB_Genre = "Disco";
        return true;
    });
    TrackRecord record = FullRecord();
    TEditDialog dialog;
    ASSERT_TRUE(dialog.Execute(shell, record));
    EXPECT_EQ(record.Album, "Arrival");
    EXPECT_EQ(record.Genre, 4);
    EXPECT_EQ(record.ID, 42);
}

}  // namespace
}  // namespace tracklore
