// Tests of the buffered stream: sizes, strictness and transfers.
#include "streams/buffered_stream.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "core/messages.h"
#include "streams/file_stream.h"
#include "tests/support/error_text.h"
#include "tests/support/memory_stream.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::PatternBytes;
using test::TMemoryStream;
using test::TTempDir;

// A stream that reads and writes at once, takes at most `limit` written bytes and counts
// Flush calls: the kind of inner stream whose strictness a read buffer switches off.
class TDuplexStream : public TBaseStream {
public:
    TDuplexStream(std::vector<uint8_t> readable, size_t limit)
        : readable_(std::move(readable)), limit_(limit) {
        canRead_ = canWrite_ = true;
    }
    int32_t Write(const void* buffer, int32_t count) override {
        const size_t taken = std::min(limit_ - written_.size(), static_cast<size_t>(count));
        const auto* bytes = static_cast<const uint8_t*>(buffer);
        written_.insert(written_.end(), bytes, bytes + taken);
        if (strict_ && taken < static_cast<size_t>(count)) throw EInOutError("inner refused");
        return static_cast<int32_t>(taken);
    }
    int32_t Read(void* buffer, int32_t count) override {
        const size_t got = std::min(readable_.size() - position_, static_cast<size_t>(count));
        std::memcpy(buffer, readable_.data() + position_, got);
        position_ += got;
        if (strict_ && got < static_cast<size_t>(count)) throw EInOutError("inner short");
        return static_cast<int32_t>(got);
    }
    int64_t Remaining() override { return static_cast<int64_t>(readable_.size() - position_); }
    void Flush() override { ++flushCalls_; }

    const std::vector<uint8_t>& Written() const { return written_; }
    int FlushCalls() const { return flushCalls_; }

private:
    std::vector<uint8_t> readable_;
    size_t position_ = 0;
    size_t limit_;
    std::vector<uint8_t> written_;
    int flushCalls_ = 0;
};

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
    return std::vector<uint8_t>(bytes.begin() + from, bytes.begin() + from + count);
}

TEST(BufferedStream, MinusOneMeansTheDefaultSize) {
    TMemoryStream inner(PatternBytes(10));
    TBufferedStream byDefault(-1, -1, &inner);
    TBufferedStream explicitSize(DefaultBufferSize, DefaultBufferSize, &inner);
    EXPECT_EQ(byDefault.ReadBufferSize(), 65536);
    EXPECT_EQ(explicitSize.ReadBufferSize(), 65536);
    // The inner stream cannot write: no write buffer whatever was asked.
    EXPECT_EQ(byDefault.WriteBufferSize(), 0);
}

TEST(BufferedStream, SizesBelowTwoThatWouldBeUsedAreRefused) {
    TMemoryStream reader(PatternBytes(10));
    for (int32_t size : {1, -2, -65536}) {
        EXPECT_THROW(TBufferedStream(size, 0, &reader), EStreamCreate) << size;
    }
    EXPECT_EQ(test::ErrorOf<EStreamCreate>([&] { TBufferedStream stream(1, 0, &reader); }),
              msg::InvalidBufferSize);
    EXPECT_TRUE(reader.Strict()) << "a refused stream must not leave its inner stream changed";
    // The write size is never used over a read-only stream.
    EXPECT_NO_THROW(TBufferedStream(-1, 1, &reader));
}

TEST(BufferedStream, CopiesAccessAndStrictnessFromTheInnerStream) {
    std::unique_ptr<TMemoryStream> writer(TMemoryStream::Writer());
    writer->SetStrict(false);
    TBufferedStream stream(-1, -1, writer.get());
    EXPECT_FALSE(stream.CanRead());
    EXPECT_TRUE(stream.CanWrite());
    EXPECT_FALSE(stream.Strict());
}

TEST(BufferedStream, SizeZeroPassesEveryTransferStraightThrough) {
    TMemoryStream inner(PatternBytes(100));
    TBufferedStream stream(0, 0, &inner);
    uint8_t bytes[10];
    for (int i = 0; i < 5; ++i)
        stream.Read(bytes, 10);
    EXPECT_EQ(inner.ReadCalls(), 5);
    EXPECT_TRUE(inner.Strict()) << "no read buffer, no reason to switch strictness off";
}

TEST(BufferedStream, SmallReadsAreServedFromOneRefill) {
    const auto data = PatternBytes(1000);
    TMemoryStream inner(data);
    TBufferedStream stream(-1, 0, &inner);
    std::vector<uint8_t> got(1000);
    for (size_t at = 0; at < 1000; at += 100) {
        ASSERT_EQ(stream.Read(got.data() + at, 100), 100);
    }
    EXPECT_EQ(got, data);
    EXPECT_EQ(inner.ReadCalls(), 1);
}

