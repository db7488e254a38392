// Tests of the LZ77 stream against golden bytes, and round trips.
#include "streams/lz77.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/error_text.h"
#include "tests/support/memory_stream.h"

namespace tracklore {
namespace {

using Bytes = std::vector<uint8_t>;
using test::Hex;
using test::TMemoryStream;

Bytes Of(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// Compresses `data` in writes of `chunk` bytes.
Bytes Compress(const Bytes& data, int bits = LZ77Bits, size_t chunk = SIZE_MAX) {
    StreamChain sink(TMemoryStream::Writer());
    TLZ77Stream lz(sink.get(), bits);
    for (size_t at = 0; at < data.size(); at += chunk) {
        const auto size = static_cast<int32_t>(std::min(chunk, data.size() - at));
        EXPECT_EQ(lz.Write(data.data() + at, size), size);
    }
    lz.Flush();
    return static_cast<TMemoryStream*>(sink.get())->Bytes();
}

// Reads until Eof in reads of `chunk` bytes; the last read may come up short.
Bytes Decompress(const Bytes& packed, int bits = LZ77Bits, int32_t chunk = 4096) {
    TMemoryStream source(packed);
    source.SetStrict(false);
    TLZ77Stream lz(&source, bits);
    Bytes out;
    std::vector<uint8_t> piece(chunk);
    while (!lz.Eof()) {
        const int32_t got = lz.Read(piece.data(), chunk);
        if (got == 0) break;
        out.insert(out.end(), piece.begin(), piece.begin() + got);
    }
    return out;
}

// The encoder written plainly: a full window scan for every token, one nibble at a time.
Bytes ReferenceCompress(const Bytes& data, int bits) {
    const int windowSize = 16 << (8 - bits), lookSize = 1 << bits, maxRun = 1 << (8 - bits);
    Bytes window(windowSize, 0), out, look, run;
    int p = 0, acc = 0, accBits = 0;
    auto put = [&](int value, int width) {
        acc = (acc | (value << accBits)) & 0xFF;
        accBits += width;
        if (accBits >= 8) out.push_back(static_cast<uint8_t>(acc));
        if (accBits == 8) acc = accBits = 0;
        if (accBits == 12) acc = value >> 4, accBits = 4;
    };
    auto putRun = [&] {
        put((static_cast<int>(run.size()) - 1) << bits, 8);
        for (uint8_t byte : run)
            put(byte, 8);
        run.clear();
    };
    auto store = [&](uint8_t byte) { window[p = (p + 1) % windowSize] = byte; };
    auto step = [&] {
        const int n = static_cast<int>(look.size());
        int best = 1, bestIndex = 0;
        for (int i = 0; i < windowSize; ++i) {
            if (window[i] != look[0]) continue;
            int m = 1;
            while (m < n && look[m] == window[(i + m) % windowSize])
                ++m;
            const int length = m == n ? n - 1 : m;
            if (length > best) best = length, bestIndex = i;
        }
        if (best == 1) {
            if (static_cast<int>(run.size()) == maxRun) putRun();
            run.push_back(look[0]);
            store(look[0]);
        } else {
            if (!run.empty()) putRun();
            put((((bestIndex >> 4) << bits) & 0xFF) | (best - 1), 8);
            put(bestIndex & 15, 4);
            for (int i = 0; i < best; ++i)
                store(look[i]);
        }
        look.erase(look.begin(), look.begin() + best);
    };
    for (uint8_t byte : data) {
        look.push_back(byte);
        if (static_cast<int>(look.size()) == lookSize) step();
    }
    while (!look.empty())
        step();
    if (!run.empty()) putRun();
    if (accBits == 4) out.push_back(static_cast<uint8_t>(acc));
    return out;
}

// The message of the stream error `action` raises, or "" when none.
template <class Action>
std::string ErrorOf(Action action) {
    return test::ErrorOf<EInOutError>(action);
}

// Random bytes over a small alphabet (many matches) or all 256 values.
Bytes RandomBytes(size_t size, int alphabet, uint32_t seed) {
    std::mt19937 random(seed);
    Bytes data(size);
    for (auto& byte : data)
        byte = static_cast<uint8_t>(random() % alphabet);
    return data;
}

// Records laid out like the catalogue file: marker, number, length-prefixed paths and names.
Bytes CatalogueLike(int records, uint32_t seed) {
    std::mt19937 random(seed);
    Bytes data;
    for (int id = 1; id <= records; ++id) {
        const std::string artist = "Artist " + std::to_string(random() % 40);
        const std::string album = "Album " + std::to_string(random() % 7);
        const std::string texts[] = {
            "MUSIC_CD",
            "C:\\Music\\" + artist + "\\" + album + "\\" + std::to_string(id % 17) + " - Song.mp3",
            artist, "Song " + std::to_string(id), album};
        for (char c : std::string("!MP3"))
            data.push_back(static_cast<uint8_t>(c));
        for (int shift = 0; shift < 32; shift += 8)
            data.push_back(uint8_t(id >> shift));
        for (const auto& text : texts) {
            data.push_back(static_cast<uint8_t>(text.size()));
            data.insert(data.end(), text.begin(), text.end());
        }
        for (int i = 0; i < 8; ++i)
            data.push_back(static_cast<uint8_t>(random() % 4));
    }
    return data;
}

TEST(Lz77Stream, ThreeBytesBecomeOneLiteralRun) {
    EXPECT_EQ(Hex(Compress(Of("abc"))), "20 61 62 63");
    EXPECT_EQ(Hex(Compress(Of("abc"), 3)), "10 61 62 63");
}

TEST(Lz77Stream, RepeatBecomesBackReferenceAndStraddlesBytes) {
    EXPECT_EQ(Hex(Compress(Of("abcabc"))), "20 61 62 63 01 01 30 06");
    EXPECT_EQ(Hex(Compress(Of("abcabc"), 3)), "10 61 62 63 01 01 30 06");
}

TEST(Lz77Stream, ReadsGoldenBytesBackThenEof) {
    TMemoryStream source(Bytes{0x20, 0x61, 0x62, 0x63, 0x01, 0x01, 0x30, 0x06});
    TLZ77Stream lz(&source);
    char out[6];
    EXPECT_FALSE(lz.Eof());
    ASSERT_EQ(lz.Read(out, 6), 6);
    EXPECT_EQ(std::string(out, 6), "abcabc");
    EXPECT_TRUE(lz.Eof());
}

TEST(Lz77Stream, SeventeenDistinctBytesMakeTwoRuns) {
    Bytes data;
    for (uint8_t byte = 1; byte <= 0x11; ++byte)
        data.push_back(byte);
    const Bytes packed = Compress(data);
    ASSERT_EQ(packed.size(), 19u);
    EXPECT_EQ(packed[0], 0xF0);
    EXPECT_EQ(packed[17], 0x00);
    EXPECT_EQ(packed[18], 0x11);
    EXPECT_EQ(Decompress(packed), data);
}

TEST(Lz77Stream, LeadingZerosReferToTheZeroWindow) {
    EXPECT_EQ(Hex(Compress(Bytes(5, 0))), "03 00 00 00");
    EXPECT_EQ(Decompress(Compress(Bytes(5, 0))), Bytes(5, 0));
}

TEST(Lz77Stream, FullLookaheadMatchIsCappedAtFifteen) {
    // Sixteen zeros: a length-15 reference at index 0, then one literal.
    EXPECT_EQ(Hex(Compress(Bytes(16, 0))), "0E 00 00 00");
}

TEST(Lz77Stream, DecoderAcceptsLengthSixteen) {
    EXPECT_EQ(Decompress(Bytes{0x0F, 0x00}), Bytes(16, 0));
}

TEST(Lz77Stream, BackReferenceWrapsAroundWindow) {
    // 'a' lands at index 1; a length-3 reference at index 255 reads 255, 0 and 1.
    EXPECT_EQ(Decompress(Bytes{0x00, 0x61, 0xF2, 0x0F}), (Bytes{'a', 0, 0, 'a'}));
}

TEST(Lz77Stream, EmptyStreamFlushesToNothingAndReadsAsEof) {
    EXPECT_TRUE(Compress({}).empty());
    TMemoryStream source(Bytes{});
    TLZ77Stream lz(&source);
    EXPECT_TRUE(lz.Eof());
}

TEST(Lz77Stream, OnlyThreeAndFourBitsAreAccepted) {
    TMemoryStream source(Bytes{});
    for (int bits : {0, 2, 5, 8}) {
        EXPECT_THROW(TLZ77Stream(&source, bits), EBadFormat);
        EXPECT_EQ(ErrorOf([&] { TLZ77Stream(&source, bits); }), "Bad compression parameters");
    }
}

TEST(Lz77Stream, FastEncoderMatchesPlainEncoder) {
    for (int bits : {3, 4}) {
        for (uint32_t seed = 1; seed <= 60; ++seed) {
            const size_t size = (seed * 7919) % 3000;
            const int alphabet = seed % 3 == 0 ? 256 : static_cast<int>(2 + seed % 9);
            const Bytes data = RandomBytes(size, alphabet, seed);
            ASSERT_EQ(Compress(data, bits), ReferenceCompress(data, bits)) << seed;
        }
        for (int records : {1, 3, 50, 400}) {
            const Bytes data = CatalogueLike(records, records);
            ASSERT_EQ(Compress(data, bits), ReferenceCompress(data, bits)) << records;
        }
    }
}

TEST(Lz77Stream, RoundTripsAnyData) {
    for (int bits : {3, 4}) {
        for (size_t size : {1, 2, 15, 16, 17, 255, 256, 257, 511, 513, 20000}) {
            for (int alphabet : {1, 3, 256}) {
                const Bytes data = RandomBytes(size, alphabet, static_cast<uint32_t>(size));
                ASSERT_EQ(Decompress(Compress(data, bits), bits), data) << size << "/" << alphabet;
            }
        }
        const Bytes records = CatalogueLike(2000, 5);
        const Bytes packed = Compress(records, bits);
        EXPECT_LT(packed.size(), records.size() * 3 / 4);
        EXPECT_EQ(Decompress(packed, bits), records);
    }
}

TEST(Lz77Stream, WriteChunkingDoesNotChangeTheBytes) {
    const Bytes data = CatalogueLike(100, 9);
    const Bytes whole = Compress(data);
    for (size_t chunk : {1, 2, 7, 16, 17, 1000})
        EXPECT_EQ(Compress(data, 4, chunk), whole);
}

TEST(Lz77Stream, ReadChunkingDoesNotChangeTheBytes) {
    const Bytes data = CatalogueLike(100, 11);
    const Bytes packed = Compress(data);
    for (int32_t chunk : {1, 3, 16, 33, 100000})
        EXPECT_EQ(Decompress(packed, 4, chunk), data);
}

TEST(Lz77Stream, RefusedByteMakesWriteReturnBytesTakenBeforeFailingStep) {
    Bytes data;
    for (int i = 1; i <= 40; ++i)
        data.push_back(static_cast<uint8_t>(i));
    StreamChain sink(TMemoryStream::Writer(5));
    TLZ77Stream lz(sink.get());
    lz.SetStrict(false);
    // Seventeen literals fill the run; the step that writes it holds bytes 16 to 31.
    EXPECT_EQ(lz.Write(data.data(), 40), 31);
    EXPECT_EQ(lz.Write(data.data(), 40), 0);
    EXPECT_THROW(lz.Flush(), EInOutError);
}

TEST(Lz77Stream, NoRefusedByteIsReportedAsSuccess) {
    const Bytes data = CatalogueLike(3, 2);
    const size_t full = Compress(data).size();
    for (size_t limit = 0; limit < full; ++limit) {
        StreamChain sink(TMemoryStream::Writer(limit));
        TLZ77Stream lz(sink.get());
        lz.SetStrict(false);
        const auto count = static_cast<int32_t>(data.size());
        if (lz.Write(data.data(), count) < count) continue;
        EXPECT_EQ(ErrorOf([&] { lz.Flush(); }), "Error writing to stream - ") << limit;
    }
}

TEST(Lz77Stream, StrictSinkRaisesFromWrite) {
    const Bytes data = RandomBytes(1000, 256, 3);
    StreamChain sink(TMemoryStream::Writer(10));
    TLZ77Stream lz(sink.get());
    EXPECT_EQ(ErrorOf([&] { lz.Write(data.data(), 1000); }), "Error writing to stream - ");
    EXPECT_THROW(lz.Flush(), EInOutError);
}

TEST(Lz77Stream, DestructorFlushesAndNeverThrows) {
    StreamChain sink(TMemoryStream::Writer());
    { TLZ77Stream(sink.get()).Write("abc", 3); }
    EXPECT_EQ(Hex(static_cast<TMemoryStream*>(sink.get())->Bytes()), "20 61 62 63");
    StreamChain full(TMemoryStream::Writer(0));
    EXPECT_NO_THROW({ TLZ77Stream(full.get()).Write("abc", 3); });
}

TEST(Lz77Stream, WrongDirectionRaises) {
    StreamChain sink(TMemoryStream::Writer());
    TLZ77Stream writer(sink.get());
    char byte;
    EXPECT_EQ(ErrorOf([&] { writer.Read(&byte, 1); }), "Cannot read from stream");
    TMemoryStream source(Bytes{0x00, 0x61});
    TLZ77Stream reader(&source);
    EXPECT_EQ(ErrorOf([&] { reader.Write("a", 1); }), "Stream not open for write");
}

TEST(Lz77Stream, WriteAfterFlushRaises) {
    StreamChain sink(TMemoryStream::Writer());
    TLZ77Stream lz(sink.get());
    lz.Write("abcabc", 6);
    lz.Flush();
    EXPECT_EQ(ErrorOf([&] { lz.Write("a", 1); }), "Stream not open for write");
}

TEST(Lz77Stream, TruncatedDataDeliversFewerBytes) {
    const Bytes data = CatalogueLike(20, 4);
    const Bytes packed = Compress(data);
    for (size_t cut : {size_t{1}, packed.size() / 2, packed.size() - 1}) {
        TMemoryStream source(Bytes(packed.begin(), packed.begin() + cut));
        source.SetStrict(false);
        TLZ77Stream lz(&source);
        Bytes out(data.size());
        const int32_t got = lz.Read(out.data(), static_cast<int32_t>(out.size()));
        ASSERT_LT(got, static_cast<int32_t>(data.size()));
        EXPECT_TRUE(std::equal(out.begin(), out.begin() + got, data.begin()));
        EXPECT_TRUE(lz.Eof());
    }
}

TEST(Lz77Stream, TruncatedDataUnderStrictStreamRaises) {
    const Bytes data = CatalogueLike(20, 4);
    const Bytes packed = Compress(data);
    TMemoryStream source(Bytes(packed.begin(), packed.end() - 3));
    TLZ77Stream lz(&source);
    Bytes out(data.size());
    EXPECT_THROW(lz.Read(out.data(), static_cast<int32_t>(out.size())), EInOutError);
}

TEST(Lz77Stream, RemainingCountsBytesHeldAhead) {
    const Bytes data = CatalogueLike(50, 6);
    TMemoryStream source(Compress(data));
    TLZ77Stream lz(&source);
    Bytes out(data.size());
    ASSERT_EQ(lz.Read(out.data(), static_cast<int32_t>(data.size() - 1)),
              static_cast<int32_t>(data.size() - 1));
    EXPECT_GT(lz.Remaining(), 0);
    EXPECT_FALSE(lz.Eof());
    EXPECT_EQ(lz.Read(out.data(), 1), 1);
    EXPECT_EQ(out[0], data.back());
    EXPECT_TRUE(lz.Eof());
}

}  // namespace
}  // namespace tracklore
