// Tests of the file calls and the system error texts.
#include "platform/file.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/temp_dir.h"

namespace tracklore::platform {
namespace {

using test::ReadFileBytes;
using test::TTempDir;
using test::WriteFileBytes;

constexpr uint32_t kReadWrite = kAccessRead | kAccessWrite;
constexpr uint32_t kShareBoth = kShareRead | kShareWrite;

TEST(SystemErrorText, IsTheSystemsTextForKnownCodes) {
    EXPECT_EQ(SystemErrorText(ENOENT), "No such file or directory");
    EXPECT_EQ(SystemErrorText(ENOSPC), "No space left on device");
}

TEST(SystemErrorText, FallsBackForCodesWithoutText) {
    EXPECT_EQ(SystemErrorText(987654), msg::NoErrorDescription);
    EXPECT_EQ(SystemErrorText(-3), msg::NoErrorDescription);
}

TEST(SystemErrorText, NeverLongerThan255Bytes) {
    for (int code = 0; code < 200; ++code)
        EXPECT_LE(SystemErrorText(code).size(), 255u) << code;
}

TEST(NativeFile, OpenExistingFailsForMissingFileWithoutCreatingIt) {
    TTempDir dir;
    TNativeFile file;
    EXPECT_FALSE(file.Open(dir.Path("missing"), kAccessRead, 0, FileCreation::kOpenExisting));
    EXPECT_EQ(file.LastError(), ENOENT);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(dir.Path("missing")));
}

TEST(NativeFile, OpenRefusesDirectories) {
    TTempDir dir;
    TNativeFile file;
    EXPECT_FALSE(file.Open(dir.Root(), kAccessRead, kShareBoth, FileCreation::kOpenExisting));
    EXPECT_EQ(file.LastError(), EISDIR);
    EXPECT_FALSE(file.IsOpen());
}

// Opens a file holding bytes with "create always" and the given access: it must be empty.
void ExpectCreateAlwaysEmpties(uint32_t access) {
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "old content");
    TNativeFile file;
    ASSERT_TRUE(file.Open(dir.Path("f"), access, 0, FileCreation::kCreateAlways));
    EXPECT_EQ(file.Size(), 0);
}

TEST(NativeFile, CreateAlwaysEmptiesAnExistingFile) {
    ExpectCreateAlwaysEmpties(kAccessWrite);
}

TEST(NativeFile, CreateAlwaysWithReadAccessOnlyStillEmptiesTheFile) {
    ExpectCreateAlwaysEmpties(kAccessRead);
}

// Writes `bytes` to the file "f" of `dir`, then opens it again with `access`.
bool OpenExistingWith(TNativeFile& file, const TTempDir& dir, const std::string& bytes,
                      uint32_t access) {
    WriteFileBytes(dir.Path("f"), bytes);
    return file.Open(dir.Path("f"), access, 0, FileCreation::kOpenExisting);
}

TEST(NativeFile, OpenExistingKeepsTheContent) {
    TTempDir dir;
    TNativeFile file;
    ASSERT_TRUE(OpenExistingWith(file, dir, "abcdef", kReadWrite));
    std::string bytes(6, '\0');
    size_t done = 0;
    ASSERT_TRUE(file.Read(bytes.data(), bytes.size(), done));
    EXPECT_EQ(bytes.substr(0, done), "abcdef");
}

TEST(NativeFile, ReadAtTheEndReturnsTheShortCountWithoutError) {
    TTempDir dir;
    TNativeFile file;
    ASSERT_TRUE(OpenExistingWith(file, dir, "abcd", kAccessRead));
    char bytes[10];
    size_t done = 99;
    ASSERT_TRUE(file.Read(bytes, sizeof bytes, done));
    EXPECT_EQ(done, 4u);
    ASSERT_TRUE(file.Read(bytes, sizeof bytes, done));
    EXPECT_EQ(done, 0u);
}

