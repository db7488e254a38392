// tracklore-cli duplicates: runs the duplicate finder on a catalogue and prints its groups.
#include "cli/duplicates_commands.h"

#include <cstdio>
#include <sstream>

#include "cli/capacity.h"
#include "cli/command_args.h"
#include "cli/record_output.h"
#include "core/catalogue.h"
#include "core/file_choice.h"
#include "search/duplicates.h"

namespace tracklore::cli {

namespace {

constexpr char kUsage[] = "duplicates CAT [--rules tags,size] [--format table|csv|json]";

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
    TListingArgs parsed;
    TDuplicateRules rules;
    const int wrong = ReadListingArgs(args, kUsage, parsed,
                                      [&](const std::string& option, const std::string& value) {
                                          if (option != "--rules") return TOptionUse::NotMine;
                                          if (ParseRules(value, rules)) return TOptionUse::Taken;
                                          Usage(kUsage);
                                          return TOptionUse::Refused;
                                      });
    if (wrong != 0) return wrong;
    if (parsed.Words.size() != 1) return Usage(kUsage);

    TTracklore catalogue(nullptr, CatalogueCapacity());
    LoadByFormat(catalogue, parsed.Words[0]);
    // The groups one after another, in a catalogue of their own whose slot order is theirs.
    TTracklore shown(nullptr, catalogue.Capacity());
    TGroupColumn groupOf;
    int number = 0;
    for (const TDuplicateGroup& group : FindDuplicates(catalogue, rules)) {
        ++number;
        for (const TrackRecord& record : group.Records) {
            shown.InsertAsStored(record);
            groupOf.push_back(number);
        }
    }
    return PrintRecords(shown, parsed.Format, &groupOf);
}

}  // namespace tracklore::cli
