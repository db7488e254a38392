// Tests of file status, links and folder listings.
#include "platform/file_info.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/time.h>
#include <tuple>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace tracklore::platform {
namespace {

using test::TTempDir;
using test::WriteFileBytes;

const FolderEntry* Find(const std::vector<FolderEntry>& entries, const std::string& name) {
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&](const FolderEntry& e) { return e.Name == name; });
    return it == entries.end() ? nullptr : &*it;
}

// --- status -------------------------------------------------------------------------------

TEST(GetFileStatus, FileHasSizeAndLastWriteTime) {
    TTempDir dir;
    WriteFileBytes(dir.Path("a.mp3"), "12345");
    const timeval times[2] = {{1000000000, 0}, {1234567891, 500000}};
    ASSERT_EQ(::utimes(dir.Path("a.mp3").c_str(), times), 0);
    const auto status = GetFileStatus(dir.Path("a.mp3"));
    ASSERT_TRUE(status);
    EXPECT_FALSE(status->IsFolder);
    EXPECT_FALSE(status->IsLink);
    EXPECT_EQ(status->Size, 5);
    EXPECT_EQ(status->LastWrite, 1234567891);
}

TEST(GetFileStatus, FolderIsAFolder) {
    TTempDir dir;
    const auto status = GetFileStatus(dir.Root());
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->IsFolder);
    EXPECT_FALSE(status->IsLink);
}

// `look` fails, leaving the system's error, for a missing path (ENOENT) and for the path
// `belowFile` made below a file (ENOTDIR).
template <typename Look>
void ExpectMissingAndNotFolderErrors(Look look, const std::string& belowFile) {
    TTempDir dir;
    EXPECT_FALSE(look(dir.Path("missing")));
    EXPECT_EQ(LastFileError(), ENOENT);
    WriteFileBytes(dir.Path("file"), "x");
    EXPECT_FALSE(look(dir.Path(belowFile)));
    EXPECT_EQ(LastFileError(), ENOTDIR);
}

TEST(GetFileStatus, MissingPathGivesNothingAndTheError) {
    ExpectMissingAndNotFolderErrors([](const std::string& path) { return GetFileStatus(path); },
                                    "file/below");
}

TEST(GetFileStatus, LinksAreFollowedAndMarked) {
    TTempDir dir;
    WriteFileBytes(dir.Path("target"), "abc");
    std::filesystem::create_directory(dir.Path("folder"));
    std::filesystem::create_symlink(dir.Path("target"), dir.Path("file-link"));
    std::filesystem::create_directory_symlink(dir.Path("folder"), dir.Path("folder-link"));

    const auto file = GetFileStatus(dir.Path("file-link"));
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->IsLink);
    EXPECT_FALSE(file->IsFolder);
    EXPECT_EQ(file->Size, 3);

    const auto folder = GetFileStatus(dir.Path("folder-link"));
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->IsLink);
    EXPECT_TRUE(folder->IsFolder);
}

TEST(GetFileStatus, DanglingLinkDoesNotExist) {
    TTempDir dir;
    std::filesystem::create_symlink(dir.Path("gone"), dir.Path("link"));
    EXPECT_FALSE(GetFileStatus(dir.Path("link")));
    EXPECT_EQ(LastFileError(), ENOENT);
}

TEST(GetFileStatus, DeviceAndInodeIdentifyTheFile) {
    TTempDir dir;
    WriteFileBytes(dir.Path("a"), "1");
    WriteFileBytes(dir.Path("b"), "1");
    std::filesystem::create_hard_link(dir.Path("a"), dir.Path("a2"));
    const auto a = GetFileStatus(dir.Path("a"));
    const auto a2 = GetFileStatus(dir.Path("a2"));
    const auto b = GetFileStatus(dir.Path("b"));
    ASSERT_TRUE(a && a2 && b);
    EXPECT_EQ(a->Device, a2->Device);
    EXPECT_EQ(a->Inode, a2->Inode);
    EXPECT_NE(a->Inode, b->Inode);
}

// --- listing ------------------------------------------------------------------------------