TEST(NativeFile, WriteSeekPositionSizeAndTruncate) {
    TTempDir dir;
    TNativeFile file;
    ASSERT_TRUE(file.Open(dir.Path("f"), kReadWrite, 0, FileCreation::kCreateAlways));
    size_t done = 0;
    ASSERT_TRUE(file.Write("0123456789", 10, done));
    EXPECT_EQ(done, 10u);
    EXPECT_EQ(file.Position(), 10);
    ASSERT_TRUE(file.Seek(4));
    EXPECT_EQ(file.Position(), 4);
    ASSERT_TRUE(file.Truncate());
    EXPECT_EQ(file.Size(), 4);
    EXPECT_TRUE(file.Flush());
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadFileBytes(dir.Path("f")), "0123");
}

TEST(NativeFile, SeekToANegativeOffsetFails) {
    TTempDir dir;
    TNativeFile file;
    ASSERT_TRUE(file.Open(dir.Path("f"), kReadWrite, 0, FileCreation::kCreateAlways));
    EXPECT_FALSE(file.Seek(-1));
    EXPECT_EQ(file.LastError(), EINVAL);
}

TEST(NativeFile, WriteToAFullDeviceFailsWithNoSpace) {
    TNativeFile file;
    ASSERT_TRUE(file.Open("/dev/full", kAccessWrite, kShareBoth, FileCreation::kOpenExisting));
    size_t done = 0;
    EXPECT_FALSE(file.Write("abc", 3, done));
    EXPECT_EQ(file.LastError(), ENOSPC);
    EXPECT_EQ(done, 0u);
}

TEST(NativeFile, FlushOfADeviceThatCannotSyncSucceeds) {
    TNativeFile file;
    ASSERT_TRUE(file.Open("/dev/full", kAccessRead, kShareBoth, FileCreation::kOpenExisting));
    EXPECT_TRUE(file.Flush());
}

TEST(NativeFile, AccessHintsChangeNothingButTheReadAhead) {
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "abcdefgh");
    ASSERT_EQ(mkfifo(dir.Path("pipe").c_str(), 0600), 0);
    TNativeFile closed;
    closed.AdviseAccess(AccessPattern::kRandom);  // nothing open: nothing to do
    for (const char* name : {"f", "pipe"}) {
        TNativeFile file;
        ASSERT_TRUE(
            file.Open(dir.Path(name), kAccessRead, kShareBoth, FileCreation::kOpenExisting));
        char bytes[4] = {};
        size_t done = 0;
        for (const auto pattern :
             {AccessPattern::kRandom, AccessPattern::kSequential, AccessPattern::kNormal}) {
            // A pipe takes no hint; that is no error either.
            file.AdviseAccess(pattern);
            EXPECT_EQ(file.LastError(), 0) << name;
            ASSERT_TRUE(file.Read(bytes, 2, done));
        }
        if (std::strcmp(name, "f") == 0) {
            EXPECT_EQ(std::string(bytes, 2), "ef");
        }
    }
}

TEST(NativeFile, PipeWithoutWriterOpensForReadingAndReadsAsEmpty) {
    TTempDir dir;
    const std::string path = dir.Path("pipe.mp3");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    TNativeFile file;
    ASSERT_TRUE(file.Open(path, kAccessRead, kShareBoth, FileCreation::kOpenExisting));
    char byte;
    size_t done = 1;
    EXPECT_TRUE(file.Read(&byte, 1, done));
    EXPECT_EQ(done, 0u);
}

TEST(NativeFile, ReadsFromAPipeWaitForTheWriter) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    TNativeFile file;
    ASSERT_TRUE(file.Open("/dev/fd/" + std::to_string(ends[0]), kAccessRead, kShareBoth,
                          FileCreation::kOpenExisting));
    close(ends[0]);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        usleep(50000);  // the parent is reading by now, and must wait rather than see EAGAIN
        (void)!write(ends[1], "ab", 2);
        _exit(0);
    }
    close(ends[1]);
    char bytes[2];
    size_t done = 0;
    EXPECT_TRUE(file.Read(bytes, 2, done));
    EXPECT_EQ(done, 2u);
    waitpid(child, nullptr, 0);
}

TEST(NativeFile, RemoveFileDeletesAndReportsMissingFiles) {
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "x");
    EXPECT_EQ(RemoveFile(dir.Path("f")), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("f")));
    EXPECT_EQ(RemoveFile(dir.Path("f")), ENOENT);
}

