// The running program's folder, and other programs found on the path and started.
#include "platform/program.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tracklore::platform {

namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string ProgramFolder() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) return {};
        if (static_cast<size_t>(length) < path.size()) {
            path.resize(static_cast<size_t>(length));
            break;
        }
        path.resize(path.size() * 2);  // the name may have been cut: try a larger buffer
    }
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::vector<std::string> ProgramFolders() {
    std::vector<std::string> folders;
    const std::string own = ProgramFolder();
    if (own.empty()) return folders;
    folders.push_back(own);
    if (const size_t slash = own.find_last_of('/', own.size() - 2);
        own.size() > 1 && slash != std::string::npos)
        folders.push_back(own.substr(0, slash + 1) + "lib/tracklore/");
    return folders;
}

std::string FindProgram(const std::string& name) {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string();
    const char* variable = std::getenv("PATH");
    const std::string folders = variable != nullptr ? variable : "/bin:/usr/bin";
    size_t start = 0;
    for (;;) {
        const size_t end = folders.find(':', start);
        // An empty entry, the last one after a trailing ":" or an empty PATH included, is
        // the current folder.
        const std::string_view entry = std::string_view(folders).substr(start, end - start);
        std::string candidate(entry.empty() ? std::string_view(".") : entry);
        if (candidate.back() != '/') candidate += '/';
        candidate += name;
        if (IsExecutableFile(candidate)) return candidate;
        if (end == std::string::npos) return {};
        start = end + 1;
    }
}

int StartProgram(const std::string& name) {
    // Everything the new process needs is prepared before forking: between fork and exec a
    // process with several threads may only make async-signal-safe calls.
    const std::string path = FindProgram(name);
    if (path.empty()) return ENOENT;
    char* const argv[] = {const_cast<char*>(name.c_str()), nullptr};
    sigset_t noSignals;
    sigemptyset(&noSignals);
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    // For kernels without close_range, the descriptors are closed one by one up to the limit.
    const long openMax = ::sysconf(_SC_OPEN_MAX);
    const int lastFd = openMax > 0 && openMax < (1 << 20) ? static_cast<int>(openMax) : 1 << 20;
    // The program's side reports a failed exec through this pipe; a successful exec closes
    // it (close-on-exec) without a word.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return errno;
    const auto tell = [&](int error) {
        [[maybe_unused]] const ssize_t ignored = ::write(report[1], &error, sizeof error);
        ::_exit(127);
    };

    // Two forks: the middle process ends at once and is waited for here, so the program
    // itself is adopted by init and never becomes a zombie of ours.
    const pid_t middle = ::fork();
    if (middle < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return error;
    }
    if (middle == 0) {
        ::setsid();
        // _Fork, unlike fork, runs no fork handlers, so it is safe in this copy of a
        // process that may have had several threads.
        const pid_t program = ::_Fork();
        if (program < 0) tell(errno);
        if (program == 0) {
            ::sigprocmask(SIG_SETMASK, &noSignals, nullptr);
            ::sigaction(SIGPIPE, &byDefault, nullptr);
            ::sigaction(SIGCHLD, &byDefault, nullptr);
            // Files of ours stay ours; only the report pipe stays open until the exec.
            const int keep = report[1];
            if ((keep > 3 && ::close_range(3, static_cast<unsigned>(keep - 1), 0) != 0) ||
                ::close_range(static_cast<unsigned>(keep + 1), ~0u, 0) != 0)
                for (int fd = 3; fd < lastFd; ++fd)
                    if (fd != keep) ::close(fd);
            ::execv(path.c_str(), argv);
            tell(errno);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

}  // namespace tracklore::platform
