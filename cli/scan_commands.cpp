// tracklore-cli scan and info: MP3 files and folders scanned into records and shown.
#include "cli/scan_commands.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "cli/capacity.h"
#include "cli/command_args.h"
#include "cli/record_output.h"
#include "core/catalogue.h"
#include "core/file_choice.h"
#include "media/id3v2.h"
#include "media/mpeg_audio.h"
#include "media/scan.h"
#include "platform/file_info.h"

namespace tracklore::cli {

namespace {

// Scans every path in order; the failed files of folder scans go to stdout as they are
// known, so the lines of earlier folders are out even when a later path ends the scan.
// A file named on the command line fails like a file inside a folder: whatever failed in
// the file itself (tag or header error, short read, open or read error) is listed and the
// scan goes on.
void ScanPaths(TTracklore& catalogue, const std::vector<std::string>& paths,
               const TScanOptions& options) {
    for (const auto& path : paths) {
        std::vector<std::string> errors;
        const auto print = [&errors] {
            for (const auto& line : errors)
                std::printf("%s\n", line.c_str());
        };
        try {
            const auto status = platform::GetFileStatus(path);
            if (status && status->IsFolder) {
                ScanFolder(catalogue, path, errors, options);
            } else {
                ScanFileListingErrors(catalogue, path, errors, options);
            }
        } catch (...) {
            print();
            throw;
        }
        print();
    }
}

// A text with its zero characters, controls and backslashes written out, so every frame
// stays on one line and what the tag holds is visible.
std::string Visible(const std::string& text) {
    static constexpr TEscapes kVisible = {
        {{{'\0', "\\0"}, {'\\', "\\\\"}, {'\n', "\\n"}, {'\r', "\\r"}, {'\t', "\\t"}}},
        "\\x%02X",
        true};
    std::string out;
    AppendEscaped(out, text, kVisible);
    return out;
}

void PrintTags(const Tid3v2& tag) {
    switch (tag.TagKind) {
        case 2: std::printf("Tag: ID3v2.%u\n", static_cast<unsigned>(tag.MajorVersion())); break;
        case 1: std::printf("Tag: ID3v1\n"); break;
        default: std::printf("Tag: none\n"); break;
    }
    std::printf("File size: %lld\n", static_cast<long long>(tag.FileLength));
    for (const auto& frame : tag.Frames()) {
        std::string text = frame->DisplayText();
        if (const auto* comment = dynamic_cast<const Tid3comment*>(frame.get())) {
            if (!comment->Description.empty()) text = "[" + comment->Description + "] " + text;
        } else if (const auto* web = dynamic_cast<const Tid3web*>(frame.get())) {
            if (!web->Description.empty()) text = "[" + web->Description + "] " + text;
        }
        std::printf("%s: %s\n", Visible(frame->FrameID).c_str(), Visible(text).c_str());
    }
}

void PrintAudio(const TMPEGAudio& audio) {
    std::printf("Version: %s\n", audio.VersionName.c_str());
    std::printf("Layer: %s\n", audio.LayerName.c_str());
    std::printf("Bit rate: %u kbit/s\n", static_cast<unsigned>(audio.BitRate));
    std::printf("Sample rate: %u Hz\n", static_cast<unsigned>(audio.SampleRate));
    std::printf("Channel mode: %s\n", audio.ChannelModeName.c_str());
    std::printf("Duration: %.3f s\n", audio.Duration);
    std::printf("Frames: %u\n", static_cast<unsigned>(audio.FrameCount));
}

}  // namespace

int RunScan(const std::vector<std::string>& given) {
    // --scan-vbr may stand anywhere: the whole-file walk for every file.
    TScanOptions options;
    const std::vector<std::string> args = TakeFlags(given, {{"--scan-vbr", &options.ScanVBR}});
    if (args.size() < 2) return Usage("scan [--scan-vbr] CAT PATH...");
    const std::string& catalogueFile = args[0];
    TTracklore catalogue(nullptr, CatalogueCapacity());
    if (platform::GetFileStatus(catalogueFile)) LoadByFormat(catalogue, catalogueFile);

    int status = 0;
    try {
        ScanPaths(catalogue, std::vector<std::string>(args.begin() + 1, args.end()), options);
    } catch (const std::exception& error) {
        // The records added before the failure are still saved.
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", error.what());
        status = 1;
    }
    std::fflush(stdout);
    SaveByFormat(catalogue, catalogueFile);
    return status;
}

int RunInfo(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage("info FILE");
    std::unique_ptr<Tid3v2> tag;
    try {
        tag = std::make_unique<Tid3v2>(args[0], true);
    } catch (const EMPEGError& error) {
        // Audio that cannot be read still leaves the tags worth showing.
        Tid3v2 tagsOnly(args[0], false);
        std::printf("File: %s\n", args[0].c_str());
        PrintTags(tagsOnly);
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::printf("File: %s\n", args[0].c_str());
    PrintTags(*tag);
    if (tag->Audio) PrintAudio(*tag->Audio);
    return 0;
}

}  // namespace tracklore::cli
