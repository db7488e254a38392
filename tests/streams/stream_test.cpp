// Tests of the base and filter streams and of stream chains.
#include "streams/stream.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "streams/buffered_stream.h"
#include "streams/file_stream.h"
#include "tests/support/memory_stream.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::PatternBytes;
using test::TMemoryStream;
using test::TTempDir;

// A filter that notes its destruction in a shared log.
class TLoggingFilter : public TFilterStream {
public:
    TLoggingFilter(TBaseStream* inner, std::string name, std::vector<std::string>& log)
        : TFilterStream(inner), name_(std::move(name)), log_(log) {}
    ~TLoggingFilter() override { log_.push_back(name_); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

// A bottom stream that notes its destruction and counts Flush calls.
class TLoggingBottom : public TBaseStream {
public:
    explicit TLoggingBottom(std::vector<std::string>& log) : log_(log) {}
    ~TLoggingBottom() override { log_.push_back("bottom"); }
    int32_t Write(const void*, int32_t count) override { return count; }
    int32_t Read(void*, int32_t) override { return 0; }
    int64_t Remaining() override { return 0; }
    void Flush() override { ++flushCalls; }
    int flushCalls = 0;

private:
    std::vector<std::string>& log_;
};

TEST(FilterStream, ForwardsReadAndRemainingToTheInnerStream) {
    TMemoryStream inner(std::string("abcdef"));
    TFilterStream filter(&inner);
    char bytes[4];
    EXPECT_EQ(filter.Read(bytes, 4), 4);
    EXPECT_EQ(std::string(bytes, 4), "abcd");
    EXPECT_EQ(filter.Remaining(), 2);
    EXPECT_FALSE(filter.Eof());
    EXPECT_FALSE(filter.CanRead()) << "access is left to subclasses";
}

TEST(FilterStream, ForwardsWriteToTheInnerStream) {
    std::unique_ptr<TMemoryStream> writer(TMemoryStream::Writer());
    TFilterStream filter(writer.get());
    EXPECT_EQ(filter.Write("xyz", 3), 3);
    EXPECT_EQ(test::Hex(writer->Bytes()), "78 79 7A");
}

TEST(FilterStream, SetStrictReachesEveryStreamBelow) {
    TMemoryStream bottom(std::string("abc"));
    TFilterStream middle(&bottom);
    TFilterStream top(&middle);
    top.SetStrict(false);
    EXPECT_FALSE(top.Strict());
    EXPECT_FALSE(middle.Strict());
    EXPECT_FALSE(bottom.Strict());
}

TEST(FilterStream, FlushDoesNotReachTheInnerStream) {
    std::vector<std::string> log;
    TLoggingBottom bottom(log);
    TFilterStream filter(&bottom);
    filter.Flush();
    EXPECT_EQ(bottom.flushCalls, 0);
}

TEST(FilterStream, FreeChainDestroysTopFirst) {
    std::vector<std::string> log;
    auto* bottom = new TLoggingBottom(log);
    auto* middle = new TLoggingFilter(bottom, "middle", log);
    auto* top = new TLoggingFilter(middle, "top", log);
    TFilterStream::FreeChain(top);
    EXPECT_EQ(log, (std::vector<std::string>{"top", "middle", "bottom"}));
}

// A filter that notes its Flush calls in a shared log.
class TFlushLoggingFilter : public TFilterStream {
public:
    TFlushLoggingFilter(TBaseStream* inner, std::string name, std::vector<std::string>& log)
        : TFilterStream(inner), name_(std::move(name)), log_(log) {}
    void Flush() override { log_.push_back(name_); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(FilterStream, FlushChainFlushesEveryFilterTopFirstButNotTheBottom) {
    std::vector<std::string> log;
    TLoggingBottom bottom(log);
    TFlushLoggingFilter middle(&bottom, "middle", log);
    TFlushLoggingFilter top(&middle, "top", log);
    TFilterStream::FlushChain(&top);
    EXPECT_EQ(log, (std::vector<std::string>{"top", "middle"}));
    EXPECT_EQ(bottom.flushCalls, 0);
}

TEST(FilterStream, FlushChainRaisesWhenPendingOutputCannotBeWritten) {
    std::unique_ptr<TMemoryStream> full(TMemoryStream::Writer(10));
    full->SetStrict(false);
    TBufferedStream buffered(0, -1, full.get());
    const auto data = PatternBytes(100);
    buffered.Write(data.data(), 100);
    EXPECT_THROW(TFilterStream::FlushChain(&buffered), EInOutError);
}

TEST(FilterStream, FreeChainOfNothingDoesNothing) {
    EXPECT_NO_THROW(TFilterStream::FreeChain(nullptr));
}

TEST(FilterStream, FreeChainWritesPendingBufferedOutputBeforeTheFileCloses) {
    TTempDir dir;
    const auto data = PatternBytes(5000);
    {
        StreamChain chain(new TFileStream(dir.Path("f"), OpenWrite | OpenCreate));
        chain.reset(new TBufferedStream(0, -1, chain.release()));
        chain->Write(data.data(), static_cast<int32_t>(data.size()));
        EXPECT_EQ(std::filesystem::file_size(dir.Path("f")), 0u);
    }
    const std::string written = test::ReadFileBytes(dir.Path("f"));
    EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), data);
    // The file was closed too: its lock is gone.
    EXPECT_NO_THROW(TFileStream(dir.Path("f"), OpenWrite));
}

TEST(CopyFrom, CopiesTheWholeSourceInPiecesOf4096) {
    const auto data = PatternBytes(10000);
    TMemoryStream source(data);
    std::unique_ptr<TMemoryStream> target(TMemoryStream::Writer());
    target->CopyFrom(source);
    EXPECT_EQ(target->Bytes(), data);
    EXPECT_EQ(target->WriteCalls(), 3);  // 4,096 + 4,096 + 1,808
    EXPECT_TRUE(source.Eof());
}

TEST(CopyFrom, ReadsAStrictSourceLenientlyAndRestoresIt) {
    TMemoryStream source(PatternBytes(100));
    std::unique_ptr<TMemoryStream> target(TMemoryStream::Writer());
    target->CopyFrom(source);  // a strict 4,096-byte read of 100 bytes would raise
    EXPECT_EQ(target->Bytes().size(), 100u);
    EXPECT_TRUE(source.Strict());
}

TEST(CopyFrom, LeavesALenientSourceLenient) {
    TMemoryStream source(PatternBytes(100));
    source.SetStrict(false);
    std::unique_ptr<TMemoryStream> target(TMemoryStream::Writer());
    target->CopyFrom(source);
    EXPECT_FALSE(source.Strict());
}

TEST(CopyFrom, RestoresTheSourcesStrictnessWhenAWriteFails) {
    TMemoryStream source(PatternBytes(10000));
    std::unique_ptr<TMemoryStream> target(TMemoryStream::Writer(5000));
    EXPECT_THROW(target->CopyFrom(source), EInOutError);
    EXPECT_TRUE(source.Strict());
}

TEST(CopyFrom, FromABufferedSourceKeepsItsReadAheadWorking) {
    const auto data = PatternBytes(10000);
    TMemoryStream inner(data);
    TBufferedStream source(-1, 0, &inner);
    std::unique_ptr<TMemoryStream> first(TMemoryStream::Writer());
    uint8_t head[10];
    source.Read(head, 10);
    first->CopyFrom(source);
    EXPECT_EQ(first->Bytes().size(), 9990u);
    EXPECT_TRUE(source.Strict());
    EXPECT_FALSE(inner.Strict());
}

}  // namespace
}  // namespace tracklore