TEST(BufferedStream, ReadAcrossTheBufferEndRefillsAndKeepsTheOrder) {
    const auto data = PatternBytes(100);
    TMemoryStream inner(data);
    TBufferedStream stream(16, 0, &inner);
    std::vector<uint8_t> got(100);
    ASSERT_EQ(stream.Read(got.data(), 10), 10);
    ASSERT_EQ(stream.Read(got.data() + 10, 12), 12);  // 6 buffered, 6 from a refill
    ASSERT_EQ(stream.Read(got.data() + 22, 40), 40);  // 10 buffered, 30 directly
    ASSERT_EQ(stream.Read(got.data() + 62, 38), 38);
    EXPECT_EQ(got, data);
}

TEST(BufferedStream, AReadOfAtLeastABufferBypassesIt) {
    const auto data = PatternBytes(200000);
    TMemoryStream inner(data);
    TBufferedStream stream(-1, 0, &inner);
    std::vector<uint8_t> got(70000);
    ASSERT_EQ(stream.Read(got.data(), 70000), 70000);
    EXPECT_EQ(inner.ReadCalls(), 1);
    EXPECT_EQ(got, Slice(data, 0, 70000));
    EXPECT_EQ(stream.Remaining(), 130000);
}

TEST(BufferedStream, StrictReadOfTenWithFourLeftRaises) {
    TTempDir dir;
    test::WriteFileBytes(dir.Path("f"), "abcd");
    TFileStream file(dir.Path("f"), OpenRead);
    TBufferedStream stream(-1, 0, &file);
    char bytes[10];
    EXPECT_EQ(test::ErrorOf<EInOutError>([&] { stream.Read(bytes, 10); }),
              msg::ReadLessThanExpected)
        << "short read of a strict stream succeeded";
    EXPECT_EQ(stream.Remaining(), 0) << "the short refill must leave the buffer empty";
}

TEST(BufferedStream, NonStrictReadOfTenWithFourLeftReturnsFour) {
    TTempDir dir;
    test::WriteFileBytes(dir.Path("f"), "abcd");
    TFileStream file(dir.Path("f"), OpenRead);
    TBufferedStream stream(-1, 0, &file);
    stream.SetStrict(false);
    char bytes[10];
    EXPECT_EQ(stream.Read(bytes, 10), 4);
    EXPECT_EQ(std::string(bytes, 4), "abcd");
    EXPECT_EQ(stream.Read(bytes, 10), 0);
    EXPECT_TRUE(stream.Eof());
}

TEST(BufferedStream, StrictDirectReadThatComesUpShortRaises) {
    TMemoryStream inner(PatternBytes(20));
    TBufferedStream stream(16, 0, &inner);
    std::vector<uint8_t> got(30);
    EXPECT_THROW(stream.Read(got.data(), 30), EInOutError);
}

TEST(BufferedStream, RemainingCountsTheUnreadBufferedBytes) {
    TMemoryStream inner(PatternBytes(100));
    TBufferedStream stream(64, 0, &inner);
    uint8_t bytes[10];
    stream.Read(bytes, 10);
    EXPECT_EQ(inner.Remaining(), 36);
    EXPECT_EQ(stream.Remaining(), 90);
}

TEST(BufferedStream, TransfersOfZeroOrLessReachNothing) {
    TDuplexStream inner(PatternBytes(10), 100);
    TBufferedStream stream(0, 0, &inner);
    uint8_t bytes[4];
    EXPECT_EQ(stream.Read(bytes, 0), 0);
    EXPECT_EQ(stream.Read(bytes, -1), 0);
    EXPECT_EQ(stream.Write(bytes, -1), 0);
    EXPECT_EQ(inner.Remaining(), 10);
    EXPECT_TRUE(inner.Written().empty());
}

TEST(BufferedStream, ReadBufferKeepsTheInnerStreamLenientUntilDestroyed) {
    TMemoryStream inner(PatternBytes(10));
    {
        TBufferedStream stream(-1, 0, &inner);
        EXPECT_FALSE(inner.Strict());
        EXPECT_TRUE(stream.Strict());
    }
    EXPECT_TRUE(inner.Strict());
}

TEST(BufferedStream, InnerStreamIsMadeStrictAgainEvenAfterTheBufferWasMadeLenient) {
    TMemoryStream inner(PatternBytes(10));
    {
        TBufferedStream stream(-1, 0, &inner);
        stream.SetStrict(false);
    }
    EXPECT_TRUE(inner.Strict());
}

TEST(BufferedStream, SetStrictDoesNotMakeAReadAheadInnerStreamStrict) {
    TMemoryStream inner(PatternBytes(10));
    TBufferedStream stream(-1, 0, &inner);
    stream.SetStrict(false);
    stream.SetStrict(true);
    EXPECT_FALSE(inner.Strict());
    uint8_t bytes[4];
    EXPECT_EQ(stream.Read(bytes, 4), 4) << "read-ahead of a whole buffer must be allowed";
}

