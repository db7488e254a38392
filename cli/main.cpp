// tracklore-cli: the catalogue's core from the command line.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "cli/capacity.h"
#include "cli/catalogue_commands.h"
#include "cli/duplicates_commands.h"
#include "cli/pack_commands.h"
#ifdef TRACKLORE_CLI_PRINT
#include "cli/print_launch.h"
#endif
#include "cli/scan_commands.h"
#include "cli/search_commands.h"
#include "cli/stats_commands.h"
#include "cli/update_commands.h"
#include "cli/volumes_commands.h"

namespace {

using Command = int (*)(const std::vector<std::string>&);

struct CommandEntry {
    const char* name;
    const char* usage;
    const char* help;
    Command run;
};

constexpr CommandEntry kCommands[] = {
    {"convert", "convert IN OUT",
     "read IN and write OUT, each as CSV when its name ends in \".csv\", else as a catalogue "
     "file (sorted by ID)",
     tracklore::cli::RunConvert},
    {"duplicates", "duplicates CAT [--rules tags,size] [--format table|csv|json]",
     "print the groups of records of CAT that are probably the same song, one group after "
     "another with its number in a first column Group: \"tags\" groups records whose artist "
     "and title agree (ignoring case and blanks around them) and whose play times differ by "
     "at most 2 seconds, \"size\" records of equal file size and play time; both by "
     "default; formats as for list",
     tracklore::cli::RunDuplicates},
    {"list", "list CAT [--format table|csv|json] [--sort FIELD]",
     "print the records of CAT in slot order, or sorted by FIELD (a field name such as Artist "
     "or a code 0 to 13); table (the default) is for reading, csv is the CSV export layout, "
     "json an array of objects",
     tracklore::cli::RunList},
    {"merge", "merge CAT IN...",
     "add the records of each IN to CAT (made when missing) with new identifiers, then save "
     "CAT; when an IN cannot be read, CAT is left as it was",
     tracklore::cli::RunMerge},
    {"parse", "parse EXPR",
     "check the search expression EXPR as the advanced search does (parse it, then evaluate "
     "it once on an empty record) and print it as the search prints it; on an error print "
     "the error's message",
     tracklore::cli::RunParse},
    {"query", "query CAT (EXPR | --saved NAME) [--format table|csv|json]",
     "print the records of CAT for which the search expression EXPR is true, in slot order, "
     "in the formats of list; for example: query music.tracklore 'artist~=\"aqua\" AND "
     "time<=3:00'; --saved runs the expression the advanced search dialog saved as NAME "
     "(in the settings store, $TRACKLORE_REGISTRY when set)",
     tracklore::cli::RunQuery},
    {"search",
     "search CAT [--id N] [--artist T] [--album T] [--title T] [--year T] [--genre NAME] "
     "[--comment T] [--volume T] [--filename T] [--format table|csv|json]",
     "print the records of CAT that match every given field: texts occur in the field "
     "ignoring case, --id is equal (-1 matches every record), --genre is a genre name "
     "written exactly as the genre table has it; formats as for list",
     tracklore::cli::RunSearch},
    {"scan", "scan [--scan-vbr] CAT PATH...",
     "scan each folder (with its subfolders) and each MP3 file into CAT, made when missing, "
     "then save CAT; files that could not be read are listed on stdout. Play time and bit "
     "rate come from the first frames (the encoder's summary header, or a steady bit rate), "
     "so little of each file is read; --scan-vbr walks every frame of every file instead",
     tracklore::cli::RunScan},
    {"update", "update CAT PATH... [--remove-missing] [--scan-vbr]",
     "bring the records of each folder (with its subfolders) in CAT up to date: a file whose "
     "size and date are those of its record (same volume label and file name) is not read, "
     "a changed file is read again into its record, which keeps its ID, a new file is "
     "added, and a record whose file is gone is listed as missing; --remove-missing removes "
     "those records. Prints the counts and lists; saves CAT when anything changed",
     tracklore::cli::RunUpdate},
    {"stats", "stats CAT",
     "print the number of records of CAT, their total play time and the total size of their "
     "files, as File Info shows them",
     tracklore::cli::RunStats},
    {"volumes", "volumes CAT [--format table|csv|json]",
     "print one line per volume label of CAT: its number of records, total size, total play "
     "time and newest file date, and whether a drive of the drive table (TRACKLORE_DRIVES "
     "when set, else the mounted file systems) carries that label now, with the drive and "
     "where it is mounted",
     tracklore::cli::RunVolumes},
#ifdef TRACKLORE_CLI_PRINT
    {"print",
     "print CAT --pdf OUT [--columns LIST] [--look none|gray|thin|cells] [--no-header] "
     "[--no-footer] [--font NAME] [--size POINTS] [--title TEXT]",
     "print the records of CAT as the desktop's Print does, into the PDF file OUT (A4, 600 "
     "dpi): LIST names the columns by heading in any case (id,artist,title; the default is "
     "the print dialog's: volume,artist,title,album,year,comment), the look of the rows "
     "defaults to none, the font to Arial 8 points, the title in the header to the file "
     "name of CAT",
     tracklore::cli::LaunchPrint},
#endif
    {"info", "info FILE", "show the tag kind, every tag frame and the audio values of one MP3 file",
     tracklore::cli::RunInfo},
    {"pack", "pack IN OUT", "compress the raw file IN into OUT with the catalogue's LZ77 stream",
     tracklore::cli::RunPack},
    {"unpack", "unpack IN OUT", "decompress IN, written by pack, into OUT",
     tracklore::cli::RunUnpack},
};

// Writes `text` indented by `indent` spaces, broken at spaces before column 80.
void PrintWrapped(std::FILE* out, const char* text, int indent) {
    constexpr int kWidth = 80;
    std::string line;
    std::string word;
    auto flush = [&] {
        std::fprintf(out, "%*s%s\n", indent, "", line.c_str());
        line.clear();
    };
    for (const char* p = text;; ++p) {
        if (*p != ' ' && *p != '\0') {
            word += *p;
            continue;
        }
        if (!line.empty() && indent + line.size() + 1 + word.size() > kWidth) flush();
        if (!line.empty()) line += ' ';
        line += word;
        word.clear();
        if (*p == '\0') break;
    }
    if (!line.empty()) flush();
}

void PrintHelp(std::FILE* out) {
    std::fprintf(out,
                 "Usage: tracklore-cli [--capacity N] COMMAND [ARGUMENTS]\n"
                 "\n"
                 "Tracklore, a catalogue of MP3 files, from the command line. A file whose name\n"
                 "ends in \".csv\" is read and written as semicolon-separated text; every other\n"
                 "name is a catalogue file.\n"
                 "\n"
                 "--capacity N (or the variable TRACKLORE_CAPACITY) lets the catalogues hold N\n"
                 "records, 32769 (the default) to 1048576.\n"
                 "\n"
                 "Commands:\n");
    for (const auto& command : kCommands) {
        std::fprintf(out, "  %s\n", command.usage);
        PrintWrapped(out, command.help, 6);
    }
    std::fprintf(out,
                 "  --help\n"
                 "      show this text\n"
                 "  --version\n"
                 "      show the program's version\n"
                 "\n"
                 "On failure a command writes the error's message on stderr and exits with\n"
                 "status 1 (2 for a wrong command line).\n");
}

// Takes the capacity from TRACKLORE_CAPACITY, then from a leading --capacity N, which is
// removed from `argv`; false after a message when either is not a valid capacity.
bool TakeCapacity(int& argc, char**& argv) {
    if (!tracklore::cli::TakeCapacityVariable()) return false;
    if (argc >= 2 && std::strcmp(argv[1], "--capacity") == 0) {
        if (argc < 3 || !tracklore::cli::TakeCapacity(argv[2], "--capacity")) {
            if (argc < 3) std::fprintf(stderr, "--capacity needs a number\n");
            return false;
        }
        argv[2] = argv[0];
        argv += 2;
        argc -= 2;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (!TakeCapacity(argc, argv)) return 2;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintHelp(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("tracklore-cli %s\n", TRACKLORE_VERSION);
        return 0;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& command : kCommands) {
        if (std::strcmp(argv[1], command.name) != 0) continue;
        try {
            return command.run(args);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    std::fprintf(stderr, "Unknown command \"%s\"; see tracklore-cli --help\n", argv[1]);
    return 2;
}
