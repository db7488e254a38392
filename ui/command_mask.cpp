// The command mask rules for the selection of the lists and the tree.
#include "ui/command_mask.h"

namespace tracklore::ui {

namespace {
constexpr uint16_t kClearSelectionBits = static_cast<uint16_t>(~kMaskSelectionBits);  // 0xFEE7
}  // namespace

uint16_t MaskAfterListSelection(uint16_t mask, int selectedRows) {
    if (selectedRows <= 0) return mask & kClearSelectionBits;
    if (selectedRows == 1) return mask | kMaskSelectionBits;
    return (mask & kClearSelectionBits) | kMaskDelete | kMaskPlayer;
}

uint16_t MaskAfterTreeSelection(uint16_t mask, bool nodeSelected, int32_t nodeData) {
    if (nodeSelected && nodeData >= 0) return mask | kMaskSelectionBits;
    return mask & kClearSelectionBits;
}

}  // namespace tracklore::ui
