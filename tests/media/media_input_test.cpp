// The block-reading media stream: contents across block borders, seeking, strictness, and
// how much it fetches from the file.
#include "media/media_input.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/error_text.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::PatternBytes;
using test::TTempDir;
using test::WriteFileBytes;

constexpr int32_t kBlock = TMediaInput::kBlockSize;

class MediaInputFile : public testing::Test {
protected:
    // Writes `size` pattern bytes to a file and returns its name.
    std::string MakeFile(size_t size) {
        bytes_ = PatternBytes(size);
        const std::string name = dir_.Path("audio.mp3");
        WriteFileBytes(name, std::string(bytes_.begin(), bytes_.end()));
        return name;
    }
    std::vector<uint8_t> Slice(int64_t from, int64_t count) const {
        return {bytes_.begin() + from, bytes_.begin() + from + count};
    }

    TTempDir dir_;
    std::vector<uint8_t> bytes_;
};

std::vector<uint8_t> ReadBytes(TMediaInput& input, int32_t count) {
    std::vector<uint8_t> out(static_cast<size_t>(count));
    out.resize(static_cast<size_t>(input.Read(out.data(), count)));
    return out;
}

TEST_F(MediaInputFile, ReadsAcrossBlockBorders) {
    TMediaInput input(MakeFile(2 * kBlock + 1000));
    EXPECT_EQ(input.Size(), 2 * kBlock + 1000);
    input.Seek(kBlock - 3);
    EXPECT_EQ(ReadBytes(input, 10), Slice(kBlock - 3, 10));
    EXPECT_EQ(input.Position(), kBlock + 7);
    input.Seek(2 * kBlock - 1);
    EXPECT_EQ(ReadBytes(input, 2), Slice(2 * kBlock - 1, 2));
    input.Seek(5);  // back into the first block
    EXPECT_EQ(ReadBytes(input, 3), Slice(5, 3));
}

TEST_F(MediaInputFile, LargeReadDeliversTheWholeFile) {
    const size_t size = 3 * kBlock + 17;
    TMediaInput input(MakeFile(size));
    input.Seek(1);
    EXPECT_EQ(ReadBytes(input, 3 * kBlock + 16), Slice(1, 3 * kBlock + 16));
    EXPECT_EQ(input.Remaining(), 0);
    EXPECT_TRUE(input.Eof());
}

TEST_F(MediaInputFile, ByteReadsWithinABlockFetchItOnce) {
    TMediaInput input(MakeFile(kBlock + 100));
    EXPECT_EQ(input.BytesFetched(), 0);
    uint8_t byte = 0;
    for (int i = 0; i < 1000; ++i)
        input.Read(&byte, 1);
    input.Seek(kBlock - 1);
    input.Read(&byte, 1);
    EXPECT_EQ(byte, bytes_[kBlock - 1]);
    EXPECT_EQ(input.BytesFetched(), kBlock);
    input.Read(&byte, 1);  // the short last block
    EXPECT_EQ(input.BytesFetched(), kBlock + 100);
}

TEST_F(MediaInputFile, SkippedBlocksAreNeverFetched) {
    TMediaInput input(MakeFile(4 * kBlock));
    input.Seek(3 * kBlock + 5);
    EXPECT_EQ(ReadBytes(input, 4), Slice(3 * kBlock + 5, 4));
    EXPECT_EQ(input.BytesFetched(), kBlock);
}

TEST_F(MediaInputFile, SmallBlocksFetchOnlyAroundEachPlaceLookedAt) {
    constexpr int32_t kSmall = TMediaInput::kSmallBlockSize;
    TMediaInput input(MakeFile(4 * kBlock), kSmall);
    EXPECT_EQ(ReadBytes(input, 10), Slice(0, 10));
    input.Seek(2 * kBlock + kSmall + 7);
    EXPECT_EQ(ReadBytes(input, 4), Slice(2 * kBlock + kSmall + 7, 4));
    input.Seek(4 * kBlock - 128);
    EXPECT_EQ(ReadBytes(input, 128), Slice(4 * kBlock - 128, 128));
    EXPECT_EQ(input.BytesFetched(), 3 * kSmall);
}

TEST_F(MediaInputFile, ReadingStraightOnGrowsSmallBlocksWithoutFetchingTwice) {
    constexpr int32_t kSmall = TMediaInput::kSmallBlockSize;
    TMediaInput input(MakeFile(2 * kBlock + 33), kSmall);
    // Header-sized steps over the whole file, as a frame walk makes them.
    std::vector<uint8_t> seen;
    uint8_t word[4];
    for (int64_t at = 0; at + 4 <= 2 * kBlock + 33; at += 4) {
        input.Read(word, 4);
        seen.insert(seen.end(), word, word + 4);
    }
    EXPECT_EQ(seen, Slice(0, static_cast<int64_t>(seen.size())));
    EXPECT_EQ(input.BytesFetched(), 2 * kBlock + 33);
}

