// Tag bytes made by hand for tests: ID3v2 headers and frames of versions 2, 3 and 4, ID3v1
// tags, and a run of silent MPEG audio frames to follow them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tracklore::test {

/// `value` as four synchsafe bytes (7 bits each).
inline std::string SynchsafeBytes(uint32_t value) {
    std::string out(4, '\0');
    for (int i = 3; i >= 0; --i, value >>= 7)
        out[static_cast<size_t>(i)] = static_cast<char>(value & 0x7F);
    return out;
}

/// The low `count` bytes of `value`, big-endian.
inline std::string BigEndianBytes(uint32_t value, int count) {
    std::string out(static_cast<size_t>(count), '\0');
    for (int i = count - 1; i >= 0; --i, value >>= 8)
        out[static_cast<size_t>(i)] = static_cast<char>(value & 0xFF);
    return out;
}

/// A frame with the header layout of `version`: 6 bytes for version 2 (a 3-letter `id`),
/// else 10 bytes with the size synchsafe in version 4 and big-endian below.
inline std::string Id3Frame(int version, const std::string& id, const std::string& data,
                            uint8_t formatFlags = 0, uint8_t statusFlags = 0) {
    const auto size = static_cast<uint32_t>(data.size());
    if (version == 2) return id + BigEndianBytes(size, 3) + data;
    const std::string sizeBytes = version == 4 ? SynchsafeBytes(size) : BigEndianBytes(size, 4);
    return id + sizeBytes + std::string{static_cast<char>(statusFlags)} +
           std::string{static_cast<char>(formatFlags)} + data;
}

/// A text frame with encoding byte `encoding` before `text`.
inline std::string Id3TextFrame(int version, const std::string& id, const std::string& text,
                                char encoding = 0) {
    return Id3Frame(version, id, std::string{encoding} + text);
}

/// The 10-byte tag header for a body of `size` bytes.
inline std::string Id3Header(int version, uint32_t size, uint8_t flags = 0) {
    return std::string("ID3") + static_cast<char>(version) + '\0' + static_cast<char>(flags) +
           SynchsafeBytes(size);
}

/// A whole tag: header and `body` (frames, padding, extended header).
inline std::string Id3Tag(int version, const std::string& body, uint8_t flags = 0) {
    return Id3Header(version, static_cast<uint32_t>(body.size()), flags) + body;
}

/// Unsynchronises `data`: a zero byte after every FF that is followed by a byte of E0 or
/// more or by a zero byte, or that ends the data.
inline std::string Unsynchronise(const std::string& data) {
    std::string out;
    for (size_t i = 0; i < data.size(); ++i) {
        out += data[i];
        if (static_cast<uint8_t>(data[i]) != 0xFF) continue;
        if (i + 1 == data.size() || static_cast<uint8_t>(data[i + 1]) >= 0xE0 || data[i + 1] == 0)
            out += '\0';
    }
    return out;
}

/// A 128-byte ID3v1 tag; each field is cut or zero-filled to its width.
inline std::string Id3v1Tag(const std::string& title, const std::string& artist = "",
                            const std::string& album = "", const std::string& year = "",
                            const std::string& comment = "", uint8_t genre = 255) {
    auto field = [](std::string text, size_t width) {
        text.resize(width, '\0');
        return text;
    };
    return "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4) +
           field(comment, 30) + static_cast<char>(genre);
}

/// MPEG-1 Layer III, 32 kbit/s, 48000 Hz: 96-byte frames.
inline constexpr uint32_t kSmallFrameHeader = 0xFFFB1464;
inline constexpr size_t kSmallFrameSize = 96;

/// `count` silent frames of kSmallFrameHeader.
inline std::string AudioFrames(size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i)
        out += BigEndianBytes(kSmallFrameHeader, 4) + std::string(kSmallFrameSize - 4, '\0');
    return out;
}

/// The identifier of the `index`th frame of ManyFramesBody: a capital letter and three
/// digits or capitals, distinct for the first million; "COMM" (an empty comment frame is
/// refused) is replaced by "ZZZZ", which only a larger index would give.
inline std::string ManyFramesID(size_t index) {
    static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string id(4, 'A');
    for (int i = 3; i >= 1; --i, index /= 36)
        id[static_cast<size_t>(i)] = kDigits[index % 36];
    id[0] = static_cast<char>('A' + index % 26);
    return id == "COMM" ? "ZZZZ" : id;
}

/// A version-3 tag body of `count` empty frames, each under an identifier of its own: ten
/// bytes per frame, the shape of tag that once cost time growing with the square of `count`.
inline std::string ManyFramesBody(size_t count) {
    std::string body;
    body.reserve(count * 10);
    for (size_t i = 0; i < count; ++i)
        body += Id3Frame(3, ManyFramesID(i), "");
    return body;
}

/// The bytes of a text, for streams and files.
inline std::vector<uint8_t> ToBytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace tracklore::test
