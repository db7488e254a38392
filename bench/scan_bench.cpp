// The folder scan over folders of real MP3 files, quick (the default) and walking every
// frame, against reading the same files plainly, all with the files in the page cache. The
// whole walk should run at no less than half the rate of the plain reading; the quick scan
// should read no more than 2% of the bytes. Two folders of 200 files of about 3 MB are made
// once and kept in the build folder for later runs: constant bit rate without a summary
// header (one lame run whose frames are copied, each file starting at another frame), and
// variable bit rate with a Xing header (one lame run copied under different tags).
// Counters: read_share is the part of the files' bytes the scan fetched.
// BM_UpdateUnchangedFolder compares the update of an unchanged folder with a fresh scan.
//
// The cold runs first drop each file from the page cache (posix_fadvise DONTNEED, which
// needs no rights beyond reading the file) and afterwards count the file's pages the system
// brought back in (mincore): disk_read_per_file is what the scan cost the medium, the
// system's read-ahead included. A default scan should stay at or below 64 KB per file.
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "core/catalogue.h"
#include "media/scan.h"
#include "media/update.h"
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

enum class TKind { ConstantBare, VariableXing };

std::string Encoded(const std::string& folder, double seconds,
                    const std::vector<std::string>& options) {
    const std::string wav = folder + "/tone.wav";
    const std::string mp3 = folder + "/tone.mp3";
    test::WriteWav(wav, seconds, 44100, 2);
    test::LameEncode(wav, mp3, options);
    std::ifstream in(mp3, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fs::remove(wav);
    fs::remove(mp3);
    return bytes;
}

void Make(const std::string& folder, TKind kind) {
    std::string variable;
    test::Mp3Frames split;
    if (kind == TKind::VariableXing) {
        // lame -V 2 codes the tone at about 200 kbit/s: two minutes are about 3 MB.
        variable = Encoded(folder, 120.0, {"-V", "2"});
    } else {
        split = test::SplitFrames(Encoded(folder, 10.0, {"-b", "128"}));
    }
    for (int i = 0; i < kFiles; ++i) {
        std::string out = SmallTag(i);
        if (kind == TKind::VariableXing) {
            out += variable;
        } else {
            // Start each file at another frame, so no two files are the same.
            for (size_t f = static_cast<size_t>(i) + 1; out.size() < kFileBytes; ++f) {
                out += split.Frames[1 + (f - 1) % (split.Frames.size() - 1)];
            }
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

TFolder MakeFolder(TKind kind) {
    TFolder made;
    made.Path = std::string(TRACKLORE_BENCH_CACHE) +
                (kind == TKind::VariableXing ? "/scan_vbr" : "/scan_cbr");
    try {
        if (!fs::exists(made.Path + "/" + kReadyMark)) {
            if (!test::HaveTool("lame")) throw std::runtime_error("lame is not installed");
            fs::remove_all(made.Path);
            fs::create_directories(made.Path);
            Make(made.Path, kind);
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
}

const TFolder& Folder(TKind kind) {
    static TFolder constant = MakeFolder(TKind::ConstantBare);
    static TFolder variable = MakeFolder(TKind::VariableXing);
    return kind == TKind::VariableXing ? variable : constant;
}

// The folder of `kind`, or nullptr after skipping the benchmark when it could not be made.
const TFolder* FolderOrSkip(TKind kind, benchmark::State& state) {
    const TFolder& folder = Folder(kind);
    if (folder.Error.empty()) return &folder;
    state.SkipWithError(folder.Error.c_str());
    return nullptr;
}

// Scans the folder into a new catalogue; false after skipping the benchmark when a file was
// not taken.
bool ScanWhole(const TFolder& folder, const TScanOptions& options, benchmark::State& state) {
    TTracklore catalogue;
    std::vector<std::string> errors;
    ScanFolder(catalogue, folder.Path, errors, options);
    if (catalogue.Count() == kFiles && errors.empty()) return true;
    state.SkipWithError("the scan did not take every file");
    return false;
}

// Arguments: the folder's kind, and 1 to walk every frame (0 for the quick default).
void BM_ScanFolderOfMp3Files(benchmark::State& state) {
    const TFolder* found = FolderOrSkip(static_cast<TKind>(state.range(0)), state);
    if (found == nullptr) return;
    const TFolder& folder = *found;
    int64_t bytesRead = 0;
    TScanOptions options;
    options.ScanVBR = state.range(1) != 0;
    options.BytesRead = &bytesRead;
    for (auto _ : state) {
        if (!ScanWhole(folder, options, state)) return;
    }
    state.SetBytesProcessed(state.iterations() * folder.Bytes);
    state.SetItemsProcessed(state.iterations() * kFiles);
    state.counters["read_share"] =
        static_cast<double>(bytesRead) / static_cast<double>(state.iterations() * folder.Bytes);
    state.counters["read_per_file"] =
        static_cast<double>(bytesRead) / static_cast<double>(state.iterations() * kFiles);
}
BENCHMARK(BM_ScanFolderOfMp3Files)
    ->ArgNames({"vbr_xing", "whole"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ReadSameFilesPlainly(benchmark::State& state) {
    const TFolder* found = FolderOrSkip(TKind::ConstantBare, state);
    if (found == nullptr) return;
    const TFolder& folder = *found;
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

// A folder of 1,000 files of about 300 KB: each file of the constant-rate folder cut short
// under a tag of its own, five times.
constexpr int kUpdateFiles = 1000;

TFolder MakeUpdateFolder() {
    TFolder made;
    made.Path = std::string(TRACKLORE_BENCH_CACHE) + "/update_1000";
    const TFolder& source = Folder(TKind::ConstantBare);
    if (!source.Error.empty()) {
        made.Error = source.Error;
        return made;
    }
    if (!fs::exists(made.Path + "/" + kReadyMark)) {
        fs::remove_all(made.Path);
        fs::create_directories(made.Path);
        for (int i = 0; i < kUpdateFiles; ++i) {
            std::ifstream in(source.Files[static_cast<size_t>(i) % source.Files.size()],
                             std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
            const std::string out = SmallTag(i) + bytes.substr(SmallTag(0).size(), 300 * 1024);
            std::ofstream file(made.Path + "/track" + std::to_string(i) + ".mp3", std::ios::binary);
            file.write(out.data(), static_cast<std::streamsize>(out.size()));
        }
        std::ofstream(made.Path + "/" + kReadyMark) << "made\n";
    }
    return made;
}

// Updating an unchanged folder of 1,000 files, which needs the directory walk and one status
// call per file, against a fresh default scan of it (both with the files in the page cache).
// update_over_scan should stay at or below 0.2.
void BM_UpdateUnchangedFolder(benchmark::State& state) {
    static const TFolder folder = MakeUpdateFolder();
    if (!folder.Error.empty()) {
        state.SkipWithError(folder.Error.c_str());
        return;
    }
    TTracklore catalogue;
    std::vector<std::string> errors;
    ScanFolder(catalogue, folder.Path, errors);  // fills the page cache
    double scanSeconds = 1e9;
    for (int run = 0; run < 3; ++run) {
        TTracklore fresh;
        const auto start = std::chrono::steady_clock::now();
        ScanFolder(fresh, folder.Path, errors);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        scanSeconds = std::min(scanSeconds, took.count());
    }
    if (catalogue.Count() != kUpdateFiles || !errors.empty()) {
        state.SkipWithError("the scan did not take every file");
        return;
    }
    double updateSeconds = 1e9;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        TUpdateReport report;
        UpdateFolder(catalogue, folder.Path, report);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        updateSeconds = std::min(updateSeconds, took.count());
        if (report.Unchanged != kUpdateFiles) {
            state.SkipWithError("the update found changes in an unchanged folder");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kUpdateFiles);
    state.counters["scan_ms"] = scanSeconds * 1000;
    state.counters["update_over_scan"] = updateSeconds / scanSeconds;
}
BENCHMARK(BM_UpdateUnchangedFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

// Drops the clean pages of `files` from the page cache.
void DropFromCache(const std::vector<std::string>& files) {
    for (const auto& file : files) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

// Bytes of `files` in the page cache.
int64_t BytesInCache(const std::vector<std::string>& files) {
    const auto page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    int64_t total = 0;
    std::vector<unsigned char> resident;
    for (const auto& file : files) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        const auto size = static_cast<size_t>(::lseek(fd, 0, SEEK_END));
        void* map = size > 0 ? ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0) : MAP_FAILED;
        if (map != MAP_FAILED) {
            resident.assign((size + page - 1) / page, 0);
            if (::mincore(map, size, resident.data()) == 0) {
                for (const unsigned char bits : resident)
                    total += (bits & 1) ? static_cast<int64_t>(page) : 0;
            }
            ::munmap(map, size);
        }
        ::close(fd);
    }
    return total;
}

// Arguments as for BM_ScanFolderOfMp3Files, and 2 for the plain reading of every byte.
void BM_ScanFolderColdCache(benchmark::State& state) {
    const TFolder* found = FolderOrSkip(static_cast<TKind>(state.range(0)), state);
    if (found == nullptr) return;
    const TFolder& folder = *found;
    TScanOptions options;
    options.ScanVBR = state.range(1) == 1;
    const bool plain = state.range(1) == 2;
    std::vector<char> buffer(256 * 1024);
    int64_t fromDisk = 0;
    for (auto _ : state) {
        state.PauseTiming();
        DropFromCache(folder.Files);
        const int64_t before = BytesInCache(folder.Files);
        state.ResumeTiming();
        if (plain) {
            int64_t total = 0;
            for (const auto& file : folder.Files)
                ReadPlainly(file, buffer, total);
            benchmark::DoNotOptimize(total);
        } else if (!ScanWhole(folder, options, state)) {
            return;
        }
        state.PauseTiming();
        fromDisk += BytesInCache(folder.Files) - before;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
    state.counters["disk_read_per_file"] =
        static_cast<double>(fromDisk) / static_cast<double>(state.iterations() * kFiles);
}
BENCHMARK(BM_ScanFolderColdCache)
    ->ArgNames({"vbr_xing", "whole"})
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace tracklore::bench
