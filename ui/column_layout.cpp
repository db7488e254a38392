// The lists' column order and widths as text in the preferences, and back.
#include "ui/column_layout.h"

#include <exception>
#include <sstream>

#include "core/text_scan.h"
#include "ui/prefs.h"

namespace tracklore::ui {

namespace {

constexpr int kMinWidth = 8;
constexpr int kMaxWidth = 4000;

}  // namespace

std::string FormatColumnLayout(const std::vector<TColumnPlace>& places) {
    std::string text;
    for (const TColumnPlace& place : places) {
        if (!text.empty()) text += ' ';
        text += std::to_string(place.Column) + ':' + std::to_string(place.Width);
    }
    return text;
}

std::optional<std::vector<TColumnPlace>> ParseColumnLayout(const std::string& text, int columns) {
    std::vector<TColumnPlace> places;
    std::vector<bool> seen(static_cast<size_t>(columns), false);
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const size_t colon = word.find(':');
        if (colon == std::string::npos) return std::nullopt;
        const auto column = ParseWholeNumber(std::string_view(word).substr(0, colon));
        const auto width = ParseWholeNumber(std::string_view(word).substr(colon + 1));
        if (!column || !width) return std::nullopt;
        const TColumnPlace place{*column, *width};
        if (place.Column < 0 || place.Column >= columns || seen[static_cast<size_t>(place.Column)])
            return std::nullopt;
        if (place.Width < kMinWidth || place.Width > kMaxWidth) return std::nullopt;
        seen[static_cast<size_t>(place.Column)] = true;
        places.push_back(place);
    }
    if (static_cast<int>(places.size()) != columns) return std::nullopt;
    return places;
}

void ReadColumnLayouts(TPrefs& prefs, const platform::TRegistry& registry) {
    try {
        std::string text;
        if (registry.ReadString("AllListColumns", text) == platform::TRegResult::Ok)
            prefs.AllListColumns = text;
        if (registry.ReadString("SelectedListColumns", text) == platform::TRegResult::Ok)
            prefs.SelectedListColumns = text;
    } catch (const std::exception&) {
        // The default layout; LoadPrefs reports an unreadable store.
    }
}

std::vector<std::pair<std::string, platform::TRegValue>> ColumnLayoutValues(const TPrefs& prefs) {
    return {{"AllListColumns", platform::RegText(prefs.AllListColumns)},
            {"SelectedListColumns", platform::RegText(prefs.SelectedListColumns)}};
}

}  // namespace tracklore::ui
