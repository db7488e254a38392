// tracklore-cli parse, query and search: expressions parsed and run, and the field search.
#include "cli/search_commands.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <stdexcept>

#include "cli/capacity.h"
#include "cli/command_args.h"
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
    TListingArgs parsed;
    std::optional<std::string> saved;
    // No expression starts with "--", so every other word is read as given.
    const int wrong = ReadListingArgs(
        args, kUsage, parsed,
        [&](const std::string& option, const std::string& value) {
            if (option != "--saved" || saved) return TOptionUse::NotMine;
            saved = value;
            return TOptionUse::Taken;
        },
        true);
    if (wrong != 0) return wrong;
    const std::vector<std::string>& positional = parsed.Words;
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
    // Only the matches are kept as the file is read: the same rows in the same order,
    // without building and freeing a record for every other one.
    TTracklore catalogue(nullptr, CatalogueCapacity());
    LoadByFormat(catalogue, positional[0], {},
                 [&tree](const TrackRecord& record) { return MatchesExpression(*tree, record); });
    return PrintRecords(catalogue, parsed.Format);
}

int RunSearch(const std::vector<std::string>& args) {
    constexpr char kUsage[] =
        "search CAT [--id N] [--artist T] [--album T] [--title T] [--year T] [--genre NAME] "
        "[--comment T] [--volume T] [--filename T] [--format table|csv|json]";
    TrackRecord pattern;
    pattern.Genre = kGenreNone;
    TListingArgs parsed;
    const int wrong = ReadListingArgs(
        args, kUsage, parsed, [&](const std::string& option, const std::string& value) {
            if (SharedText* text = PatternText(pattern, option)) {
                *text = value;
            } else if (option == "--id") {
                try {
                    pattern.ID = StrToInt(value);
                } catch (const EConvertError& error) {
                    std::fprintf(stderr, "%s\n", error.what());
                    return TOptionUse::Refused;
                }
            } else if (option == "--genre") {
                const auto genre = GenreByName(value);
                if (!genre) {
                    std::fprintf(stderr, "Unknown genre \"%s\" for --genre\n", value.c_str());
                    return TOptionUse::Refused;
                }
                pattern.Genre = *genre;
            } else {
                return TOptionUse::NotMine;
            }
            return TOptionUse::Taken;
        });
    if (wrong != 0) return wrong;
    if (parsed.Words.size() != 1) return Usage(kUsage);

    TTracklore catalogue(nullptr, CatalogueCapacity());
    LoadByFormat(catalogue, parsed.Words[0]);
    auto result = catalogue.SelectByTemplate(pattern);
    return PrintRecords(*result, parsed.Format);
}

}  // namespace tracklore::cli
