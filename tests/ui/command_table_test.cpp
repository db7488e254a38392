// The command table: texts that users read, the mask bit of every control, separators and
// the order of menus, pop-up menu and tool bar.
#include "ui/command_table.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tracklore::ui {
namespace {

const TControl& Find(const std::string& name) {
    for (const TControl& control : Controls())
        if (name == control.Name) return control;
    throw std::runtime_error("no control " + name);
}

std::vector<std::string> NamesIn(TControlPlace place) {
    std::vector<std::string> names;
    for (const TControl& control : Controls())
        if (control.Place == place) names.emplace_back(control.Name);
    return names;
}

TEST(CommandTable, RowsUsersReadAreVerbatim) {
    const TControl& save = Find("M_FileSave");
    EXPECT_STREQ(save.Caption, "&Save");
    EXPECT_STREQ(save.Shortcut, "Ctrl+S");
    EXPECT_STREQ(save.Hint, "Save current file");
    EXPECT_STREQ(Find("TB_Save").Hint, "Save current database to disk");
    EXPECT_STREQ(Find("M_FileMerge").Hint, "Add selected database to current database");
    EXPECT_STREQ(Find("M_ConfigPlayer").Caption, "Con&fig Player...");
    EXPECT_STREQ(Find("M_ForceRefresh").Hint,
                 "Force refresh of all views (if views seems out of order)");
    EXPECT_STREQ(Find("PM_TotalFilesize").Hint,
                 "Writes the total size of the size of the selected files in the status line.");
    EXPECT_STREQ(Find("M_Add").Hint,
                 "Copy selected to temporary location and add to playlist of player");
    EXPECT_STREQ(Find("TB_Delete").Hint, "Delete currently selected item from database");
    EXPECT_STREQ(Find("TB_Delete").ToolTip, "Delete item");
    EXPECT_STREQ(Find("TB_Edit").Hint, "Manually edit selected item");
    EXPECT_STREQ(Find("TB_Edit").ToolTip, "Edit item");
    EXPECT_STREQ(Find("TB_Scan").Caption, "Scan Dir...");
    EXPECT_STREQ(Find("M_RunTagsmith").Hint, "Run the Tagsmith to edit tags");
    EXPECT_STREQ(Find("M_Edit").Shortcut, "Shift+Ins");
    EXPECT_STREQ(Find("M_ViewSelected").Shortcut, "Ctrl+3");
    EXPECT_STREQ(Find("M_ViewVolumes").Shortcut, "Ctrl+4");
}

TEST(CommandTable, EveryMaskBitDrivesExactlyItsControls) {
    const std::vector<std::vector<std::string>> expected = {
        {"M_FileNew", "TB_New"},
        {"M_FileSave", "M_FileSaveAs", "M_FileExport", "M_FileInfo", "TB_Save"},
        {"M_FileOpen", "TB_Open"},
        {"M_Edit", "PM_Edit", "TB_Edit"},
        {"M_Delete", "PM_Delete", "TB_Delete"},
        {"M_New"},
        {"M_Search", "M_AdvancedSearch", "M_FindDuplicates", "M_Sort", "M_Renumber", "TB_Search"},
        {"M_Scan", "M_AddFile", "M_UpdateDir", "TB_Scan"},
        {"M_Add", "M_Play", "PM_AddToPL", "PM_Play"},
        {"M_FileMerge"},
        {"M_Print"},
    };
    for (int bit = 0; bit < static_cast<int>(expected.size()); ++bit) {
        std::vector<std::string> names;
        for (const TControl& control : Controls())
            if (control.MaskBit == bit) names.emplace_back(control.Name);
        std::vector<std::string> wanted = expected[bit];
        std::sort(names.begin(), names.end());
        std::sort(wanted.begin(), wanted.end());
        EXPECT_EQ(names, wanted) << "bit " << bit;
    }
}

TEST(CommandTable, EnablingFollowsTheMaskAndAddItemsToSelectedNeverEnables) {
    EXPECT_TRUE(IsEnabled(Find("M_FileOpen"), 0x004));
    EXPECT_FALSE(IsEnabled(Find("M_FileOpen"), 0x6E3));
    EXPECT_TRUE(IsEnabled(Find("M_Options"), 0));
    EXPECT_FALSE(IsEnabled(Find("M_AddItemsToSelected"), 0xFFFF));
    // The start-up mask leaves Edit, Delete, Add and Play off and the rest on.
    for (const char* off : {"TB_Edit", "TB_Delete", "M_Add", "M_Play"})
        EXPECT_FALSE(IsEnabled(Find(off), 0x6E7)) << off;
    for (const char* on :
         {"TB_Save", "TB_Open", "TB_New", "M_Search", "M_Scan", "M_New", "M_FileMerge", "M_Print"})
        EXPECT_TRUE(IsEnabled(Find(on), 0x6E7)) << on;
}

TEST(CommandTable, MenusPopupAndToolBarAreInOrderWithTheirSeparators) {
    EXPECT_EQ(std::vector<std::string>(MenuCaptions().begin(), MenuCaptions().end()),
              (std::vector<std::string>{"&File", "&Items", "&List", "&View", "&Tools", "&Help"}));
    EXPECT_EQ(NamesIn(TControlPlace::PopupMenu),
              (std::vector<std::string>{"PM_Edit", "PM_Delete", "PM_AddToPL", "PM_Play",
                                        "PM_TotalFilesize"}));
    EXPECT_EQ(NamesIn(TControlPlace::ToolBar),
              (std::vector<std::string>{"TB_New", "TB_Open", "TB_Save", "TB_Scan", "TB_Search",
                                        "TB_Delete", "TB_Edit"}));
    EXPECT_EQ(NamesIn(TControlPlace::ExportMenu),
              (std::vector<std::string>{"M_ExportCSV", "M_ExportSelCSV", "M_ExportSelTracklore"}));
    std::set<std::string> separated;
    for (const TControl& control : Controls())
        if (control.SeparatorBefore) separated.insert(control.Name);
    EXPECT_EQ(separated,
              (std::set<std::string>{"M_Exit", "M_Scan", "M_ForceRefresh", "M_RunTagsmith",
                                     "PM_AddToPL", "TB_Scan", "TB_Delete"}));
}

std::vector<std::string> CaptionsIn(TControlPlace place) {
    std::vector<std::string> captions;
    for (const TControl& control : Controls())
        if (control.Place == place) captions.emplace_back(control.Caption);
    return captions;
}

TEST(CommandTable, EachMenuListsItsEntriesInOrder) {
    using V = std::vector<std::string>;
    EXPECT_EQ(CaptionsIn(TControlPlace::FileMenu),
              (V{"&New", "&Open...", "&Save", "Save &As...", "Export", "&Merge...", "File &Info...",
                 "Print...", "E&xit"}));
    EXPECT_EQ(CaptionsIn(TControlPlace::ItemsMenu),
              (V{"&New", "&Edit", "&Delete", "Add items to selected", "Add directory...",
                 "Add file...", "Update directory..."}));
    EXPECT_EQ(
        CaptionsIn(TControlPlace::ListMenu),
        (V{"Search...", "&Advanced Search...", "Find &duplicates...", "Sort...", "Renumber"}));
    EXPECT_EQ(CaptionsIn(TControlPlace::ViewMenu),
              (V{"&List (all)", "&Tree (all)", "&Selected", "&Volumes", "Force Refresh Views!",
                 "Options..."}));
    EXPECT_EQ(CaptionsIn(TControlPlace::ToolsMenu),
              (V{"&Add", "&Play", "Stop", "Con&fig Player...", "Tagsmith"}));
    EXPECT_EQ(CaptionsIn(TControlPlace::HelpMenu), (V{"&About..."}));
    EXPECT_EQ(CaptionsIn(TControlPlace::PopupMenu),
              (V{"&Edit", "&Delete", "&Add to playlist", "&Play", "Total Filesize"}));
    EXPECT_EQ(CaptionsIn(TControlPlace::ToolBar),
              (V{"New", "Open", "Save", "Scan Dir...", "Search", "Delete", "Edit"}));
}

TEST(CommandTable, ComponentNamesAreUnique) {
    std::set<std::string> names;
    for (const TControl& control : Controls())
        EXPECT_TRUE(names.insert(control.Name).second) << control.Name;
}

}  // namespace
}  // namespace tracklore::ui
