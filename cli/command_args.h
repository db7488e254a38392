// The command lines of tracklore-cli's commands: the usage message, and the arguments of the
// commands that print records (a catalogue, --format and options of their own).
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tracklore::cli {

/// Writes "Usage: tracklore-cli " and `usage` on stderr; returns 2, the exit status of a
/// wrong command line.
int Usage(const char* usage);

/// The arguments of `given` other than the flags of `flags`, in order; the flags may stand
/// anywhere, and each one found sets its bool.
std::vector<std::string> TakeFlags(const std::vector<std::string>& given,
                                   std::initializer_list<std::pair<std::string_view, bool*>> flags);

/// What a command made of one of its own options.
enum class TOptionUse {
    Taken,    ///< the option and its value are read
    NotMine,  ///< not an option of the command: read as any other argument
    Refused,  ///< the value is wrong; the command has said why on stderr
};

/// A command's own options, each with the value that follows it.
using TOwnOptions = std::function<TOptionUse(const std::string& option, const std::string& value)>;

/// The arguments of a command that prints records.
struct TListingArgs {
    std::vector<std::string> Words;  ///< the arguments that are not options, in order
    std::string Format = "table";    ///< the value of --format: table, csv or json
};

/// Reads `args`: "--format FORMAT", the options `own` takes, and words. An argument that
/// starts with "--" and is no option taken is wrong, unless `dashWords` makes it a word (an
/// expression may start so). Returns 0, or 2 for a wrong command line after `usage` (or
/// `own`'s message) on stderr.
int ReadListingArgs(const std::vector<std::string>& args, const char* usage, TListingArgs& out,
                    const TOwnOptions& own = {}, bool dashWords = false);

}  // namespace tracklore::cli
