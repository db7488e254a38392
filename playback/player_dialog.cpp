// The "Configure External Player" model: plug-in rows, drive rows and storage settings.
#include "playback/player_dialog.h"

#include <algorithm>

#include "core/format.h"
#include "core/messages.h"

namespace tracklore::playback {

namespace {

std::string Folded(const std::string& text) {
    std::string folded = text;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

// Ignoring case first, so "pl_b" sorts between "PL_A" and "PL_C"; exact order breaks ties.
bool NameBefore(const std::string& a, const std::string& b) {
    const std::string fa = Folded(a), fb = Folded(b);
    return fa != fb ? fa < fb : a < b;
}

}  // namespace

int TExtPlayerDialog::AddPlugin(TPluginRow row) {
    const auto at = std::upper_bound(
        L_Plugins.begin(), L_Plugins.end(), row,
        [](const TPluginRow& a, const TPluginRow& b) { return NameBefore(a.Name, b.Name); });
    const int index = static_cast<int>(at - L_Plugins.begin());
    L_Plugins.insert(at, std::move(row));
    if (L_PluginsSelected >= index) ++L_PluginsSelected;
    return index;
}

void TExtPlayerDialog::SetTempLimit(int position) {
    TB_TempLimit = std::clamp(position, kTempLimitMin, kTempLimitMax);
}

std::string TExtPlayerDialog::L_Limit() const {
    return Format(msg::StorageLimitMB, TB_TempLimit);
}

std::string TExtPlayerDialog::SelectedPlugin() const {
    if (L_PluginsSelected < 0 || L_PluginsSelected >= static_cast<int>(L_Plugins.size())) return {};
    const TPluginRow& row = L_Plugins[static_cast<size_t>(L_PluginsSelected)];
    return row.Path.empty() ? row.Name : row.Path;
}

std::string DriveTypeText(platform::DriveType type) {
    using platform::DriveType;
    switch (type) {
        case DriveType::kRemovable: return msg::DriveTypeFloppy;
        case DriveType::kFixed: return msg::DriveTypeFixed;
        case DriveType::kRemote: return msg::DriveTypeNetwork;
        case DriveType::kCDRom: return msg::DriveTypeCDRom;
        case DriveType::kRamDisk: return msg::DriveTypeRamDisk;
        default: return {};
    }
}

}  // namespace tracklore::playback