TEST(ListFolder, ListsEntriesWithoutDotAndDotDot) {
    TTempDir dir;
    WriteFileBytes(dir.Path("a.mp3"), "");
    WriteFileBytes(dir.Path(".hidden"), "");
    std::filesystem::create_directory(dir.Path("sub"));
    const auto entries = ListFolder(dir.Root());
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_FALSE(Find(*entries, "."));
    EXPECT_FALSE(Find(*entries, ".."));
    ASSERT_TRUE(Find(*entries, "sub"));
    EXPECT_TRUE(Find(*entries, "sub")->IsFolder);
    ASSERT_TRUE(Find(*entries, "a.mp3"));
    EXPECT_FALSE(Find(*entries, "a.mp3")->IsFolder);
    ASSERT_TRUE(Find(*entries, ".hidden"));
}

TEST(ListFolder, LinkToAFolderCountsAsAFolder) {
    TTempDir dir;
    std::filesystem::create_directory(dir.Path("real"));
    WriteFileBytes(dir.Path("file"), "");
    std::filesystem::create_directory_symlink(dir.Path("real"), dir.Path("to-folder"));
    std::filesystem::create_symlink(dir.Path("file"), dir.Path("to-file"));
    std::filesystem::create_symlink(dir.Path("gone"), dir.Path("dangling"));
    const auto entries = ListFolder(dir.Root());
    ASSERT_TRUE(entries);
    EXPECT_TRUE(Find(*entries, "to-folder")->IsFolder);
    EXPECT_FALSE(Find(*entries, "to-file")->IsFolder);
    ASSERT_TRUE(Find(*entries, "dangling"));
    EXPECT_FALSE(Find(*entries, "dangling")->IsFolder);
}

TEST(ListFolder, PipesAndLinksToThemAreDevices) {
    TTempDir dir;
    ASSERT_EQ(mkfifo(dir.Path("pipe.mp3").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir.Path("pipe.mp3"), dir.Path("to-pipe.mp3"));
    WriteFileBytes(dir.Path("file.mp3"), "");
    std::filesystem::create_symlink(dir.Path("file.mp3"), dir.Path("to-file.mp3"));
    const auto entries = ListFolder(dir.Root());
    ASSERT_TRUE(entries);
    EXPECT_TRUE(Find(*entries, "pipe.mp3")->IsDevice);
    EXPECT_TRUE(Find(*entries, "to-pipe.mp3")->IsDevice);
    EXPECT_FALSE(Find(*entries, "file.mp3")->IsDevice);
    EXPECT_FALSE(Find(*entries, "to-file.mp3")->IsDevice);
}

TEST(ListFolder, EmptyFolderGivesNoEntries) {
    TTempDir dir;
    const auto entries = ListFolder(dir.Root());
    ASSERT_TRUE(entries);
    EXPECT_TRUE(entries->empty());
}

TEST(ListFolder, UnreadableFolderGivesNothingAndTheError) {
    ExpectMissingAndNotFolderErrors([](const std::string& path) { return ListFolder(path); },
                                    "file");
}

// A path, the folder it is taken in, and the absolute path it names.
using InFolder = std::tuple<std::string, std::string, std::string>;

void ExpectAbsolute(const std::vector<InFolder>& cases) {
    for (const auto& [path, folder, absolute] : cases)
        EXPECT_EQ(AbsolutePath(path, folder), absolute) << path << " in " << folder;
}

TEST(AbsolutePath, RelativePathJoinsCurrentFolder) {
    ExpectAbsolute({{"a.mp3", "/music", "/music/a.mp3"},
                    {"sub/a.mp3", "/", "/sub/a.mp3"},
                    {"/abs/a.mp3", "/music", "/abs/a.mp3"}});
}

TEST(AbsolutePath, RemovesDotsAndRepeatedSeparators) {
    ExpectAbsolute({{"./x/../a.mp3", "/music", "/music/a.mp3"},
                    {"//music///./a.mp3", "/", "/music/a.mp3"},
                    {"../../../a.mp3", "/music", "/a.mp3"},
                    {"..", "/", "/"}});
}

TEST(CurrentFolder, IsTheProcessWorkingFolder) {
    EXPECT_EQ(CurrentFolder(), std::filesystem::current_path().string());
}

}  // namespace
}  // namespace tracklore::platform
