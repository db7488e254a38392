// The catalogue file's bytes: the header, each record written and read back, with checks.
#include "core/catalogue_file_format.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <string_view>

#include "core/format.h"
#include "core/messages.h"
#include "core/text_encoding.h"

namespace tracklore::catalogue_file {

namespace {

constexpr char kSignature[kSignatureSize + 1] = "Corvane Tracklore   \x00\x1A";
constexpr uint8_t kFiller = 0x52;

template <class Int>
void PutLE(uint8_t* at, Int value) {
    // Widened first: shifting a one-byte type by 8 is out of range for it.
    const auto bits = static_cast<uint64_t>(static_cast<std::make_unsigned_t<Int>>(value));
    for (size_t i = 0; i < sizeof(Int); ++i)
        at[i] = static_cast<uint8_t>(bits >> (8 * i));
}

template <class Int>
void AppendLE(std::string& out, Int value) {
    uint8_t bytes[sizeof(Int)];
    PutLE(bytes, value);
    out.append(reinterpret_cast<const char*>(bytes), sizeof(Int));
}

template <class Int>
Int GetLE(const uint8_t* at) {
    std::make_unsigned_t<Int> bits = 0;
    for (size_t i = sizeof(Int); i-- > 0;)
        bits = static_cast<std::make_unsigned_t<Int>>(bits << 8 | at[i]);
    return static_cast<Int>(bits);
}

void AppendText(std::string& out, std::string_view text) {
    const std::string_view stored = CutUtf8(text, kMaxText);
    AppendLE(out, static_cast<uint16_t>(stored.size()));
    out.append(stored);
}

// The message's number may lie beyond int in a crafted file, so it is put in by hand.
std::string AlignmentMessage(int64_t position) {
    std::string text = msg::AlignmentError;
    text.replace(text.find("%d"), 2, std::to_string(position));
    return msg::InvalidDatabase + text;
}

// Reads exact amounts from the record stream and counts the bytes taken, so an alignment
// error can say where the bad marker stands. The stream is read in large blocks (one call
// per block instead of one per field); texts are taken straight from the block.
class TRecordReader {
public:
    explicit TRecordReader(TBaseStream& stream)
        : stream_(stream), block_(std::make_unique_for_overwrite<char[]>(kBlockSize)) {}

    int64_t Position() const { return position_; }

    void Exact(void* buffer, int32_t count) {
        // The decompressor delivers short counts instead of raising: check here.
        if (Fill(count) < count) throw EInOutError(msg::ReadLessThanExpected);
        Take(buffer, count);
    }

    // Reads `count` bytes, or none at all when the stream gives none.
    int32_t Some(void* buffer, int32_t count) {
        const int32_t got = Fill(count);
        if (got == 0) return 0;
        if (got < count) throw EInOutError(msg::ReadLessThanExpected);
        Take(buffer, count);
        return count;
    }

    template <class Int>
    Int Number() {
        uint8_t bytes[sizeof(Int)];
        Exact(bytes, sizeof(Int));
        return GetLE<Int>(bytes);
    }

    // The length is at most 65,535, which the block always has room for, so a length
    // beyond the data only ends in a short read. `text` holds the previous record's value of
    // the field; when the bytes are the same it is kept, so records in a row that share an
    // artist, album or volume share one text (the stored text is valid UTF-8, so equal bytes
    // are too and would give the same text).
    void Text(SharedText& text) {
        const uint16_t length = Number<uint16_t>();
        if (length == 0) {
            text = SharedText();
            return;
        }
        if (Fill(length) < length) throw EInOutError(msg::ReadLessThanExpected);
        const std::string_view bytes(block_.get() + begin_, length);
        begin_ += length;
        position_ += length;
        if (bytes == text.view()) return;
        if (IsValidUtf8(bytes)) {
            text = SharedText(bytes);
        } else {
            text = SharedText(Cp1252ToUtf8(bytes));
        }
    }

private:
    static constexpr int32_t kBlockSize = 2 * 65536;

    // Makes at least `count` bytes ready when the stream still has them; returns how many
    // are ready (fewer than `count` only at the stream's end).
    int32_t Fill(int32_t count) {
        if (end_ - begin_ >= count) return end_ - begin_;
        std::memmove(block_.get(), block_.get() + begin_, static_cast<size_t>(end_ - begin_));
        end_ -= begin_;
        begin_ = 0;
        while (end_ < count) {
            const int32_t got = stream_.Read(block_.get() + end_, kBlockSize - end_);
            if (got <= 0) break;
            end_ += got;
        }
        return end_;
    }

    void Take(void* buffer, int32_t count) {
        std::memcpy(buffer, block_.get() + begin_, static_cast<size_t>(count));
        begin_ += count;
        position_ += count;
    }

