// The scratch file of a fuzz target that reads its input from disk: one per process, in
// $TMPDIR (else /tmp), removed when the program ends. libFuzzer ends a timed run with exit(),
// which destroys function-local statics, so a static TFuzzScratch cleans up after it; a
// crash leaves the file, and scripts/fuzz.sh runs each target in a folder of its own that
// it removes in any case. Also the choice of inputs that a target saves and loads again.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace tracklore::fuzz {

class TFuzzScratch {
public:
    /// A file named tracklore_fuzz_`stem`_PID`extension`.
    TFuzzScratch(const char* stem, const char* extension) {
        const char* folder = std::getenv("TMPDIR");
        path_ = folder != nullptr && *folder != '\0' ? folder : "/tmp";
        if (path_.back() != '/') path_ += '/';
        path_ += "tracklore_fuzz_" + std::string(stem) + "_" + std::to_string(getpid()) + extension;
    }
    ~TFuzzScratch() { std::remove(path_.c_str()); }
    TFuzzScratch(const TFuzzScratch&) = delete;
    TFuzzScratch& operator=(const TFuzzScratch&) = delete;

    const std::string& Path() const { return path_; }

    /// Replaces the file by one holding `data`; aborts when that fails.
    void Write(const uint8_t* data, size_t size) const {
        // A new file each time: emptying a file that holds data can wait for the disk.
        std::remove(path_.c_str());
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (file == nullptr) std::abort();
        const bool written = std::fwrite(data, 1, size, file) == size;
        if (std::fclose(file) != 0 || !written) std::abort();
    }

private:
    std::string path_;
};

/// Saving synchronises the file with the disk, which is slow: only one input in 32, chosen
/// by its bytes, is saved and loaded again.
inline bool SampledForRoundTrip(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    return std::hash<std::string_view>{}(bytes) % 32 == 0;
}

}  // namespace tracklore::fuzz
