// Reading the 128-byte version-1 tag at the end of a file into the tag object.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "core/genres.h"
#include "core/messages.h"
#include "core/text_encoding.h"
#include "media/id3v2.h"

namespace tracklore {

namespace {

// The 128-byte tag at the end of the file:
//
//   offset   0    3      33      63     93    97       125        127
//            TAG  title  artist  album  year  comment  0 + track  genre
//                 (30)   (30)    (30)   (4)   (28)     (2)        (1)
constexpr int kTagSize = 128;

struct TField {
    const char* FrameID;
    int Offset;
    int Length;
};
constexpr TField kTitle = {"TIT2", 3, 30};
constexpr TField kArtist = {"TPE1", 33, 30};
constexpr TField kAlbum = {"TALB", 63, 30};
constexpr TField kYear = {"TYER", 93, 4};
constexpr TField kComment = {"COMM", 97, 28};
constexpr TField kTrack = {"TRCK", 125, 2};
constexpr int kGenreOffset = 127;

// The field up to its first zero byte, without leading and trailing spaces and control
// characters, as UTF-8.
std::string FieldText(const uint8_t* tag, const TField& field) {
    std::string_view raw(reinterpret_cast<const char*>(tag + field.Offset),
                         static_cast<size_t>(field.Length));
    raw = raw.substr(0, raw.find('\0'));
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!raw.empty() && blank(raw.front()))
        raw.remove_prefix(1);
    while (!raw.empty() && blank(raw.back()))
        raw.remove_suffix(1);
    return Cp1252ToUtf8(raw);
}

}  // namespace

void ReadId3v1(Tid3v2& tag, TSeekableStream& stream) {
    uint8_t raw[kTagSize];
    {
        // A file shorter than the tag fails as the short read of those 128 bytes.
        const TStrictScope strict(stream, true);
        stream.Seek(std::max<int64_t>(stream.Size() - kTagSize, 0));
        stream.Read(raw, kTagSize);
    }
    if (std::memcmp(raw, "TAG", 3) != 0) return;

    tag.TagKind = 1;
    for (const TField& field : {kTitle, kArtist, kAlbum, kYear}) {
        tag.AddFrame(field.FrameID,
                     std::make_unique<Tid3text>(field.FrameID, FieldText(raw, field)));
    }
    tag.AddFrame(kComment.FrameID, std::make_unique<Tid3comment>("", FieldText(raw, kComment)));
    tag.AddFrame(kTrack.FrameID,
                 std::make_unique<Tid3text>(kTrack.FrameID, FieldText(raw, kTrack)));
    tag.AddFrame("TCON", std::make_unique<Tid3text>("TCON", GenreNames[raw[kGenreOffset]]));
}

}  // namespace tracklore
