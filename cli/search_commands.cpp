// tracklore-cli parse, query and search: expressions parsed and run, and the field search.
#include "cli/search_commands.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <stdexcept>

#include "cli/capacity.h"
#include "cli/record_output.h"
#include "core/catalogue.h"
#include "core/convert.h"
#include "core/file_choice.h"
#include "core/format.h"
#include "core/genres.h"
#include "core/messages.h"
#include "search/dialog_fields.h"
#include "search/evaluate.h"
#include "search/saved_searches.h"
#include "search/scanner_parser.h"
#include "ui/prefs.h"

namespace tracklore::cli {

namespace {

int Usage(const char* usage) {
    std::fprintf(stderr, "Usage: tracklore-cli %s\n", usage);
    return 2;
}

// The text field an option such as --artist fills, or nullptr.
SharedText* PatternText(TrackRecord& pattern, const std::string& option) {
    if (option == "--artist") return &pattern.Artist;
    if (option == "--album") return &pattern.Album;
    if (option == "--title") return &pattern.Title;
    if (option == "--year") return &pattern.Year;
    if (option == "--comment") return &pattern.Comment;
    if (option == "--volume") return &pattern.Volume;
    if (option == "--filename") return &pattern.Filename;
    return nullptr;
}

// The genre byte of a --genre value: an exact name, or "" for no genre condition.
std::optional<uint8_t> GenreByName(const std::string& name) {
    const uint8_t genre = GenreFromComboText(name);
    if (genre == 255 && !name.empty() && name != GenreNames[255]) return std::nullopt;
    return genre;
}

}  // namespace

int RunParse(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage("parse EXPR");
    const auto tree = DoParsing(args[0]);
    std::cout << tree->Describe(0) << '\n';
    return FlushStandardOutput();
}

int RunQuery(const std::vector<std::string>& args) {
    constexpr char kUsage[] = "query CAT (EXPR | --saved NAME) [--format table|csv|json]";
    std::vector<std::string> positional;
    std::optional<std::string> saved;
    std::string format = "table";
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" && i + 1 < args.size()) {
            format = args[++i];
            if (!IsRecordFormat(format)) return Usage(kUsage);
        } else if (args[i] == "--saved" && i + 1 < args.size() && !saved) {
            saved = args[++i];
        } else {
            // No expression starts with "--", so every other word is positional.
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != (saved ? 1u : 2u)) return Usage(kUsage);

    std::string expression;
    if (saved) {
        if (!FindSavedSearch(ui::DefaultRegistryFile(), *saved, expression)) {
            throw std::runtime_error(Format(msg::SavedSearchNotFound, saved->c_str()));
        }
    } else {
        expression = positional[1];
    }
    // The expression is checked before the catalogue is read, as the dialog does.
    const auto tree = DoParsing(expression);
    TTracklore catalogue(nullptr, CatalogueCapacity());
    LoadByFormat(catalogue, positional[0]);
    auto result = SelectMatching(catalogue, *tree);
    return PrintRecords(*result, format);
}

int RunSearch(const std::vector<std::string>& args) {
    constexpr char kUsage[] =
        "search CAT [--id N] [--artist T] [--album T] [--title T] [--year T] [--genre NAME] "
        "[--comment T] [--volume T] [--filename T] [--format table|csv|json]";
    std::optional<std::string> file;
    std::string format = "table";
    TrackRecord pattern;
    pattern.Genre = kGenreNone;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool hasValue = i + 1 < args.size();
        if (SharedText* text = PatternText(pattern, option); text && hasValue) {
            *text = args[++i];
        } else if (option == "--format" && hasValue) {
            format = args[++i];
            if (!IsRecordFormat(format)) return Usage(kUsage);
        } else if (option == "--id" && hasValue) {
            try {
                pattern.ID = StrToInt(args[++i]);
            } catch (const EConvertError& error) {
                std::fprintf(stderr, "%s\n", error.what());
                return 2;
            }
        } else if (option == "--genre" && hasValue) {
            const auto genre = GenreByName(args[++i]);
            if (!genre) {
                std::fprintf(stderr, "Unknown genre \"%s\" for --genre\n", args[i].c_str());
                return 2;
            }
            pattern.Genre = *genre;
        } else if (!file && option.rfind("--", 0) != 0) {
            file = option;
        } else {
            return Usage(kUsage);
        }
    }
    if (!file) return Usage(kUsage);

    TTracklore catalogue(nullptr, CatalogueCapacity());
    LoadByFormat(catalogue, *file);
    auto result = catalogue.SelectByTemplate(pattern);
    return PrintRecords(*result, format);
}

}  // namespace tracklore::cli
