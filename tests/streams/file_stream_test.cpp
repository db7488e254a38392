// Tests of the file stream: opening, access flags, reading and writing.
#include "streams/file_stream.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/error_text.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::ReadFileBytes;
using test::TTempDir;
using test::WriteFileBytes;

// Runs `action`, expecting EInOutError with exactly `message`.
template <typename Action>
void ExpectInOutError(Action action, const std::string& message) {
    EXPECT_EQ(test::ErrorOf<EInOutError>(action), message);
}

TEST(FileStream, OpeningAMissingFileNamesItWithTheSystemText) {
    TTempDir dir;
    const std::string name = dir.Path("missing.tracklore");
    ExpectInOutError([&] { TFileStream stream(name, OpenRead); },
                     "Error opening \"" + name + "\" - No such file or directory");
}

TEST(FileStream, FlagsWithoutAccessAreRefusedBeforeTouchingTheFileSystem) {
    TTempDir dir;
    for (uint32_t flags : {0u, OpenCreate, OpenCreate | OpenShareRead | OpenShareWrite}) {
        ExpectInOutError([&] { TFileStream stream(dir.Path("new"), flags); },
                         msg::AccessNotSpecified);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("new")));
}

TEST(FileStream, CanReadAndCanWriteFollowTheFlags) {
    TTempDir dir;
    TFileStream writer(dir.Path("f"), OpenWrite | OpenCreate | OpenShareRead | OpenShareWrite);
    EXPECT_FALSE(writer.CanRead());
    EXPECT_TRUE(writer.CanWrite());
    TFileStream reader(dir.Path("f"), OpenRead | OpenShareRead | OpenShareWrite);
    EXPECT_TRUE(reader.CanRead());
    EXPECT_FALSE(reader.CanWrite());
    TFileStream both(dir.Path("f"), OpenRead | OpenWrite | OpenShareRead | OpenShareWrite);
    EXPECT_TRUE(both.CanRead() && both.CanWrite() && both.Strict());
    EXPECT_EQ(both.FileName(), dir.Path("f"));
}

TEST(FileStream, WrittenBytesReachTheFileAndReadBack) {
    TTempDir dir;
    {
        TFileStream stream(dir.Path("f"), OpenWrite | OpenCreate);
        EXPECT_EQ(stream.Write("hello world", 11), 11);
        stream.Flush();
    }
    EXPECT_EQ(ReadFileBytes(dir.Path("f")), "hello world");
    TFileStream stream(dir.Path("f"), OpenRead);
    char bytes[11];
    EXPECT_EQ(stream.Read(bytes, 11), 11);
    EXPECT_EQ(std::string(bytes, 11), "hello world");
    EXPECT_TRUE(stream.Eof());
}

TEST(FileStream, CreateEmptiesAnExistingFile) {
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "old content");
    TFileStream stream(dir.Path("f"), OpenWrite | OpenCreate);
    EXPECT_EQ(stream.Size(), 0);
}

TEST(FileStream, StrictReadPastTheEndRaises) {
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "abcd");
    TFileStream stream(dir.Path("f"), OpenRead);
    char bytes[10];
    ExpectInOutError([&] { stream.Read(bytes, 10); }, msg::ReadLessThanExpected);
}

TEST(FileStream, NonStrictReadPastTheEndReturnsTheShortCount) {
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "abcd");
    TFileStream stream(dir.Path("f"), OpenRead);
    stream.SetStrict(false);
    char bytes[10];
    EXPECT_EQ(stream.Read(bytes, 10), 4);
    EXPECT_EQ(std::string(bytes, 4), "abcd");
    EXPECT_EQ(stream.Read(bytes, 10), 0);
}

TEST(FileStream, TransfersOfZeroOrLessMoveNothing) {
    TTempDir dir;
    TFileStream stream(dir.Path("f"), OpenRead | OpenWrite | OpenCreate);
    char bytes[4] = {};
    EXPECT_EQ(stream.Read(bytes, 0), 0);
    EXPECT_EQ(stream.Read(bytes, -4), 0);
    EXPECT_EQ(stream.Write(bytes, -4), 0);
    EXPECT_EQ(stream.Size(), 0);
}

TEST(FileStream, WritingToAFullDiskRaisesWithTheSystemText) {
    TFileStream stream("/dev/full", OpenWrite | OpenShareRead | OpenShareWrite);
    ExpectInOutError([&] { stream.Write("abc", 3); },
                     "Error writing to stream - No space left on device");
}

