// The 16-bit command mask of the main window and the rules by which the views' selection
// changes it.
#pragma once

#include <cstdint>

namespace tracklore::ui {

inline constexpr uint16_t kMaskNew = 0x001;      // New
inline constexpr uint16_t kMaskSave = 0x002;     // Save, Save As, Export, File Info
inline constexpr uint16_t kMaskOpen = 0x004;     // Open
inline constexpr uint16_t kMaskEdit = 0x008;     // Edit
inline constexpr uint16_t kMaskDelete = 0x010;   // Delete
inline constexpr uint16_t kMaskItemNew = 0x020;  // Items/New
inline constexpr uint16_t kMaskSearch = 0x040;   // Search, Advanced Search, Sort, Renumber
inline constexpr uint16_t kMaskScan = 0x080;     // Add directory, Add file
inline constexpr uint16_t kMaskPlayer = 0x100;   // Add, Play (menu and pop-up)
inline constexpr uint16_t kMaskMerge = 0x200;    // Merge
inline constexpr uint16_t kMaskPrint = 0x400;    // Print

inline constexpr uint16_t kMaskAtStart = 0x6E7;
// Items/New stays on after a rebuild: a record can be added to any open catalogue.
inline constexpr uint16_t kMaskAfterRebuild = 0x6A7;
inline constexpr uint16_t kMaskSelectionBits = kMaskEdit | kMaskDelete | kMaskPlayer;

/// The mask after a list's selection changed to `selectedRows` rows: none clears Edit,
/// Delete and Player; one sets all three; more sets Delete and Player and clears Edit.
uint16_t MaskAfterListSelection(uint16_t mask, int selectedRows);

/// The mask after the tree's selection changed: Edit, Delete and Player are set when a
/// title node (data 0 or more) is selected, cleared otherwise (`nodeData` is empty then).
uint16_t MaskAfterTreeSelection(uint16_t mask, bool nodeSelected, int32_t nodeData);

}  // namespace tracklore::ui
