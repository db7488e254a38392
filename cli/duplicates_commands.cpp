// tracklore-cli duplicates: runs the duplicate finder on a catalogue and prints its groups.
#include "cli/duplicates_commands.h"

#include <cstdio>
#include <sstream>

#include "cli/record_output.h"
#include "core/catalogue.h"
#include "core/file_choice.h"
#include "search/duplicates.h"

namespace tracklore::cli {

namespace {

constexpr char kUsage[] = "duplicates CAT [--rules tags,size] [--format table|csv|json]";

int Usage() {
    std::fprintf(stderr, "Usage: tracklore-cli %s\n", kUsage);
    return 2;
}

// The rules of a --rules list: "tags" and "size", separated by commas.
bool ParseRules(const std::string& list, TDuplicateRules& rules) {
    rules = {false, false};
    std::stringstream words(list);
    std::string word;
    while (std::getline(words, word, ',')) {
        if (word == "tags") {
            rules.SameArtistTitle = true;
        } else if (word == "size") {
            rules.SameSizeLength = true;
        } else {
            return false;
        }
    }
    return rules.SameArtistTitle || rules.SameSizeLength;
}

}  // namespace

int RunDuplicates(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::string format = "table";
    TDuplicateRules rules;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--format" && hasValue) {
            format = args[++i];
            if (!IsRecordFormat(format)) return Usage();
        } else if (args[i] == "--rules" && hasValue) {
            if (!ParseRules(args[++i], rules)) return Usage();
        } else if (args[i].rfind("--", 0) == 0) {
            return Usage();
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 1) return Usage();

    TTracklore catalogue;
    LoadByFormat(catalogue, positional[0]);
    // The groups one after another, in a catalogue of their own whose slot order is theirs.
    TTracklore shown;
    TGroupColumn groupOf;
    int number = 0;
    for (const TDuplicateGroup& group : FindDuplicates(catalogue, rules)) {
        ++number;
        for (const TrackRecord& record : group.Records) {
            shown.InsertAsStored(record);
            groupOf.push_back(number);
        }
    }
    return PrintRecords(shown, format, &groupOf);
}

}  // namespace tracklore::cli