TEST_F(MediaInputFile, PrefetchFetchesWholeSmallBlocksOnceAndKeepsThePosition) {
    constexpr int32_t kSmall = TMediaInput::kSmallBlockSize;
    TMediaInput input(MakeFile(kBlock + 100), kSmall);
    EXPECT_EQ(ReadBytes(input, 10), Slice(0, 10));
    // From inside the first small block to inside the fourth: blocks 0 to 3 at once.
    input.Prefetch(kSmall - 1, 2 * kSmall + 10);
    EXPECT_EQ(input.BytesFetched(), 5 * kSmall);
    EXPECT_EQ(input.Position(), 10);
    input.Seek(kSmall - 2);
    EXPECT_EQ(ReadBytes(input, 2 * kSmall + 8), Slice(kSmall - 2, 2 * kSmall + 8));
    input.Prefetch(kSmall, 100);  // held already
    EXPECT_EQ(input.BytesFetched(), 5 * kSmall);
    // Up to the end of the file, and nothing beyond it or for a memory stream.
    input.Prefetch(kBlock + 50, kSmall);
    EXPECT_EQ(input.BytesFetched(), 5 * kSmall + 100);
    input.Seek(kBlock + 90);
    EXPECT_EQ(ReadBytes(input, 10), Slice(kBlock + 90, 10));
    input.Prefetch(kBlock + 100, kSmall);
    EXPECT_EQ(input.BytesFetched(), 5 * kSmall + 100);
    TMediaInput memory(std::vector<uint8_t>(100, 1));
    memory.Prefetch(0, 50);
    EXPECT_EQ(memory.BytesFetched(), 0);
}

TEST_F(MediaInputFile, FirstBlockSizeThatIsNoPowerOfTwoReadsLargeBlocks) {
    TMediaInput input(MakeFile(2 * kBlock), 3000);
    EXPECT_EQ(ReadBytes(input, 4), Slice(0, 4));
    EXPECT_EQ(input.BytesFetched(), kBlock);
}

TEST_F(MediaInputFile, StrictShortReadRaisesAndLooseReturnsTheCount) {
    TMediaInput input(MakeFile(100));
    input.Seek(96);
    uint8_t buffer[10];
    EXPECT_EQ(test::ErrorOf<EInOutError>([&] { input.Read(buffer, 10); }),
              msg::ReadLessThanExpected);
    input.SetStrict(false);
    input.Seek(96);
    EXPECT_EQ(input.Read(buffer, 10), 4);
    EXPECT_EQ(std::memcmp(buffer, bytes_.data() + 96, 4), 0);
    EXPECT_EQ(input.Read(buffer, 10), 0);
}

TEST_F(MediaInputFile, SeekBeyondTheEndReadsNothing) {
    TMediaInput input(MakeFile(100));
    input.SetStrict(false);
    input.Seek(5000);
    EXPECT_EQ(input.Position(), 5000);
    EXPECT_EQ(input.Remaining(), 0);
    uint8_t byte = 0;
    EXPECT_EQ(input.Read(&byte, 1), 0);
    EXPECT_THROW(input.Seek(-1), EInOutError);
}

TEST_F(MediaInputFile, ShrunkFileEndsReadsWithoutStaleBytes) {
    const std::string name = MakeFile(2 * kBlock);
    TMediaInput input(name);
    input.SetStrict(false);
    std::filesystem::resize_file(name, kBlock + 10);
    input.Seek(kBlock);
    EXPECT_EQ(ReadBytes(input, 100), Slice(kBlock, 10));
    EXPECT_EQ(ReadBytes(input, 100), std::vector<uint8_t>{});
}

TEST_F(MediaInputFile, EmptyFileHasNothingToRead) {
    TMediaInput input(MakeFile(0));
    input.SetStrict(false);
    uint8_t byte = 0;
    EXPECT_EQ(input.Size(), 0);
    EXPECT_EQ(input.Read(&byte, 1), 0);
}

TEST_F(MediaInputFile, WritingIsRefused) {
    TMediaInput input(MakeFile(10));
    const uint8_t byte = 0;
    EXPECT_THROW(input.Write(&byte, 1), EInOutError);
    EXPECT_THROW(input.Truncate(), EInOutError);
    EXPECT_TRUE(input.CanRead());
    EXPECT_FALSE(input.CanWrite());
}

TEST_F(MediaInputFile, MissingFileRaisesTheOpeningError) {
    const std::string name = dir_.Path("missing.mp3");
    const std::string error = test::ErrorOf<EInOutError>([&] { TMediaInput input(name); });
    EXPECT_EQ(error.rfind("Error opening \"" + name + "\" - ", 0), 0u) << error;
}

TEST(MediaInputMemory, ReadsSeeksAndCountsHandedOutBytes) {
    TMediaInput input(std::vector<uint8_t>{1, 2, 3, 4, 5});
    EXPECT_EQ(input.Size(), 5);
    input.Seek(3);
    EXPECT_EQ(ReadBytes(input, 2), (std::vector<uint8_t>{4, 5}));
    EXPECT_EQ(input.BytesFetched(), 2);
    input.Seek(0);
    input.SetStrict(false);
    EXPECT_EQ(ReadBytes(input, 9), (std::vector<uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_THROW(
        {
            input.SetStrict(true);
            uint8_t byte;
            input.Read(&byte, 1);
        },
        EInOutError);
}

}  // namespace
}  // namespace tracklore
