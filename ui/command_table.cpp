// The command table: every menu item, pop-up item and tool button with its texts and bit.
#include "ui/command_table.h"

#include <array>

namespace tracklore::ui {

namespace {

using C = TCommandId;
using P = TControlPlace;

// Name, place, command, caption, shortcut, mask bit, status-line hint, tool-tip, separator
// before, always disabled. Shortcuts are written as Qt parses them ("Ins", "Del").
constexpr std::array kControls = std::to_array<TControl>({
    // File
    {"M_FileNew", P::FileMenu, C::FileNew, "&New", "", 0, "", "", false, false},
    {"M_FileOpen", P::FileMenu, C::FileOpen, "&Open...", "Ctrl+O", 2, "", "", false, false},
    {"M_FileSave", P::FileMenu, C::FileSave, "&Save", "Ctrl+S", 1, "Save current file", "", false,
     false},
    {"M_FileSaveAs", P::FileMenu, C::FileSaveAs, "Save &As...", "", 1,
     "Save current file with different name", "", false, false},
    {"M_FileExport", P::FileMenu, C::ExportMenu, "Export", "", 1, "", "", false, false},
    {"M_FileMerge", P::FileMenu, C::FileMerge, "&Merge...", "", 9,
     "Add selected database to current database", "", false, false},
    {"M_FileInfo", P::FileMenu, C::FileInfo, "File &Info...", "", 1, "Shows info about this file",
     "", false, false},
    {"M_Print", P::FileMenu, C::Print, "Print...", "", 10, "", "", false, false},
    {"M_Exit", P::FileMenu, C::Exit, "E&xit", "", -1, "Exit application", "", true, false},
    // File, Export
    {"M_ExportCSV", P::ExportMenu, C::ExportCSV, "All as CSV", "", -1, "", "", false, false},
    {"M_ExportSelCSV", P::ExportMenu, C::ExportSelCSV, "Selected as CSV", "", -1, "", "", false,
     false},
    {"M_ExportSelTracklore", P::ExportMenu, C::ExportSelTracklore, "Selected as Tracklore file", "",
     -1, "", "", false, false},
    // Items
    {"M_New", P::ItemsMenu, C::ItemNew, "&New", "Ins", 5, "Add a new item to the database", "",
     false, false},
    {"M_Edit", P::ItemsMenu, C::ItemEdit, "&Edit", "Shift+Ins", 3, "Edit selected item", "", false,
     false},
    {"M_Delete", P::ItemsMenu, C::ItemDelete, "&Delete", "Shift+Del", 4, "Delete selected item", "",
     false, false},
    {"M_AddItemsToSelected", P::ItemsMenu, C::AddItemsToSelected, "Add items to selected", "", -1,
     "", "", false, true},
    {"M_Scan", P::ItemsMenu, C::AddDir, "Add directory...", "", 7,
     "Add all files in a directory and its subdirectories", "", true, false},
    {"M_AddFile", P::ItemsMenu, C::AddFile, "Add file...", "", 7,
     "Add a number of selected files to the database", "", false, false},
    {"M_UpdateDir", P::ItemsMenu, C::UpdateDir, "Update directory...", "", 7,
     "Bring the items of a directory and its subdirectories up to date with their files", "", false,
     false},
    // List
    {"M_Search", P::ListMenu, C::Search, "Search...", "Ctrl+F", 6,
     "Search all database for pattern", "", false, false},
    {"M_AdvancedSearch", P::ListMenu, C::AdvancedSearch, "&Advanced Search...", "Ctrl+Shift+F", 6,
     "", "", false, false},
    {"M_FindDuplicates", P::ListMenu, C::FindDuplicates, "Find &duplicates...", "", 6,
     "List records that are probably the same song", "", false, false},
    {"M_Sort", P::ListMenu, C::Sort, "Sort...", "", 6, "Sort all items in database", "", false,
     false},
    {"M_Renumber", P::ListMenu, C::Renumber, "Renumber", "", 6, "", "", false, false},
    // View
    {"M_ViewList", P::ViewMenu, C::ViewList, "&List (all)", "Ctrl+1", -1,
     "Bring the list of the database in front", "", false, false},
    {"M_ViewTree", P::ViewMenu, C::ViewTree, "&Tree (all)", "Ctrl+2", -1,
     "Bring the tree of the database in front", "", false, false},
    {"M_ViewSelected", P::ViewMenu, C::ViewSelected, "&Selected", "Ctrl+3", -1,
     "Bring the list of search result in front", "", false, false},
    {"M_ViewVolumes", P::ViewMenu, C::ViewVolumes, "&Volumes", "Ctrl+4", -1,
     "Bring the volumes of the database in front", "", false, false},
    {"M_ForceRefresh", P::ViewMenu, C::ForceRefresh, "Force Refresh Views!", "", -1,
     "Force refresh of all views (if views seems out of order)", "", true, false},
    {"M_Options", P::ViewMenu, C::Options, "Options...", "", -1, "", "", false, false},
    // Tools
    {"M_Add", P::ToolsMenu, C::PlayerAdd, "&Add", "", 8,
     "Copy selected to temporary location and add to playlist of player", "", false, false},
    {"M_Play", P::ToolsMenu, C::PlayerPlay, "&Play", "", 8, "Play selected from current location",
     "", false, false},
    {"M_Stop", P::ToolsMenu, C::PlayerStop, "Stop", "Ctrl+.", -1, "Stop the player", "", false,
     false},
    {"M_ConfigPlayer", P::ToolsMenu, C::ConfigPlayer, "Con&fig Player...", "", -1,
     "Configure external player", "", false, false},
    {"M_RunTagsmith", P::ToolsMenu, C::RunTagsmith, "Tagsmith", "", -1,
     "Run the Tagsmith to edit tags", "", true, false},
    // Help
    {"M_About", P::HelpMenu, C::About, "&About...", "", -1, "About this application", "", false,
     false},
    // Pop-up menu ("&Edit" is its default item)
    {"PM_Edit", P::PopupMenu, C::ItemEdit, "&Edit", "", 3, "Edit selected item", "", false, false},
    {"PM_Delete", P::PopupMenu, C::ItemDelete, "&Delete", "", 4, "Delete selected item", "", false,
     false},
    {"PM_AddToPL", P::PopupMenu, C::PlayerAdd, "&Add to playlist", "", 8,
     "Copy selected to temporary location and add to playlist of player", "", true, false},
    {"PM_Play", P::PopupMenu, C::PlayerPlay, "&Play", "", 8, "Play selected from current location",
     "", false, false},
    {"PM_TotalFilesize", P::PopupMenu, C::TotalFilesize, "Total Filesize", "", -1,
     "Writes the total size of the size of the selected files in the status line.", "", false,
     false},
    // Tool bar
    {"TB_New", P::ToolBar, C::FileNew, "New", "", 0, "", "", false, false},
    {"TB_Open", P::ToolBar, C::FileOpen, "Open", "", 2, "", "", false, false},
    {"TB_Save", P::ToolBar, C::FileSave, "Save", "", 1, "Save current database to disk", "Save",
     false, false},
    {"TB_Scan", P::ToolBar, C::AddDir, "Scan Dir...", "", 7,
     "Scan and add a directory to the database", "Scan Dir...", true, false},
    {"TB_Search", P::ToolBar, C::Search, "Search", "", 6, "Search through database for a file",
     "Search", false, false},
    {"TB_Delete", P::ToolBar, C::ItemDelete, "Delete", "", 4,
     "Delete currently selected item from database", "Delete item", true, false},
    {"TB_Edit", P::ToolBar, C::ItemEdit, "Edit", "", 3, "Manually edit selected item", "Edit item",
     false, false},
});

constexpr std::array<const char*, 6> kMenuCaptions{"&File", "&Items", "&List",
                                                   "&View", "&Tools", "&Help"};

}  // namespace

std::span<const TControl> Controls() {
    return kControls;
}

std::span<const char* const> MenuCaptions() {
    return kMenuCaptions;
}

bool IsEnabled(const TControl& control, uint16_t mask) {
    if (control.AlwaysDisabled) return false;
    if (control.MaskBit < 0) return true;
    return (mask & (1u << control.MaskBit)) != 0;
}

}  // namespace tracklore::ui
