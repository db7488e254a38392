// The tag reader: the ID3v2 tag at the start of an MP3 file (versions 2 to 4), or else the
// ID3v1 tag at its end, read into a store of frames keyed by four-letter identifiers; and,
// when asked, the MPEG audio analysis of the audio that follows the tag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "media/mpeg_audio.h"
#include "streams/stream.h"

namespace tracklore {

/// A tag is broken or cannot be read; carries the message text.
class Eid3v2 : public std::runtime_error {
public:
    explicit Eid3v2(const std::string& message) : std::runtime_error(message) {}
};

/// A frame header as read from the tag, its size already decoded.
struct Tid3FrameHeader {
    std::string FrameID;  ///< four characters (version-2 identifiers already mapped)
    uint32_t FrameSize = 0;
    uint8_t StatusFlags = 0;
    uint8_t FormatFlags = 0;
    /// Bytes at the start of the data that are not content: a version-4 frame's group
    /// identity (format flag 0x40) and data length (format flag 0x01).
    uint8_t PrefixBytes = 0;
};

/// Any frame: identifier, flags and the data bytes as stored (unsynchronisation removed).
class Tid3frame {
public:
    /// Reads the frame's FrameSize data bytes from `stream` (a short read raises the
    /// stream's error).
    Tid3frame(const Tid3FrameHeader& header, TSeekableStream& stream);
    virtual ~Tid3frame() = default;

    /// The frame's text for display: the decoded text of text and comment frames, the URL
    /// of URL frames, a short description of the data for other frames.
    virtual std::string DisplayText() const;

    std::string FrameID;
    uint32_t FrameSize = 0;
    uint8_t StatusFlags = 0;
    uint8_t FormatFlags = 0;
    std::vector<uint8_t> Data;

protected:
    explicit Tid3frame(std::string frameID) : FrameID(std::move(frameID)) {}
};

/// A text frame ("T..."): encoding and the decoded text in UTF-8, kept raw (a stored
/// terminator stays part of the text).
class Tid3text : public Tid3frame {
public:
    Tid3text(const Tid3FrameHeader& header, TSeekableStream& stream);
    /// A frame made from an ID3v1 field: encoding 0.
    Tid3text(std::string frameID, std::string text);
    std::string DisplayText() const override { return Text; }

    uint8_t Encoding = 0;
    std::string Text;
};

/// A URL frame ("W..."): for "WXXX" an encoding and a description, for the others only
/// the URL.
class Tid3web : public Tid3frame {
public:
    Tid3web(const Tid3FrameHeader& header, TSeekableStream& stream);
    std::string DisplayText() const override { return URL; }

    uint8_t Encoding = 0;
    std::string Description;
    std::string URL;
};

/// A comment frame ("COMM"): encoding, description and text (the language is skipped).
class Tid3comment : public Tid3frame {
public:
    Tid3comment(const Tid3FrameHeader& header, TSeekableStream& stream);
    /// A frame made from an ID3v1 field: encoding 0.
    Tid3comment(std::string description, std::string text);
    std::string DisplayText() const override { return Text; }

    uint8_t Encoding = 0;
    std::string Description;
    std::string Text;
};

class Tid3v2 {
public:
    /// Stores the name; raises Eid3v2 "%s: File not found!" when the path does not exist;
    /// otherwise opens the file and runs LoadTags.
    Tid3v2(const std::string& fileName, bool withAudio);
    /// Reads from `stream` instead of opening a file; `fileName` is used in messages only.
    /// For tests and fuzzing.
    Tid3v2(const std::string& fileName, TSeekableStream& stream, bool withAudio);
    ~Tid3v2();

    Tid3v2(const Tid3v2&) = delete;
    Tid3v2& operator=(const Tid3v2&) = delete;

    /// Reads the tags again (frames and audio of an earlier load are released first).
    void LoadTags(bool withAudio);

    /// The frame stored under `frameID`, or nullptr.
    Tid3frame* FindFrame(std::string_view frameID) const;
    /// Stores `frame` under `frameID`, replacing a frame stored there in its place in the
    /// list. Raises Eid3v2 when the frame's own identifier differs.
    void AddFrame(std::string_view frameID, std::unique_ptr<Tid3frame> frame);
    /// The frames in the order they were first added.
    const std::vector<std::unique_ptr<Tid3frame>>& Frames() const { return frames_; }

    const std::string& FileName() const { return fileName_; }
    /// The ID3v2 tag's major version (0 when the file has none).
    uint8_t MajorVersion() const { return majorVersion_; }

    uint8_t TagKind = 0;  ///< 0 no tag, 1 ID3v1, 2 ID3v2
    int64_t FileLength = 0;
    /// Where the audio starts: behind the ID3v2 tag (and its footer), else 0.
    int64_t AudioStart = 0;
    std::unique_ptr<TMPEGAudio> Audio;

private:
    void Load(TSeekableStream& stream, bool withAudio);

    std::string fileName_;
    TSeekableStream* stream_ = nullptr;  // the caller's stream, or nullptr to open the file
    uint8_t majorVersion_ = 0;
    std::vector<std::unique_ptr<Tid3frame>> frames_;
    // Where each identifier's frame stands in frames_: a tag of many different frames would
    // otherwise cost a walk of the list per frame.
    std::unordered_map<std::string, size_t> positions_;
};

/// Undoes unsynchronisation in place: every byte pair FF 00 becomes FF (an FF as the very
/// last byte stays).
void RemoveUnsynchronisation(std::vector<uint8_t>& data);

/// Reads the 128-byte ID3v1 tag at the end of `stream` into `tag` (frames TIT2, TPE1, TALB,
/// TYER, COMM, TRCK, TCON; TagKind 1) when it starts with "TAG". A stream shorter than 128
/// bytes raises the stream's read error.
void ReadId3v1(Tid3v2& tag, TSeekableStream& stream);

}  // namespace tracklore