TEST(BufferedStream, WriteOnlyStreamPassesStrictnessToTheInnerStream) {
    std::unique_ptr<TMemoryStream> writer(TMemoryStream::Writer());
    TBufferedStream stream(-1, -1, writer.get());
    EXPECT_TRUE(writer->Strict());
    stream.SetStrict(false);
    EXPECT_FALSE(writer->Strict());
}

TEST(BufferedStream, SeventyThousandBytesWriteTheFullBufferThenKeepTheRest) {
    const auto data = PatternBytes(70000);
    std::unique_ptr<TMemoryStream> writer(TMemoryStream::Writer());
    {
        TBufferedStream stream(-1, -1, writer.get());
        EXPECT_EQ(stream.Write(data.data(), 70000), 70000);
        EXPECT_EQ(writer->WriteCalls(), 1);
        EXPECT_EQ(writer->Bytes().size(), 65536u);
    }
    // The remaining 4,464 bytes go out in one more write when the stream is destroyed.
    EXPECT_EQ(writer->WriteCalls(), 2);
    EXPECT_EQ(writer->Bytes(), data);
}

TEST(BufferedStream, AWriteOfMoreThanTwoBuffersSendsTheRestDirectly) {
    const auto data = PatternBytes(150000);
    std::unique_ptr<TMemoryStream> writer(TMemoryStream::Writer());
    TBufferedStream stream(-1, -1, writer.get());
    stream.Write(data.data(), 10);
    EXPECT_EQ(stream.Write(data.data() + 10, 149990), 149990);
    EXPECT_EQ(writer->WriteCalls(), 2);  // the filled buffer, then 84,464 bytes directly
    EXPECT_EQ(writer->Bytes(), data);
    stream.Flush();
    EXPECT_EQ(writer->WriteCalls(), 2) << "nothing was left in the buffer";
}

TEST(BufferedStream, SmallWritesReachTheInnerStreamOnlyOnFlush) {
    const auto data = PatternBytes(1000);
    TDuplexStream inner({}, 10000);
    TBufferedStream stream(0, -1, &inner);
    for (size_t at = 0; at < 1000; at += 10)
        stream.Write(data.data() + at, 10);
    EXPECT_TRUE(inner.Written().empty());
    stream.Flush();
    EXPECT_EQ(inner.Written(), data);
    EXPECT_EQ(inner.FlushCalls(), 0) << "Flush must not flush the inner stream";
}

TEST(BufferedStream, NonStrictRefusedBufferWriteReturnsTheMissingCount) {
    const auto data = PatternBytes(20);
    std::unique_ptr<TMemoryStream> writer(TMemoryStream::Writer(10));
    writer->SetStrict(false);
    {
        TBufferedStream stream(0, 16, writer.get());
        // 16 bytes fill the buffer, the inner stream takes 10; 6 refused + 4 not taken.
        EXPECT_EQ(stream.Write(data.data(), 20), -10);
    }
    EXPECT_EQ(writer->Bytes(), Slice(data, 0, 10)) << "no byte may arrive twice";
    EXPECT_EQ(writer->WriteCalls(), 1);
}

TEST(BufferedStream, StrictRefusedBufferWriteRaisesAndIsNotRepeated) {
    const auto data = PatternBytes(20);
    std::unique_ptr<TMemoryStream> writer(TMemoryStream::Writer(10));
    {
        TBufferedStream stream(0, 16, writer.get());
        EXPECT_THROW(stream.Write(data.data(), 20), EInOutError);
    }
    EXPECT_EQ(writer->WriteCalls(), 1);
    EXPECT_EQ(writer->Bytes(), Slice(data, 0, 10));
}

TEST(BufferedStream, StrictStreamRaisesWhenALenientInnerStreamTakesLess) {
    const auto data = PatternBytes(20);
    TDuplexStream inner(PatternBytes(4), 10);
    TBufferedStream stream(16, 16, &inner);
    ASSERT_FALSE(inner.Strict());
    EXPECT_EQ(test::ErrorOf<EInOutError>([&] { stream.Write(data.data(), 20); }),
              "Error writing to stream - ")
        << "a strict stream lost data silently";
}

TEST(BufferedStream, FlushRaisesWhenTheInnerStreamTakesLessEvenIfNotStrict) {
    std::unique_ptr<TMemoryStream> writer(TMemoryStream::Writer(3));
    writer->SetStrict(false);
    TBufferedStream stream(0, -1, writer.get());
    stream.Write("abcdef", 6);
    EXPECT_THROW(stream.Flush(), EInOutError);
    EXPECT_NO_THROW(stream.Flush()) << "the refused bytes are dropped, not retried";
}

TEST(BufferedStream, DestructorSwallowsAFailingFinalWrite) {
    TFileStream full("/dev/full", OpenWrite | OpenShareRead | OpenShareWrite);
    auto stream = std::make_unique<TBufferedStream>(0, -1, &full);
    stream->Write("abc", 3);
    EXPECT_NO_THROW(stream.reset());
}

}  // namespace
}  // namespace tracklore
