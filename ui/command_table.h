// The main window's command table: every menu item, pop-up item and tool button with its
// caption, shortcut, command-mask bit and status-line hint. The Qt front end builds its
// menus, tool bar and pop-up menu from it; the core dispatches by TCommandId.
#pragma once

#include <cstdint>
#include <span>

namespace tracklore::ui {

/// What a control does. Several controls may share one command (menu item, tool button,
/// pop-up item).
enum class TCommandId {
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    ExportCSV,           // "All as CSV"
    ExportSelCSV,        // "Selected as CSV"
    ExportSelTracklore,  // the selected items as a catalogue file
    FileMerge,
    FileInfo,
    Print,
    Exit,
    ItemNew,
    ItemEdit,
    ItemDelete,
    AddItemsToSelected,  // always disabled
    AddDir,
    AddFile,
    UpdateDir,
    Search,
    AdvancedSearch,
    FindDuplicates,
    Sort,
    Renumber,
    ViewList,
    ViewTree,
    ViewSelected,
    ViewVolumes,
    ForceRefresh,
    Options,
    PlayerAdd,
    PlayerPlay,
    PlayerStop,  // shown only when the player plug-in can stop
    ConfigPlayer,
    RunTagsmith,
    About,
    TotalFilesize,
    ExportMenu,  // the File menu's "Export" entry that opens the sub-menu; no action
};

/// Where a control lives.
enum class TControlPlace {
    FileMenu,
    ExportMenu,  // the File menu's "Export" sub-menu
    ItemsMenu,
    ListMenu,
    ViewMenu,
    ToolsMenu,
    HelpMenu,
    PopupMenu,
    ToolBar,
};

/// One control. Texts are UTF-8 with "&" marking the accelerator letter; empty when none.
struct TControl {
    const char* Name;  // component name, the Qt objectName: "M_FileOpen", "TB_Open"
    TControlPlace Place;
    TCommandId Command;
    const char* Caption;
    const char* Shortcut;  // Qt key sequence text: "Ctrl+O", "Shift+Insert"; empty when none
    int MaskBit;           // -1: not driven by the mask
    const char* Hint;      // status-line hint (long part)
    const char* ToolTip;   // tool buttons: the short part of the hint; empty otherwise
    bool SeparatorBefore;  // menus and tool bar: a separator (divider) goes before it
    bool AlwaysDisabled;
};

/// Every control in menu order (File, Export, Items, List, View, Tools, Help), then the
/// pop-up menu in its order, then the tool bar in its order.
std::span<const TControl> Controls();

/// The menu captions in order: "&File", "&Items", "&List", "&View", "&Tools", "&Help".
std::span<const char* const> MenuCaptions();

/// True when `control` is enabled under `mask`.
bool IsEnabled(const TControl& control, uint16_t mask);

}  // namespace tracklore::ui
