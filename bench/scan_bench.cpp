// The folder scan over a folder of real MP3 files, against reading the same files plainly,
// both with the files in the page cache. The scan should run at no less than half the rate
// of the plain reading. The folder (200 files of about 3 MB) is made once, from one lame run
// whose frames are copied, and kept in the build folder for later runs.
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "core/catalogue.h"
#include "media/scan.h"
#include "tests/support/mp3_factory.h"

#ifndef TRACKLORE_BENCH_CACHE
#define TRACKLORE_BENCH_CACHE "bench_cache"
#endif

namespace tracklore::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 200;
constexpr size_t kFileBytes = 3 << 20;
constexpr const char* kReadyMark = "complete";

std::string Synchsafe(size_t value) {
    return {static_cast<char>((value >> 21) & 0x7F), static_cast<char>((value >> 14) & 0x7F),
            static_cast<char>((value >> 7) & 0x7F), static_cast<char>(value & 0x7F)};
}

// A version-3 tag with a title and an artist, and room to spare as real taggers leave it.
std::string SmallTag(int number) {
    const auto frame = [](const std::string& id, const std::string& text) {
        const size_t size = text.size() + 1;
        return id + std::string{0, 0, static_cast<char>(size >> 8), static_cast<char>(size)} +
               std::string(3, '\0') + text;
    };
    std::string frames = frame("TIT2", "Track " + std::to_string(number)) +
                         frame("TPE1", "Benchmark") + frame("TCON", "(17)");
    frames.resize(1024, '\0');
    return std::string("ID3\x03\0\0", 6) + Synchsafe(frames.size()) + frames;
}

struct TFolder {
    std::string Path;
    std::vector<std::string> Files;
    int64_t Bytes = 0;
    std::string Error;
};

void Make(const std::string& folder) {
    const std::string wav = folder + "/tone.wav";
    const std::string mp3 = folder + "/tone.mp3";
    test::WriteWav(wav, 10.0, 44100, 2);
    test::LameEncode(wav, mp3, {"-b", "128"});
    std::ifstream in(mp3, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const test::Mp3Frames split = test::SplitFrames(bytes);
    fs::remove(wav);
    fs::remove(mp3);
    for (int i = 0; i < kFiles; ++i) {
        std::string out = SmallTag(i);
        // Start each file at another frame, so no two files are the same.
        for (size_t f = static_cast<size_t>(i); out.size() < kFileBytes; ++f) {
            out += split.Frames[f % split.Frames.size()];
        }
        std::ofstream file(folder + "/track" + std::to_string(i) + ".mp3", std::ios::binary);
        file.write(out.data(), static_cast<std::streamsize>(out.size()));
    }
    std::ofstream(folder + "/" + kReadyMark) << "made\n";
}

// Reads every byte of `path`; false when it cannot be read.
bool ReadPlainly(const std::string& path, std::vector<char>& buffer, int64_t& total) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    ssize_t got;
    while ((got = ::read(fd, buffer.data(), buffer.size())) > 0)
        total += got;
    ::close(fd);
    return got == 0;
}

const TFolder& Folder() {
    static TFolder folder = [] {
        TFolder made;
        made.Path = std::string(TRACKLORE_BENCH_CACHE) + "/scan";
        try {
            if (!fs::exists(made.Path + "/" + kReadyMark)) {
                if (!test::HaveTool("lame")) throw std::runtime_error("lame is not installed");
                fs::remove_all(made.Path);
                fs::create_directories(made.Path);
                Make(made.Path);
            }
            std::vector<char> buffer(1 << 20);
            for (int i = 0; i < kFiles; ++i) {
                const std::string file = made.Path + "/track" + std::to_string(i) + ".mp3";
                // Reading each file once here puts it in the page cache for both runs.
                if (!ReadPlainly(file, buffer, made.Bytes)) throw std::runtime_error(file);
                made.Files.push_back(file);
            }
        } catch (const std::exception& error) {
            made.Error = error.what();
        }
        return made;
    }();
    return folder;
}

void BM_ScanFolderOfMp3Files(benchmark::State& state) {
    const TFolder& folder = Folder();
    if (!folder.Error.empty()) {
        state.SkipWithError(folder.Error.c_str());
        return;
    }
    for (auto _ : state) {
        TTracklore catalogue;
        std::vector<std::string> errors;
        ScanFolder(catalogue, folder.Path, errors);
        if (catalogue.Count() != kFiles || !errors.empty()) {
            state.SkipWithError("the scan did not take every file");
            return;
        }
        benchmark::DoNotOptimize(catalogue.Count());
    }
    state.SetBytesProcessed(state.iterations() * folder.Bytes);
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_ScanFolderOfMp3Files)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadSameFilesPlainly(benchmark::State& state) {
    const TFolder& folder = Folder();
    if (!folder.Error.empty()) {
        state.SkipWithError(folder.Error.c_str());
        return;
    }
    std::vector<char> buffer(256 * 1024);  // the block size the scan reads in
    for (auto _ : state) {
        int64_t total = 0;
        for (const auto& file : folder.Files)
            ReadPlainly(file, buffer, total);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * folder.Bytes);
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_ReadSameFilesPlainly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tracklore::bench