// Sharing: the second open of one file is checked against the first.
struct SharingCase {
    uint32_t firstAccess, firstShare, secondAccess, secondShare;
    bool allowed;
};

void PrintTo(const SharingCase& c, std::ostream* out) {
    *out << "access " << c.firstAccess << " share " << c.firstShare << ", then access "
         << c.secondAccess << " share " << c.secondShare << (c.allowed ? ": allowed" : ": refused");
}

class NativeFileSharing : public testing::TestWithParam<SharingCase> {};

TEST_P(NativeFileSharing, SecondOpenFollowsTheWindowsRule) {
    const SharingCase& c = GetParam();
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "data");
    TNativeFile first;
    ASSERT_TRUE(
        first.Open(dir.Path("f"), c.firstAccess, c.firstShare, FileCreation::kOpenExisting));
    TNativeFile second;
    EXPECT_EQ(
        second.Open(dir.Path("f"), c.secondAccess, c.secondShare, FileCreation::kOpenExisting),
        c.allowed);
    if (!c.allowed) {
        EXPECT_EQ(second.LastError(), EBUSY);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, NativeFileSharing,
    testing::Values(
        // Readers that share reading may read together.
        SharingCase{kAccessRead, kShareRead, kAccessRead, kShareRead, true},
        // A reader that shares nothing locks out other readers.
        SharingCase{kAccessRead, 0, kAccessRead, kShareBoth, false},
        // A reader that does not share writing locks out writers.
        SharingCase{kAccessRead, kShareRead, kAccessWrite, kShareBoth, false},
        // A writer that does not share writing locks out other writers.
        SharingCase{kAccessWrite, kShareRead, kAccessWrite, kShareBoth, false},
        // A writer that shares reading admits a reader that shares writing ...
        SharingCase{kAccessWrite, kShareRead, kAccessRead, kShareWrite, true},
        // ... but not a reader that refuses to share with the writer already there.
        SharingCase{kAccessWrite, kShareRead, kAccessRead, kShareRead, false},
        // Everyone sharing everything: two writers at once.
        SharingCase{kReadWrite, kShareBoth, kReadWrite, kShareBoth, true}));

TEST(NativeFile, RefusedCreateLeavesTheLockedFileIntact) {
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "precious");
    TNativeFile owner;
    ASSERT_TRUE(owner.Open(dir.Path("f"), kAccessRead, 0, FileCreation::kOpenExisting));
    TNativeFile intruder;
    EXPECT_FALSE(
        intruder.Open(dir.Path("f"), kAccessWrite, kShareBoth, FileCreation::kCreateAlways));
    EXPECT_EQ(ReadFileBytes(dir.Path("f")), "precious");
}

TEST(NativeFile, CloseReleasesTheSharingLocks) {
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "data");
    TNativeFile first;
    ASSERT_TRUE(first.Open(dir.Path("f"), kAccessWrite, 0, FileCreation::kOpenExisting));
    ASSERT_TRUE(first.Close());
    TNativeFile second;
    EXPECT_TRUE(second.Open(dir.Path("f"), kAccessWrite, 0, FileCreation::kOpenExisting));
}

TEST(NativeFile, DevicesAreNotSubjectToSharing) {
    TNativeFile first;
    ASSERT_TRUE(first.Open("/dev/full", kAccessWrite, 0, FileCreation::kCreateAlways));
    TNativeFile second;
    EXPECT_TRUE(second.Open("/dev/full", kAccessWrite, 0, FileCreation::kCreateAlways));
}

TEST(NativeFile, SharingHoldsAgainstOtherProcesses) {
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "data");
    TNativeFile owner;
    ASSERT_TRUE(owner.Open(dir.Path("f"), kAccessWrite, 0, FileCreation::kOpenExisting));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TNativeFile other;
        const bool opened =
            other.Open(dir.Path("f"), kAccessRead, kShareBoth, FileCreation::kOpenExisting);
        _exit(!opened && other.LastError() == EBUSY ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace tracklore::platform
