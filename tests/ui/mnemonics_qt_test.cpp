// Mnemonics of every dialog that opens without a catalogue: each label that names a widget
// has one, and no letter is used twice in one dialog.
#include "tests/ui/mnemonics_qt.h"

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "playback/player_dialog.h"
#include "playback/player_dialog_qt.h"
#include "search/duplicates_dialog.h"
#include "search/duplicates_dialog_qt.h"
#include "search/edit_dialog.h"
#include "search/edit_dialog_qt.h"
#include "search/search_dialogs.h"
#include "search/search_dialogs_qt.h"
#include "tests/support/scripted_shell.h"
#include "tests/ui/when_modal_qt.h"
#include "ui/printer_dialog.h"
#include "ui/printer_dialog_qt.h"
#include "ui/settings_dialog.h"
#include "ui/settings_dialog_qt.h"
#include "ui/small_dialogs_qt.h"
#include "ui/sort_dialog.h"

namespace tracklore::test {
namespace {

struct TDialogCase {
    const char* Name;
    std::function<void()> Open;  // runs the dialog's exec(); the check closes it
};

TEST(MnemonicsQt, EveryDialogLabelHasItsOwnLetter) {
    TScriptedShell shell;
    TSearchDialog search;
    TSearchDialog2 advanced;
    TEditDialog edit;
    edit.Preset(TrackRecord{});
    TDuplicatesDialog duplicates;
    ui::TSettingsBox settings;
    ui::TSortOnBox sort;
    playback::TExtPlayerDialog player;
    ui::TPrinterDialog printer;
    const std::vector<TDialogCase> cases = {
        {"search", [&] { ExecuteSearchDialogQt(nullptr, search, shell); }},
        {"advanced search", [&] { ExecuteAdvancedSearchQt(nullptr, advanced, shell); }},
        {"edit", [&] { ExecuteEditDialogQt(nullptr, edit); }},
        {"duplicates", [&] { ExecuteDuplicatesDialogQt(nullptr, duplicates); }},
        {"settings", [&] { ui::ExecuteSettingsBox(nullptr, settings); }},
        {"sort", [&] { ui::ExecuteSortOnBox(nullptr, sort); }},
        {"player", [&] { playback::ExecutePlayerDialogQt(nullptr, player); }},
        {"printer",
         [&] { ui::ExecutePrinterDialogQt(nullptr, printer, [](ui::TPrintCanvas&) {}); }},
    };
    for (const TDialogCase& dialog : cases) {
        WhenModal<QDialog>([&](QDialog* open) {
            EXPECT_EQ(MnemonicFaults(*open), QStringList()) << dialog.Name;
            open->reject();
        });
        dialog.Open();
    }
}

}  // namespace
}  // namespace tracklore::test
