// Version-2 tag frames: their headers, the decoding of their texts and their display text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/format.h"
#include "core/messages.h"
#include "core/text_encoding.h"
#include "media/id3v2.h"

namespace tracklore {

namespace {

// Format flags of a frame header (second flag byte):
//
//   bit  7 6 5 4 3 2 1 0
//        . . . . . . U .     U = 0x02: the frame data is unsynchronised
constexpr uint8_t kFrameUnsynchronised = 0x02;

// Refuses a header whose identifier the frame class does not handle; `kind` is the family
// named in the message.
const Tid3FrameHeader& Checked(const Tid3FrameHeader& header, bool fits, const char* kind) {
    if (!fits) throw Eid3v2(Format(msg::FrameOfWrongKind, header.FrameID.c_str(), kind));
    return header;
}

bool StartsWith(const std::string& id, char letter) {
    return !id.empty() && id[0] == letter;
}

bool IsZeroUnit(const uint8_t* bytes, size_t at) {
    return bytes[at] == 0 && bytes[at + 1] == 0;
}

// Moves past a byte-order mark at `pos` and takes its byte order; false when none is there.
bool SkipByteOrderMark(const uint8_t* bytes, size_t& pos, size_t end, bool& bigEndian) {
    if (end - pos < 2) return false;
    if (bytes[pos] == 0xFF && bytes[pos + 1] == 0xFE) {
        bigEndian = false;
    } else if (bytes[pos] == 0xFE && bytes[pos + 1] == 0xFF) {
        bigEndian = true;
    } else {
        return false;
    }
    pos += 2;
    return true;
}

// The text at `pos` in `data`, as UTF-8: counted texts run to the end of the data,
// terminated ones to the first zero character, leaving `pos` on it.
std::string DecodeText(uint8_t encoding, const std::vector<uint8_t>& data, size_t& pos,
                       bool terminated) {
    pos = std::min(pos, data.size());
    const uint8_t* bytes = data.data();
    const size_t end = data.size();
    switch (encoding) {
        case 0:
        case 3: {
            size_t stop = end;
            if (terminated) {
                const auto zero = std::find(data.begin() + static_cast<std::ptrdiff_t>(pos),
                                            data.end(), uint8_t{0});
                stop = static_cast<size_t>(zero - data.begin());
            }
            const std::string_view raw(reinterpret_cast<const char*>(bytes + pos), stop - pos);
            pos = stop;
            // Broken UTF-8 is far more likely an 8-bit text with a wrong encoding byte than
            // anything worth keeping as it stands.
            return encoding == 0 ? Cp1252ToUtf8(raw) : TextFromFile(raw);
        }
        case 1:
        case 2: {
            bool bigEndian = encoding == 2;
            if (encoding == 1) {
                if (end - pos < 2) {
                    pos = end;
                    return std::string();
                }
                // Without a byte-order mark (an empty text written as a bare 00 00, say)
                // the units are read little-endian from the first byte on, so the mark
                // test does not swallow the terminator.
                SkipByteOrderMark(bytes, pos, end, bigEndian);
            }
            size_t stop = pos + (end - pos) / 2 * 2;
            if (terminated) {
                size_t unit = pos;
                while (unit < stop && !IsZeroUnit(bytes, unit))
                    unit += 2;
                stop = unit;
            }
            std::string text;
            // Several values of one frame (mutagen writes them so) each carry their own
            // byte-order mark after the zero unit that ends the value before.
            for (size_t unit = pos; encoding == 1 && !terminated && unit < stop; unit += 2) {
                if (!IsZeroUnit(bytes, unit)) continue;
                text += Utf16ToUtf8(bytes + pos, unit + 2 - pos, bigEndian);
                pos = unit + 2;
                if (SkipByteOrderMark(bytes, pos, stop, bigEndian)) unit = pos - 2;
            }
            text += Utf16ToUtf8(bytes + pos, stop - pos, bigEndian);
            pos = terminated ? stop : end;
            return text;
        }
        default: throw Eid3v2(Format(msg::UnsupportedEncoding, static_cast<int>(encoding)));
    }
}

// Moves past the terminator of a terminated text: one byte for 8-bit and UTF-8 texts, two
// for UTF-16.
void SkipTerminator(uint8_t encoding, size_t& pos, size_t end) {
    pos = std::min(end, pos + (encoding == 1 || encoding == 2 ? 2 : 1));
}

}  // namespace

void RemoveUnsynchronisation(std::vector<uint8_t>& data) {
    size_t out = 0;
    for (size_t in = 0; in < data.size(); ++in) {
        data[out++] = data[in];
        if (data[in] == 0xFF && in + 1 < data.size() && data[in + 1] == 0x00) ++in;
    }
    data.resize(out);
}

// ---- Tid3frame ----

Tid3frame::Tid3frame(const Tid3FrameHeader& header, TSeekableStream& stream)
    : FrameID(header.FrameID),
      FrameSize(header.FrameSize),
      StatusFlags(header.StatusFlags),
      FormatFlags(header.FormatFlags) {
    // A size beyond the end of the input would be a short read anyway; failing before the
    // allocation keeps a forged size from claiming gigabytes.
    if (static_cast<int64_t>(header.FrameSize) > stream.Remaining())
        throw EInOutError(msg::ReadLessThanExpected);
    Data.resize(header.FrameSize);
    if (!Data.empty()) {
        const TStrictScope strict(stream, true);
        stream.Read(Data.data(), static_cast<int32_t>(Data.size()));
    }
    if (FormatFlags & kFrameUnsynchronised) {
        RemoveUnsynchronisation(Data);
        FormatFlags &= static_cast<uint8_t>(~kFrameUnsynchronised);
    }
    if (header.PrefixBytes > 0) {
        const size_t prefix = std::min<size_t>(header.PrefixBytes, Data.size());
        Data.erase(Data.begin(), Data.begin() + static_cast<std::ptrdiff_t>(prefix));
    }
}

std::string Tid3frame::DisplayText() const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    constexpr size_t kShown = 16;
    std::string text;
    for (size_t i = 0; i < std::min(Data.size(), kShown); ++i) {
        if (i > 0) text += ' ';
        text += kDigits[Data[i] >> 4];
        text += kDigits[Data[i] & 0x0F];
    }
    if (Data.size() > kShown) text += " ...";
    return text;
}

