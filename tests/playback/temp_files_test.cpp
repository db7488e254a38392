// Tests of the play pipeline's paths and temporary copies.
#include "playback/temp_files.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "playback/temp_folder.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace tracklore::playback {
namespace {

using test::ReadFileBytes;
using test::TTempDir;
using test::WriteFileBytes;

TEST(FullPathOn, JoinsRootAndNameConvertingBackslashes) {
    EXPECT_EQ(FullPathOn("/media/cd", "\\Music\\a.mp3"), "/media/cd/Music/a.mp3");
    EXPECT_EQ(FullPathOn("/", "/Music/a.mp3"), "/Music/a.mp3");
    EXPECT_EQ(FullPathOn("/media/cd/", "a.mp3"), "/media/cd/a.mp3");
}

TEST(FullPathOn, NameConvertedFromEightBitBytesLeadsBackToItsFile) {
    TTempDir dir;
    WriteFileBytes(dir.Path("\xE9t\xE9.mp3"), "x");
    if (!std::filesystem::exists(dir.Path("\xE9t\xE9.mp3")))
        GTEST_SKIP() << "the file system refuses names that are not UTF-8";
    // The record keeps the name as the scan converted it: Windows-1252 read as UTF-8.
    EXPECT_EQ(FullPathOn(dir.Root(), "/\xC3\xA9t\xC3\xA9.mp3"), dir.Path("\xE9t\xE9.mp3"));
}

TEST(TempCopyPath, FolderWithoutSeparatorStillReceivesTheCopyInside) {
    EXPECT_EQ(TempCopyPath("/tmp/copies", "\\Music\\a.mp3"), "/tmp/copies/a.mp3");
    EXPECT_EQ(TempCopyPath("/tmp/copies/", "/Music/a.mp3"), "/tmp/copies/a.mp3");
    EXPECT_EQ(FileNameOf("\\x/y\\b.mp3"), "b.mp3");
}

TEST(CopyToNewFile, MakesAPrivateCopy) {
    TTempDir dir;
    WriteFileBytes(dir.Path("a.mp3"), std::string(200000, 'n'));
    int error = -1;
    EXPECT_TRUE(CopyToNewFile(dir.Path("a.mp3"), dir.Path("copy.mp3"), error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadFileBytes(dir.Path("copy.mp3")), std::string(200000, 'n'));
    struct stat info {};
    ASSERT_EQ(::stat(dir.Path("copy.mp3").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(CopyToNewFile, NeverOpensWhatIsThereAlready) {
    // A file, a link to a file, and a pipe (whose open for writing would wait for good; a
    // reader is kept open so that a wrong open fails the test instead of hanging it).
    TTempDir dir;
    WriteFileBytes(dir.Path("a.mp3"), "music");
    WriteFileBytes(dir.Path("mine.mp3"), "mine");
    ASSERT_EQ(::symlink(dir.Path("mine.mp3").c_str(), dir.Path("link.mp3").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.Path("pipe.mp3").c_str(), 0600), 0);
    const int reader = ::open(dir.Path("pipe.mp3").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    for (const char* target : {"mine.mp3", "link.mp3", "pipe.mp3", "a.mp3"}) {
        int error = 0;
        EXPECT_FALSE(CopyToNewFile(dir.Path("a.mp3"), dir.Path(target), error)) << target;
        EXPECT_EQ(error, EEXIST) << target;
    }
    ::close(reader);
    EXPECT_EQ(ReadFileBytes(dir.Path("mine.mp3")), "mine");
    EXPECT_EQ(ReadFileBytes(dir.Path("a.mp3")), "music");
}

TEST(CopyToNewFile, MissingSourceFailsWithItsErrorAndLeavesNoTarget) {
    TTempDir dir;
    int error = 0;
    EXPECT_FALSE(CopyToNewFile(dir.Path("gone.mp3"), dir.Path("copy.mp3"), error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("copy.mp3")));
}

TEST(CopyToNewFile, WriteFailureRemovesThePartialCopy) {
    TTempDir dir;
    WriteFileBytes(dir.Path("a.mp3"), std::string(100000, 'x'));
    int error = 0;
    {
        const test::TFileSizeLimit full(4096);
        EXPECT_FALSE(CopyToNewFile(dir.Path("a.mp3"), dir.Path("copy.mp3"), error));
    }
    EXPECT_EQ(error, EFBIG);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("copy.mp3")));
}

TEST(CopyToNewFile, SourceWithoutFileContentIsRefused) {
    // A record may name a device or a pipe: /dev/zero would copy until the disk is full, a
    // pipe or /dev/null would give an empty "copy" reported as made.
    TTempDir dir;
    ASSERT_EQ(::mkfifo(dir.Path("pipe.mp3").c_str(), 0600), 0);
    for (const std::string& source : {dir.Path("pipe.mp3"), std::string("/dev/null")}) {
        int error = 0;
        EXPECT_FALSE(CopyToNewFile(source, dir.Path("copy.mp3"), error)) << source;
        EXPECT_NE(error, 0);
        EXPECT_FALSE(std::filesystem::exists(dir.Path("copy.mp3"))) << source;
    }
}

TEST(DeleteTempFile, DeletesAReadOnlyFileAndCountsAGoneOneAsDeleted) {
    TTempDir dir;
    WriteFileBytes(dir.Path("a.mp3"), "x");
    ::chmod(dir.Path("a.mp3").c_str(), 0444);
    EXPECT_TRUE(DeleteTempFile(dir.Path("a.mp3")));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("a.mp3")));
    EXPECT_TRUE(DeleteTempFile(dir.Path("a.mp3")));
}

TEST(DeleteTempFile, FileInALockedFolderIsNotDeleted) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser deletes anything";
    TTempDir dir;
    std::filesystem::create_directory(dir.Path("locked"));
    WriteFileBytes(dir.Path("locked/a.mp3"), "x");
    ::chmod(dir.Path("locked").c_str(), 0555);
    EXPECT_FALSE(DeleteTempFile(dir.Path("locked/a.mp3")));
    ::chmod(dir.Path("locked").c_str(), 0755);
}

}  // namespace
}  // namespace tracklore::playback
