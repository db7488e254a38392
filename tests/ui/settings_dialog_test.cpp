// Tests of editing the preferences through the "Settings..." model.
#include "ui/settings_dialog.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_shell.h"

namespace tracklore::ui {
namespace {

using test::TScriptedShell;

TPrefs SomePrefs() {
    TPrefs prefs;
    prefs.ListFont = {"DejaVu Sans", 10, 0x000000FF, kFontItalic};
    prefs.ListBkColor = 0x00FFFFEE;
    prefs.ScanVBR = true;
    prefs.Capacity = 40000;
    return prefs;
}

// What a user changes in the dialog: all three choices.
bool ChangeEverything(TSettingsBox& box) {
    box.ViewBackgroundColor = 0x00102030;
    box.L_FontColor = {"Liberation Serif", 14, 0x00445566, kFontBold | kFontStrikeOut};
    box.CB_ScanVBR = false;
    box.SE_Capacity = 1048576;
    return true;
}

TEST(EditSettings, PresetsTheDialogFromThePrefs) {
    TScriptedShell shell;
    std::optional<TSettingsBox> shown;
    shell.SettingsAnswers.push_back([&shown](TSettingsBox& box) {
        shown = box;
        return false;
    });
    TPrefs prefs = SomePrefs();
    EditSettings(prefs, shell);
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->ViewBackgroundColor, 0x00FFFFEE);
    EXPECT_EQ(shown->L_FontColor, SomePrefs().ListFont);
    EXPECT_TRUE(shown->CB_ScanVBR);
    EXPECT_EQ(shown->SE_Capacity, 40000);
}

TEST(EditSettings, OkTakesColourFontAndCheckBox) {
    TScriptedShell shell;
    shell.SettingsAnswers.push_back(ChangeEverything);
    TPrefs prefs = SomePrefs();
    EXPECT_TRUE(EditSettings(prefs, shell));
    EXPECT_EQ(prefs.ListBkColor, 0x00102030);
    EXPECT_EQ(prefs.ListFont,
              (TFontDesc{"Liberation Serif", 14, 0x00445566, kFontBold | kFontStrikeOut}));
    EXPECT_FALSE(prefs.ScanVBR);
    EXPECT_EQ(prefs.Capacity, 1048576);
    EXPECT_EQ(prefs.LastDir, ".");  // nothing else is touched
}

TEST(EditSettings, CancelAfterChangesLeavesThePrefsUntouched) {
    TScriptedShell shell;
    shell.SettingsAnswers.push_back([](TSettingsBox& box) {
        ChangeEverything(box);
        return false;
    });
    TPrefs prefs = SomePrefs();
    EXPECT_FALSE(EditSettings(prefs, shell));
    EXPECT_EQ(prefs.ListBkColor, SomePrefs().ListBkColor);
    EXPECT_EQ(prefs.ListFont, SomePrefs().ListFont);
    EXPECT_TRUE(prefs.ScanVBR);
    EXPECT_EQ(prefs.Capacity, 40000);
}

}  // namespace
}  // namespace tracklore::ui