    TBaseStream& stream_;
    std::unique_ptr<char[]> block_;
    int32_t begin_ = 0;
    int32_t end_ = 0;
    int64_t position_ = 0;
};

void ReadRecord(TRecordReader& in, TrackRecord& record) {
    record.ID = in.Number<int32_t>();
    in.Text(record.Volume);
    in.Text(record.Filename);
    uint8_t numbers[18];  // FileSize, FileDate, SampleRate, BitRate, PlayLength
    in.Exact(numbers, sizeof numbers);
    record.FileSize = GetLE<uint32_t>(numbers);
    record.FileDate = std::bit_cast<double>(GetLE<uint64_t>(numbers + 4));
    record.SampleRate = GetLE<uint16_t>(numbers + 12);
    record.BitRate = GetLE<uint16_t>(numbers + 14);
    record.PlayLength = GetLE<uint16_t>(numbers + 16);
    in.Text(record.Artist);
    in.Text(record.Title);
    in.Text(record.Album);
    in.Text(record.Comment);
    in.Text(record.Year);
    record.Genre = in.Number<uint8_t>();
}

}  // namespace

Header MakeHeader(int32_t count, double savedAt) {
    Header header;
    header.fill(kFiller);
    std::memcpy(header.data(), kSignature, kSignatureSize);
    PutLE(header.data() + 22, kVersion);
    PutLE(header.data() + 24, count);
    PutLE(header.data() + 28, std::bit_cast<uint64_t>(savedAt));
    return header;
}

uint16_t CheckHeader(const Header& header) {
    if (std::memcmp(header.data(), kSignature, kSignatureSize) != 0)
        throw EDBError(std::string(msg::InvalidDatabase) + msg::ErrorInHeader);
    const auto version = GetLE<uint16_t>(header.data() + 22);
    if (version > kVersion)
        throw EDBError(msg::InvalidDatabase + Format(msg::InvalidVersion, unsigned{version}));
    return version;
}

int32_t RecordCount(const Header& header) {
    return GetLE<int32_t>(header.data() + 24);
}

void CheckRecordCount(int32_t announced, int read) {
    if (announced >= 0 && announced != read)
        throw EDBError(msg::InvalidDatabase + Format(msg::RecordCountMismatch, announced, read));
}

void AppendRecord(std::string& out, const TrackRecord& record) {
    out.append(kRecordMarker, sizeof kRecordMarker);
    AppendLE(out, record.ID);
    AppendText(out, record.Volume);
    AppendText(out, record.Filename);
    AppendLE(out, record.FileSize);
    AppendLE(out, std::bit_cast<uint64_t>(record.FileDate));
    AppendLE(out, record.SampleRate);
    AppendLE(out, record.BitRate);
    AppendLE(out, record.PlayLength);
    AppendText(out, record.Artist);
    AppendText(out, record.Title);
    AppendText(out, record.Album);
    AppendText(out, record.Comment);
    AppendText(out, record.Year);
    AppendLE(out, record.Genre);
}

int ReadRecords(TBaseStream& stream, TTracklore& catalogue, int32_t expected,
                const LoadProgress& progress, const RecordFilter& keep) {
    TRecordReader in(stream);
    TrackRecord record;
    stream.SetStrict(false);
    // The record count at which the next percent is reached; one comparison per record.
    const bool reporting = progress && expected > 0;
    int percent = 0;
    int64_t read = 0;
    int64_t nextReport = reporting ? (expected + 99) / 100 : -1;
    for (;;) {
        // Asking the stream whether it is at its end costs system calls on every record;
        // a marker read that finds nothing answers it for free, and Eof is asked only then,
        // so data the decompressor cannot turn into bytes still counts as cut short.
        const int64_t markerAt = in.Position();
        char marker[sizeof kRecordMarker];
        if (in.Some(marker, sizeof marker) == 0) {
            if (stream.Eof()) break;
            throw EInOutError(msg::ReadLessThanExpected);
        }
        if (std::memcmp(marker, kRecordMarker, sizeof marker) != 0)
            throw EDBError(AlignmentMessage(markerAt));
        ReadRecord(in, record);
        catalogue.StoreLoaded(record, read, keep);
        if (++read == nextReport && percent < 99) {
            // A header may announce fewer records than follow: the figure stops at 99.
            percent = static_cast<int>(std::min<int64_t>(99, read * 100 / expected));
            nextReport = (static_cast<int64_t>(percent + 1) * expected + 99) / 100;
            progress(percent);
        }
    }
    return static_cast<int>(read);
}

}  // namespace tracklore::catalogue_file
