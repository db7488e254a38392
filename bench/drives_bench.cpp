// Cost of the drive lookups the scanner makes once per file: the volume label and the split
// of a path into drive and file name, with the automatic table and with a named one.
#include <cstdlib>
#include <string>

#include <benchmark/benchmark.h>

#include "platform/block_devices.h"
#include "platform/drives.h"
#include "platform/mounts.h"

namespace {

using namespace tracklore::platform;

void UseAutomaticTable() {
    unsetenv("TRACKLORE_DRIVES");
}

void UseNamedTable() {
    setenv("TRACKLORE_DRIVES", "c=/;d=/tmp|MUSIC 01;e=/nonexistent/cdrom;f=/usr", 1);
}

// The label of the drive `letter`, with the named table or the automatic one.
void BM_VolumeLabel(benchmark::State& state, bool named, char letter) {
    if (named) UseNamedTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(VolumeLabelOf(letter));
    UseAutomaticTable();
}
BENCHMARK_CAPTURE(BM_VolumeLabel, Automatic, false, 'c');
BENCHMARK_CAPTURE(BM_VolumeLabel, Named, true, 'd');
BENCHMARK_CAPTURE(BM_VolumeLabel, NamedFromFileSystem, true, 'f');

void BM_SplitDrivePathAutomatic(benchmark::State& state) {
    UseAutomaticTable();
    const std::string path = "/home/user/Music/Artist/Album/01 Track.mp3";
    for (auto _ : state)
        benchmark::DoNotOptimize(SplitDrivePath(path));
}
BENCHMARK(BM_SplitDrivePathAutomatic);

void BM_DriveTableAutomatic(benchmark::State& state) {
    UseAutomaticTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(DriveTable());
}
BENCHMARK(BM_DriveTableAutomatic);

// What every lookup would cost without the cache: reading the mount table and probing the
// root file system's label.
void BM_UncachedRootLabel(benchmark::State& state) {
    for (auto _ : state) {
        const auto text = ReadMountInfoFile("/proc/self/mountinfo");
        const auto mounts = ParseMountInfo(text.value_or(""));
        const MountInfo* root = MountHolding(mounts, "/");
        benchmark::DoNotOptimize(root ? ProbeVolumeLabel(*root) : std::string());
    }
}
BENCHMARK(BM_UncachedRootLabel);

}  // namespace
