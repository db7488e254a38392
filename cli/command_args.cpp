// The usage message and the argument reader of the commands that print records.
#include "cli/command_args.h"

#include <cstdio>

#include "cli/record_output.h"

namespace tracklore::cli {

int Usage(const char* usage) {
    std::fprintf(stderr, "Usage: tracklore-cli %s\n", usage);
    return 2;
}

std::vector<std::string> TakeFlags(
    const std::vector<std::string>& given,
    std::initializer_list<std::pair<std::string_view, bool*>> flags) {
    std::vector<std::string> words;
    for (const auto& arg : given) {
        bool* flag = nullptr;
        for (const auto& [name, set] : flags)
            if (arg == name) flag = set;
        if (flag != nullptr) {
            *flag = true;
        } else {
            words.push_back(arg);
        }
    }
    return words;
}

int ReadListingArgs(const std::vector<std::string>& args, const char* usage, TListingArgs& out,
                    const TOwnOptions& own, bool dashWords) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--format" && hasValue) {
            out.Format = args[++i];
            if (!IsRecordFormat(out.Format)) return Usage(usage);
            continue;
        }
        if (own && hasValue) {
            const TOptionUse use = own(arg, args[i + 1]);
            if (use == TOptionUse::Refused) return 2;
            if (use == TOptionUse::Taken) {
                ++i;
                continue;
            }
        }
        if (!dashWords && arg.rfind("--", 0) == 0) return Usage(usage);
        out.Words.push_back(arg);
    }
    return 0;
}

}  // namespace tracklore::cli
