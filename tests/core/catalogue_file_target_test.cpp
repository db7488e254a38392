// Tests of saving by "write beside, then replace": left-overs, saving in place, refusals.
#include "core/catalogue_file_target.h"

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/save_temporary.h"
#include "streams/stream_errors.h"
#include "tests/support/error_text.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using platform::SaveTemporaryName;
using test::ReadFileBytes;
using test::TTempDir;
using test::WriteFileBytes;

// No Linux process has an id above PID_MAX_LIMIT (4,194,304).
constexpr int kEndedProcess = 4194305;

size_t EntryCount(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

void Save(const std::string& path, const std::string& bytes) {
    WriteReplacing(path, [&](StreamChain& chain) { WriteAll(*chain, bytes.data(), bytes.size()); });
}

std::string SaveError(const std::string& path, const std::string& bytes) {
    return test::ErrorOf<EInOutError>([&] { Save(path, bytes); });
}

bool UnnamedFilesWork(const std::string& folder) {
    const int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    close(fd);
    return access("/proc/self/fd", F_OK) == 0;
}

// A folder where the user may write the file but make no new one.
class LockedFolder {
public:
    explicit LockedFolder(const TTempDir& dir) : folder_(dir.Path("locked")) {
        mkdir(folder_.c_str(), 0755);
    }
    ~LockedFolder() { chmod(folder_.c_str(), 0755); }
    std::string Path(const char* name) const { return folder_ + "/" + name; }
    void Lock() const { chmod(folder_.c_str(), 0555); }

private:
    std::string folder_;
};

TEST(SaveTarget, SaveKilledMidwayLeavesNoTemporaryAfterTheNextSave) {
    TTempDir dir;
    const std::string path = dir.Path("music.tracklore");
    WriteFileBytes(path, "old");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child ends inside the save; nothing may return into the test runner.
        try {
            WriteReplacing(path, [](StreamChain& chain) {
                WriteAll(*chain, "partial", 7);
                _exit(0);
            });
        } catch (...) {
        }
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadFileBytes(path), "old");
    // An unnamed temporary file vanished with the process.
    if (UnnamedFilesWork(dir.Root())) {
        EXPECT_EQ(EntryCount(dir.Root()), 1u);
    }
    Save(path, "new");
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(EntryCount(dir.Root()), 1u);
}

TEST(SaveTarget, OnlyTemporariesOfEndedSavesOfTheSameTargetHereAreRemoved) {
    TTempDir dir;
    const std::string path = dir.Path("music.tracklore");
    const std::string stale = SaveTemporaryName(path, kEndedProcess, 1);
    const std::string running = SaveTemporaryName(path, getpid(), 2);
    const std::string otherHost = stale.substr(0, stale.rfind('.')) + ".elsewhere";
    const std::string unattributed = dir.Path(".music.tracklore.saving-0123456789ab");
    const std::string otherTarget =
        SaveTemporaryName(dir.Path("other.tracklore"), kEndedProcess, 3);
    for (const std::string& file : {stale, running, otherHost, unattributed, otherTarget})
        WriteFileBytes(file, "x");
    Save(path, "new");
    EXPECT_FALSE(std::filesystem::exists(stale));
    for (const std::string& file : {running, otherHost, unattributed, otherTarget})
        EXPECT_TRUE(std::filesystem::exists(file)) << file;
}

TEST(SaveTarget, FailedSaveInPlaceKeepsTheOldBytes) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser may write any folder";
    TTempDir dir;
    const LockedFolder folder(dir);
    const std::string path = folder.Path("music.tracklore");
    WriteFileBytes(path, "old bytes");
    folder.Lock();
    {
        test::TFileSizeLimit limit(9);
        EXPECT_EQ(SaveError(path, std::string(4096, 'n')),
                  "Error writing to stream - File too large");
    }
    EXPECT_EQ(ReadFileBytes(path), "old bytes");
    Save(path, "new");
    EXPECT_EQ(ReadFileBytes(path), "new");
}

TEST(SaveTarget, FileInPlaceWhoseBytesCannotBeKeptIsRefusedUntouched) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser may read any file";
    TTempDir dir;
    const LockedFolder folder(dir);
    const std::string path = folder.Path("music.tracklore");
    WriteFileBytes(path, "old bytes");
    chmod(path.c_str(), 0200);
    folder.Lock();
    EXPECT_EQ(SaveError(path, "new"), "\"" + path +
                                          "\" can only be saved in place, and its present "
                                          "contents could not be kept: Permission denied");
    chmod(path.c_str(), 0600);
    EXPECT_EQ(ReadFileBytes(path), "old bytes");
}

}  // namespace
}  // namespace tracklore
