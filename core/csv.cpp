// Semicolon-separated text files: export of a catalogue or result set, import into an owning
// catalogue. Fields are never quoted; the header line names the columns.
#include <array>
#include <charconv>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/catalogue.h"
#include "core/catalogue_file_format.h"
#include "core/catalogue_file_target.h"
#include "core/convert.h"
#include "core/csv_text.h"
#include "core/format.h"
#include "core/genres.h"
#include "core/messages.h"
#include "core/record_pieces.h"
#include "core/text_encoding.h"
#include "core/text_scan.h"
#include "platform/locale.h"
#include "streams/buffered_stream.h"
#include "streams/file_stream.h"

namespace tracklore {

namespace {

constexpr int kColumnCount = 13;
enum Column {
    kID,
    kVolume,
    kFilename,
    kFileSize,
    kArtist,
    kTitle,
    kAlbum,
    kYear,
    kComment,
    kGenre,
    kPlayLength,
    kBitRate,
    kSampleRate
};
constexpr std::array<std::string_view, kColumnCount> kColumnNames = {
    "ID",   "Volume",  "Filename", "FileSize",   "Artist", "Title",     "Album",
    "Year", "Comment", "Genre",    "PlayLength", "kBit/s", "SampleRate"};
constexpr std::string_view kLineEnd = "\r\n";
constexpr size_t kPieceSize = 65536;
constexpr int32_t kReadSize = 65536;
// The longest line a record can make: 13 fields of the longest text a record keeps, each
// with room for quotes around it and every character doubled (as a spreadsheet may save
// them), and the separators. Beyond it the file is no catalogue export, and reading on
// would only fill memory (a device such as /dev/zero has no line end at all).
constexpr size_t kMaxLineBytes =
    kColumnCount * (2 * catalogue_file::kMaxText + 2) + (kColumnCount - 1);

using Fields = std::array<std::string_view, kColumnCount>;

// ---- Export

template <class Int>
void AppendNumber(std::string& out, Int value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void AppendLine(std::string& out, const TrackRecord& record) {
    AppendNumber(out, record.ID);
    for (const std::string_view text : {record.Volume.view(), record.Filename.view()}) {
        out += ';';
        out.append(text);
    }
    out += ';';
    AppendNumber(out, record.FileSize);
    for (const SharedText* text :
         {&record.Artist, &record.Title, &record.Album, &record.Year, &record.Comment}) {
        out += ';';
        out.append(text->view());
    }
    out += ';';
    out.append(GenreNames[record.Genre]);
    for (const uint16_t number : {record.PlayLength, record.BitRate, record.SampleRate}) {
        out += ';';
        AppendNumber(out, number);
    }
    out.append(kLineEnd);
}

// ---- Import

// Lines of a stream, ended by CR LF, LF or CR; the last line may lack its end. A line longer
// than kMaxLineBytes raises EInOutError.
class TLineReader {
public:
    TLineReader(TBaseStream& stream, const std::string& fileName)
        : stream_(stream), fileName_(fileName), buffer_(kReadSize) {}

    bool Next(std::string& line) {
        line.clear();
        bool any = false;
        for (;;) {
            if (position_ == fill_ && !Refill()) return any;
            if (skipLineFeed_) {
                skipLineFeed_ = false;
                if (buffer_[position_] == '\n') {
                    ++position_;
                    continue;
                }
            }
            if (!any) ++lineNumber_;
            any = true;
            const char* start = buffer_.data() + position_;
            const char* end = buffer_.data() + fill_;
            const char* stop = start;
            while (stop < end && *stop != '\r' && *stop != '\n')
                ++stop;
            if (line.size() + static_cast<size_t>(stop - start) > kMaxLineBytes) {
                throw EInOutError(Format(msg::CsvLineTooLong, lineNumber_, fileName_.c_str(),
                                         static_cast<int>(kMaxLineBytes)));
            }
            line.append(start, stop);
            position_ = static_cast<size_t>(stop - buffer_.data());
            if (stop == end) continue;
            skipLineFeed_ = *stop == '\r';
            ++position_;
            return true;
        }
    }

private:
    bool Refill() {
        const int32_t got = stream_.Read(buffer_.data(), kReadSize);
        position_ = 0;
        fill_ = got > 0 ? static_cast<size_t>(got) : 0;
        return fill_ > 0;
    }

    TBaseStream& stream_;
    const std::string& fileName_;
    std::vector<char> buffer_;
    int lineNumber_ = 0;
    size_t position_ = 0;
    size_t fill_ = 0;
    bool skipLineFeed_ = false;  // a CR ended the last line; an LF right after belongs to it
};

// The first 13 fields of a line, leading spaces removed; missing fields are empty.
int Split(std::string_view line, Fields& fields) {
    fields.fill({});
    int count = 0;
    size_t start = 0;
    while (count < kColumnCount) {
        const size_t end = std::min(line.find(';', start), line.size());
        const std::string_view field = line.substr(start, end - start);
        fields[count++] = TrimLeft(field, " ");
        if (end == line.size()) break;
        start = end + 1;
    }
    return count;
}

// Where each column stands among the header's fields, or -1 when the header lacks it.
std::array<int, kColumnCount> FindColumns(std::string_view header) {
    Fields fields;
    const int count = Split(header, fields);
    std::array<int, kColumnCount> columns;
    for (int column = 0; column < kColumnCount; ++column) {
        columns[column] = -1;
        for (int at = 0; at < count && columns[column] < 0; ++at) {
            if (locale::CompareIgnoreCase(fields[at], kColumnNames[column]) == 0)
                columns[column] = at;
        }
    }
    return columns;
}

// The genre byte whose name equals `text` byte for byte, the last such index winning; 255
// when none does.
uint8_t GenreOfName(std::string_view text) {
    static const auto* const byName = [] {
        auto* map = new std::unordered_map<std::string_view, uint8_t>;
        for (int index = 0; index < 256; ++index)
            (*map)[GenreNames[index]] = static_cast<uint8_t>(index);
        return map;
    }();
    const auto found = byName->find(text);
    return found == byName->end() ? kGenreNone : found->second;
}

[[noreturn]] void RefuseNumber(std::string_view text) {
    throw EConvertError(Format(msg::InvalidInteger, PrintableText(text).c_str()));
}

int32_t Integer(std::string_view text) {
    try {
        return StrToInt(text);
    } catch (const EConvertError&) {
        RefuseNumber(text);  // the message shows the text as UTF-8
    }
}

// Every value the export writes (unsigned) and the signed 32-bit forms, kept in 32 bits.
uint32_t FileSize(std::string_view text) {
    int64_t value = 0;
    try {
        value = StrToInt64(text);
    } catch (const EConvertError&) {
        RefuseNumber(text);
    }
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<uint32_t>::max())
        RefuseNumber(text);
    return static_cast<uint32_t>(value);
}

SharedText Text(std::string_view text, bool checked) {
    if (checked || IsValidUtf8(text)) return SharedText(text);
    return SharedText(Cp1252ToUtf8(text));
}

void ReadRecord(std::string_view line, const std::array<int, kColumnCount>& columns,
                TrackRecord& record) {
    Fields fields;
    Split(line, fields);
    auto field = [&](Column column) {
        return columns[column] < 0 ? std::string_view() : fields[columns[column]];
    };
    record.ID = Integer(field(kID));
    record.PlayLength = static_cast<uint16_t>(Integer(field(kPlayLength)));
    record.BitRate = static_cast<uint16_t>(Integer(field(kBitRate)));
    record.SampleRate = static_cast<uint16_t>(Integer(field(kSampleRate)));
    record.FileSize = FileSize(field(kFileSize));
    // Semicolons and spaces never occur inside a UTF-8 sequence: a valid line has valid fields.
    const bool valid = IsValidUtf8(line);
    record.Volume = Text(field(kVolume), valid);
    record.Filename = Text(field(kFilename), valid);
    record.Artist = Text(field(kArtist), valid);
    record.Title = Text(field(kTitle), valid);
    record.Album = Text(field(kAlbum), valid);
    record.Year = Text(field(kYear), valid);
    record.Comment = Text(field(kComment), valid);
    record.Genre = GenreOfName(field(kGenre));
    record.FileDate = 0;
}

}  // namespace

void TTracklore::ExportCSV(const std::string& fileName) {
    WriteReplacing(fileName, [this](StreamChain& chain) {
        PushFilter(chain, [](TBaseStream* inner) { return new TBufferedStream(0, -1, inner); });
        WriteCsvText(*this, [&chain](std::string_view piece) {
            WriteAll(*chain, piece.data(), piece.size());
        });
    });
}

void TTracklore::ImportCSV(const std::string& fileName, const RecordFilter& keep) {
    ResetDB();
    // Only a regular file holds lines that end: a pipe would keep the open waiting for a
    // writer, a device could deliver bytes for good. A missing file is left to the open,
    // which reports it.
    struct stat status {};
    if (::stat(fileName.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        throw EInOutError(Format(msg::ErrorOpening, fileName.c_str(), msg::NotARegularFile));
    TFileStream file(fileName, OpenRead);
    file.SetStrict(false);  // the last piece of the file is usually short
    TLineReader lines(file, fileName);
    std::string line;
    bool found = false;
    while (!found && lines.Next(line))
        found = !line.empty();
    if (!found) return;
    const auto columns = FindColumns(line);
    TrackRecord record;
    for (int64_t read = 0; lines.Next(line); ++read) {
        ReadRecord(line, columns, record);
        StoreLoaded(record, read, keep);
    }
}

void WriteCsvText(const TTracklore& set, const std::function<void(std::string_view)>& sink) {
    std::string head(kLineEnd);
    for (int column = 0; column < kColumnCount; ++column) {
        if (column > 0) head += ';';
        head.append(kColumnNames[column]);
    }
    head.append(kLineEnd);
    WriteRecordPieces(set, std::move(head), kPieceSize, AppendLine, sink);
}

}  // namespace tracklore
