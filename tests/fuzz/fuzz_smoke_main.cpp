// Runs a fuzz target without libFuzzer: every seed file in the given folder, then a fixed
// number of pseudo-random mutations of the seeds (or of nothing), the same on every run.
// Seeds beyond 64 KiB (hostile shapes of up to 1 MiB) run once as they stand but are not
// mutated: thousands of runs over them would make the smoke test slow.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

constexpr size_t kMutatedSeedMax = 64 * 1024;

std::vector<std::vector<uint8_t>> ReadSeeds(const char* folder) {
    std::vector<std::vector<uint8_t>> seeds;
    std::error_code error;
    if (!folder || !std::filesystem::is_directory(folder, error)) return seeds;
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file()) paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    for (const auto& path : paths) {
        std::ifstream in(path, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

std::vector<uint8_t> Mutate(std::vector<uint8_t> data, std::mt19937& random) {
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < edits; ++i) {
        switch (random() % 4) {
            case 0:  // flip a byte
                if (!data.empty()) data[random() % data.size()] = static_cast<uint8_t>(random());
                break;
            case 1:  // insert bytes
                data.insert(data.begin() + static_cast<long>(random() % (data.size() + 1)),
                            1 + random() % 16, static_cast<uint8_t>(random()));
                break;
            case 2:  // cut the tail
                if (!data.empty()) data.resize(random() % data.size());
                break;
            default:  // append random bytes
                for (int n = static_cast<int>(random() % 64); n > 0; --n) {
                    data.push_back(static_cast<uint8_t>(random()));
                }
        }
    }
    return data;
}

}  // namespace

int main(int argc, char** argv) {
    auto seeds = ReadSeeds(argc > 1 ? argv[1] : nullptr);
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5000;
    for (const auto& seed : seeds)
        LLVMFuzzerTestOneInput(seed.data(), seed.size());
    const size_t seedCount = seeds.size();
    seeds.erase(std::remove_if(seeds.begin(), seeds.end(),
                               [](const auto& seed) { return seed.size() > kMutatedSeedMax; }),
                seeds.end());
    std::mt19937 random(20261208);
    for (int round = 0; round < rounds; ++round) {
        const std::vector<uint8_t> empty;
        const auto& base = seeds.empty() ? empty : seeds[random() % seeds.size()];
        const auto input = Mutate(base, random);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%zu seeds and %d mutations ran cleanly\n", seedCount, rounds);
    return 0;
}
