#include "playback/temp_files.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

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

TEST(CopyFileOver, ReplacesAnEarlierCopy) {
    TTempDir dir;
    WriteFileBytes(dir.Path("a.mp3"), std::string(200000, 'n'));
    WriteFileBytes(dir.Path("copy.mp3"), std::string(300000, 'o'));
    int error = -1;
    EXPECT_EQ(CopyFileOver(dir.Path("a.mp3"), dir.Path("copy.mp3"), error), TCopyResult::Copied);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadFileBytes(dir.Path("copy.mp3")), std::string(200000, 'n'));
}

TEST(CopyFileOver, CopyOntoItselfLeavesTheFileWhole) {
    TTempDir dir;
    WriteFileBytes(dir.Path("a.mp3"), "music");
    int error = 0;
    EXPECT_EQ(CopyFileOver(dir.Path("a.mp3"), dir.Root() + "/./a.mp3", error),
              TCopyResult::SameFile);
    EXPECT_EQ(ReadFileBytes(dir.Path("a.mp3")), "music");
}

TEST(CopyFileOver, MissingSourceFailsWithItsErrorAndLeavesNoTarget) {
    TTempDir dir;
    int error = 0;
    EXPECT_EQ(CopyFileOver(dir.Path("gone.mp3"), dir.Path("copy.mp3"), error), TCopyResult::Failed);
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("copy.mp3")));
}

TEST(CopyFileOver, WriteFailureRemovesThePartialTarget) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    TTempDir dir;
    WriteFileBytes(dir.Path("a.mp3"), "music");
    int error = 0;
    // /dev/full accepts the open and refuses every byte.
    EXPECT_EQ(CopyFileOver(dir.Path("a.mp3"), "/dev/full", error), TCopyResult::Failed);
    EXPECT_EQ(error, ENOSPC);
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}

TEST(CopyFileOver, SourceWithoutFileContentIsRefused) {
    // A record may name a device or a pipe: /dev/zero would copy until the disk is full, a
    // pipe or /dev/null would give an empty "copy" reported as made.
    TTempDir dir;
    ASSERT_EQ(::mkfifo(dir.Path("pipe.mp3").c_str(), 0600), 0);
    for (const std::string& source : {dir.Path("pipe.mp3"), std::string("/dev/null")}) {
        int error = 0;
        EXPECT_EQ(CopyFileOver(source, dir.Path("copy.mp3"), error), TCopyResult::Failed) << source;
        EXPECT_NE(error, 0);
        EXPECT_FALSE(std::filesystem::exists(dir.Path("copy.mp3"))) << source;
    }
}

TEST(CopyFileOver, PipeInPlaceOfTheCopyIsRefused) {
    // Opening a pipe for writing waits for a reader for good; a reader is kept open here so
    // that a copy made into the pipe fails the test instead of hanging it.
    TTempDir dir;
    WriteFileBytes(dir.Path("a.mp3"), "music");
    ASSERT_EQ(::mkfifo(dir.Path("copy.mp3").c_str(), 0600), 0);
    const int reader = ::open(dir.Path("copy.mp3").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    int error = 0;
    EXPECT_EQ(CopyFileOver(dir.Path("a.mp3"), dir.Path("copy.mp3"), error), TCopyResult::Failed);
    EXPECT_NE(error, 0);
    ::close(reader);
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
