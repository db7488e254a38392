// Reading and writing the resizable dialogs' sizes in the preferences store.
#include "ui/window_sizes.h"

#include <exception>

#include "core/text_scan.h"
#include "streams/stream_errors.h"

namespace tracklore::ui {

namespace {

std::optional<int> Extent(std::string_view text) {
    const std::optional<int> number = ParseWholeNumber(text);
    if (!number || *number < 1 || *number > kMaxWindowExtent) return std::nullopt;
    return number;
}

}  // namespace

std::string FormatWindowSize(TWindowSize size) {
    return std::to_string(size.Width) + 'x' + std::to_string(size.Height);
}

std::optional<TWindowSize> ParseWindowSize(std::string_view text) {
    const size_t cross = text.find('x');
    if (cross == std::string_view::npos) return std::nullopt;
    const std::optional<int> width = Extent(text.substr(0, cross));
    const std::optional<int> height = Extent(text.substr(cross + 1));
    if (!width || !height) return std::nullopt;
    return TWindowSize{*width, *height};
}

std::string WindowSizeName(const std::string& key) {
    return key + "Size";
}

std::optional<TWindowSize> LoadWindowSize(const std::string& registryFile, const std::string& key) {
    try {
        platform::TRegistry registry(registryFile);
        if (!registry.OpenKey(platform::kRegistryKey, false)) return std::nullopt;
        std::string text;
        if (registry.ReadString(WindowSizeName(key), text) != platform::TRegResult::Ok)
            return std::nullopt;
        return ParseWindowSize(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void SaveWindowSizes(const std::string& registryFile,
                     const std::vector<std::pair<std::string, TWindowSize>>& sizes) {
    if (sizes.empty()) return;
    platform::TRegistry registry(registryFile);
    if (!registry.OpenKey(platform::kRegistryKey, true)) throw EInOutError(registry.LastError());
    std::vector<std::pair<std::string, platform::TRegValue>> values;
    for (const auto& [key, size] : sizes)
        values.emplace_back(WindowSizeName(key), platform::RegText(FormatWindowSize(size)));
    registry.WriteValues(values);
}

}  // namespace tracklore::ui
