// Test helper that plays a full disk for regular files: while it lives, no file of this
// process may grow beyond a given size, and writes beyond it fail with EFBIG.
#pragma once

#include <csignal>
#include <sys/resource.h>

namespace tracklore::test {

class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        // Without this the system would end the process with SIGXFSZ instead of failing
        // the write.
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace tracklore::test
