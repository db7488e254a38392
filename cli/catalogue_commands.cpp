// tracklore-cli convert, list and merge: catalogue files read, written and joined.
#include "cli/catalogue_commands.h"

#include <cstdio>
#include <optional>

#include "cli/capacity.h"
#include "cli/command_args.h"
#include "cli/record_output.h"
#include "core/catalogue.h"
#include "core/file_choice.h"
#include "platform/file_info.h"

namespace tracklore::cli {

namespace {

// The field a --sort value names: one of the record's field names in any case, or a code.
std::optional<TrackField> SortField(const std::string& text) {
    for (int code = 0; code < kFieldCount; ++code) {
        if (EqualsIgnoreAsciiCase(text, kFieldNames[code])) return static_cast<TrackField>(code);
    }
    if (text.size() <= 2 && !text.empty() &&
        text.find_first_not_of("0123456789") == std::string::npos) {
        const int code = std::stoi(text);
        if (code < kFieldCount) return static_cast<TrackField>(code);
    }
    return std::nullopt;
}

}  // namespace

int RunConvert(const std::vector<std::string>& args) {
    if (args.size() != 2) return Usage("convert IN OUT");
    TTracklore catalogue(nullptr, CatalogueCapacity());
    LoadByFormat(catalogue, args[0]);
    SaveByFormat(catalogue, args[1]);
    return 0;
}

int RunList(const std::vector<std::string>& args) {
    constexpr char kUsage[] = "list CAT [--format table|csv|json] [--sort FIELD]";
    TListingArgs parsed;
    std::optional<TrackField> sortKey;
    const int wrong = ReadListingArgs(
        args, kUsage, parsed, [&](const std::string& option, const std::string& value) {
            if (option != "--sort") return TOptionUse::NotMine;
            sortKey = SortField(value);
            if (sortKey) return TOptionUse::Taken;
            std::fprintf(stderr, "Unknown field \"%s\" for --sort\n", value.c_str());
            return TOptionUse::Refused;
        });
    if (wrong != 0) return wrong;
    if (parsed.Words.size() != 1) return Usage(kUsage);

    TTracklore catalogue(nullptr, CatalogueCapacity());
    LoadByFormat(catalogue, parsed.Words[0]);
    if (sortKey) catalogue.SortBy(*sortKey);
    return PrintRecords(catalogue, parsed.Format);
}

int RunMerge(const std::vector<std::string>& args) {
    if (args.size() < 2) return Usage("merge CAT IN...");
    TTracklore catalogue(nullptr, CatalogueCapacity());
    // A catalogue that does not exist yet starts empty, so merge can also combine files.
    if (platform::GetFileStatus(args[0])) LoadByFormat(catalogue, args[0]);
    // An input that fails ends the command before CAT is written, so CAT never holds half
    // a merge.
    for (size_t i = 1; i < args.size(); ++i)
        MergeFromFile(catalogue, args[i]);
    SaveByFormat(catalogue, args[0]);
    return 0;
}

}  // namespace tracklore::cli