TEST(FileStream, ReadingAWriteOnlyFileRaisesTheReadError) {
    TTempDir dir;
    TFileStream stream(dir.Path("f"), OpenWrite | OpenCreate);
    char byte;
    ExpectInOutError([&] { stream.Read(&byte, 1); },
                     "Error reading from stream - Bad file descriptor");
}

TEST(FileStream, RemainingIsSizeMinusPosition) {
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "0123456789");
    TFileStream stream(dir.Path("f"), OpenRead);
    EXPECT_EQ(stream.Remaining(), 10);
    stream.Seek(7);
    EXPECT_EQ(stream.Position(), 7);
    EXPECT_EQ(stream.Remaining(), 3);
    EXPECT_FALSE(stream.Eof());
    stream.Seek(25);
    EXPECT_EQ(stream.Remaining(), 0);
    EXPECT_TRUE(stream.Eof());
}

TEST(FileStream, SeekToANegativeOffsetRaises) {
    TTempDir dir;
    TFileStream stream(dir.Path("f"), OpenRead | OpenWrite | OpenCreate);
    ExpectInOutError([&] { stream.Seek(-1); }, "Error moving file pointer - Invalid argument");
}

TEST(FileStream, TruncateEndsTheFileAtThePosition) {
    TTempDir dir;
    TFileStream stream(dir.Path("f"), OpenRead | OpenWrite | OpenCreate);
    stream.Write("0123456789", 10);
    stream.Seek(6);
    stream.Truncate();
    EXPECT_EQ(stream.Size(), 6);
    EXPECT_EQ(stream.Position(), 6);
    EXPECT_EQ(ReadFileBytes(dir.Path("f")), "012345");
}

TEST(FileStream, TruncateOfAReadOnlyStreamRaisesWithTheFileName) {
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "0123");
    TFileStream stream(dir.Path("f"), OpenRead);
    const std::string prefix = "Error truncating file \"" + dir.Path("f") + "\" - ";
    EXPECT_EQ(test::ErrorOf<EInOutError>([&] { stream.Truncate(); }).substr(0, prefix.size()),
              prefix);
    EXPECT_EQ(ReadFileBytes(dir.Path("f")), "0123");
}

TEST(FileStream, FlushOfADeviceThatCannotSyncIsQuiet) {
    TFileStream stream("/dev/full", OpenRead | OpenShareRead | OpenShareWrite);
    EXPECT_NO_THROW(stream.Flush());
}

TEST(FileStream, AWriterThatDoesNotShareLocksOutASecondWriter) {
    TTempDir dir;
    const std::string name = dir.Path("f");
    TFileStream first(name, OpenWrite | OpenCreate | OpenShareRead);
    first.Write("kept", 4);
    ExpectInOutError([&] { TFileStream second(name, OpenWrite | OpenCreate); },
                     "Error opening \"" + name + "\" - Device or resource busy");
    EXPECT_EQ(ReadFileBytes(name), "kept");
    // Reading is shared, as long as the reader shares writing with the writer.
    EXPECT_NO_THROW(TFileStream(name, OpenRead | OpenShareRead | OpenShareWrite));
}

TEST(FileStream, ClosingReleasesTheFileForTheNextStream) {
    TTempDir dir;
    { TFileStream first(dir.Path("f"), OpenWrite | OpenCreate); }
    EXPECT_NO_THROW(TFileStream(dir.Path("f"), OpenWrite | OpenCreate));
}

TEST(FileStream, CloseAndDeleteRemovesTheFile) {
    TTempDir dir;
    auto stream = std::make_unique<TFileStream>(dir.Path("f"), OpenWrite | OpenCreate);
    stream->Write("abc", 3);
    TFileStream::CloseAndDelete(std::move(stream));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("f")));
    // The lock went with the handle: the name is free again.
    EXPECT_NO_THROW(TFileStream(dir.Path("f"), OpenWrite | OpenCreate));
}

TEST(FileStream, CloseAndDeleteOfAVanishedFileRaisesTheDeleteError) {
    TTempDir dir;
    const std::string name = dir.Path("f");
    auto stream = std::make_unique<TFileStream>(name, OpenWrite | OpenCreate);
    std::filesystem::remove(name);
    ExpectInOutError([&] { TFileStream::CloseAndDelete(std::move(stream)); },
                     "Error deleting \"" + name + "\" - No such file or directory");
    EXPECT_EQ(stream, nullptr);
}

}  // namespace
}  // namespace tracklore