// ---- Tid3text ----

Tid3text::Tid3text(const Tid3FrameHeader& header, TSeekableStream& stream)
    : Tid3frame(Checked(header, StartsWith(header.FrameID, 'T'), "T???"), stream) {
    if (Data.empty()) return;
    Encoding = Data[0];
    size_t pos = 1;
    Text = DecodeText(Encoding, Data, pos, false);
}

Tid3text::Tid3text(std::string frameID, std::string text) : Tid3frame(std::move(frameID)) {
    if (!StartsWith(FrameID, 'T'))
        throw Eid3v2(Format(msg::FrameOfWrongKind, FrameID.c_str(), "T???"));
    Text = std::move(text);
}

// ---- Tid3web ----

Tid3web::Tid3web(const Tid3FrameHeader& header, TSeekableStream& stream)
    : Tid3frame(Checked(header, StartsWith(header.FrameID, 'W'), "W??\?/WXXX"), stream) {
    if (Data.empty()) return;
    if (FrameID != "WXXX") {
        URL =
            Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(Data.data()), Data.size()));
        return;
    }
    Encoding = Data[0];
    size_t pos = 1;
    Description = DecodeText(Encoding, Data, pos, true);
    SkipTerminator(Encoding, pos, Data.size());
    URL = DecodeText(Encoding, Data, pos, false);
}

// ---- Tid3comment ----

Tid3comment::Tid3comment(const Tid3FrameHeader& header, TSeekableStream& stream)
    : Tid3frame(Checked(header, header.FrameID == "COMM", "COMM"), stream) {
    // Encoding, three bytes of language, and at least one byte of text.
    if (Data.size() < 5) throw Eid3v2(msg::TagIsBuggy);
    Encoding = Data[0];
    size_t pos = 4;
    Description = DecodeText(Encoding, Data, pos, true);
    SkipTerminator(Encoding, pos, Data.size());
    Text = DecodeText(Encoding, Data, pos, false);
}

Tid3comment::Tid3comment(std::string description, std::string text) : Tid3frame("COMM") {
    Description = std::move(description);
    Text = std::move(text);
}

}  // namespace tracklore
