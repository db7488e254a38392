// A scratch file in the temporary folder ($TMPDIR, else /tmp) for benchmarks, removed when
// the benchmark ends.
#pragma once

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace tracklore::bench {

class TScratchFile {
public:
    /// Makes an empty file with a name of its own ending in `extension`.
    explicit TScratchFile(const std::string& extension = "") {
        const char* folder = std::getenv("TMPDIR");
        std::string pattern =
            std::string(folder ? folder : "/tmp") + "/tracklore_bench_XXXXXX" + extension;
        const int fd = mkstemps(pattern.data(), static_cast<int>(extension.size()));
        if (fd >= 0) close(fd);
        name_ = pattern;
    }
    ~TScratchFile() { unlink(name_.c_str()); }
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

}  // namespace tracklore::bench
