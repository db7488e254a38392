#include "media/id3v2.h"

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "core/convert.h"
#include "media/media_input.h"
#include "tests/support/id3_builder.h"
#include "tests/support/memory_stream.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using namespace test;

// A tag object read from bytes in memory, with the stream it reads from.
struct TLoaded {
    explicit TLoaded(const std::string& bytes, bool withAudio = false)
        : input(ToBytes(bytes)), tag(std::make_unique<Tid3v2>("x.mp3", input, withAudio)) {}
    TMediaInput input;
    std::unique_ptr<Tid3v2> tag;
};

// Notes where the reader moves: its first seek goes to the start, the next one to the
// audio (when there is nothing to skip inside the tag).
class TSeekLog : public TMediaInput {
public:
    explicit TSeekLog(const std::string& bytes) : TMediaInput(ToBytes(bytes)) {}
    void Seek(int64_t offset) override {
        seeks.push_back(offset);
        TMediaInput::Seek(offset);
    }
    std::vector<int64_t> seeks;
};

int64_t AudioStartOf(const std::string& bytes) {
    TSeekLog input(bytes);
    Tid3v2 tag("x.mp3", input, true);
    EXPECT_NE(tag.Audio, nullptr);
    return input.seeks.size() > 1 ? input.seeks[1] : -1;
}

std::string TextOf(const Tid3v2& tag, const std::string& id) {
    auto* frame = dynamic_cast<Tid3text*>(tag.FindFrame(id));
    return frame ? frame->Text : "<missing>";
}

const Tid3comment& CommentOf(const TLoaded& loaded) {
    auto* frame = dynamic_cast<Tid3comment*>(loaded.tag->FindFrame("COMM"));
    if (!frame) throw std::runtime_error("no comment frame");
    return *frame;
}

template <typename E>
void ExpectError(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no error, expected: " << message;
    } catch (const E& error) {
        EXPECT_EQ(error.what(), message);
    }
}

void ExpectTagError(const std::string& bytes, const std::string& message) {
    ExpectError<Eid3v2>([&] { TLoaded loaded(bytes); }, message);
}

void ExpectShortRead(const std::string& bytes) {
    ExpectError<EInOutError>([&] { TLoaded loaded(bytes); }, "Read less than expected");
}

// ---- tag header and audio start ----

TEST(Id3v2Header, EmptyTagLeavesFramesOutAndAnalysesAudioAfterIt) {
    const TLoaded loaded(Id3Tag(3, "") + AudioFrames(5) + Id3v1Tag("Ignored"), true);
    EXPECT_EQ(loaded.tag->TagKind, 2);
    EXPECT_TRUE(loaded.tag->Frames().empty());
    ASSERT_NE(loaded.tag->Audio, nullptr);
    EXPECT_EQ(loaded.tag->Audio->SampleRate, 48000);
}

TEST(Id3v2Header, TagSizeIsSynchsafeAndAudioStartsBehindIt) {
    std::string body = Id3TextFrame(3, "TIT2", "ab");
    body += std::string(257 - body.size(), '\0');
    const std::string tag = Id3Tag(3, body);
    ASSERT_EQ(Hex(ToBytes(tag.substr(6, 4))), "00 00 02 01");
    EXPECT_EQ(AudioStartOf(tag + AudioFrames(4)), 267);
}

TEST(Id3v2Header, Version4FooterIsSkippedBeforeTheAudio) {
    const std::string footer = std::string("3DI\4\0\x10", 6) + SynchsafeBytes(0);
    EXPECT_EQ(AudioStartOf(Id3Tag(4, "", 0x10) + footer + AudioFrames(3)), 20);
}

TEST(Id3v2Header, FileShorterThanTheHeaderFailsAsShortRead) {
    ExpectShortRead("ID3\3\0");
}

TEST(Id3v2Header, VersionAboveFourIsRefusedAtTheFirstFrame) {
    ExpectTagError(Id3Tag(5, Id3TextFrame(4, "TIT2", "a")), "Unsupported version encountered!");
}

TEST(Id3v2Header, TagSizeBeyondTheFileFailsAsShortReadWhenUnsynchronised) {
    ExpectShortRead(Id3Header(3, 5000, 0x80) + Id3TextFrame(3, "TIT2", "a"));
}

// ---- extended header ----

TEST(Id3v2ExtendedHeader, Version3SizeLeavesOutItsOwnFourBytes) {
    // Six bytes left after the frame: too few for a header once the size field's four
    // bytes are counted. Counted wrongly, a header would be read into the audio.
    const std::string body =
        SynchsafeBytes(6) + std::string(6, '\0') + Id3TextFrame(3, "TIT2", "a") + "ABCDEF";
    const TLoaded loaded(Id3Tag(3, body, 0x40) + AudioFrames(2));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "a");
    EXPECT_EQ(loaded.tag->Frames().size(), 1u);
}

TEST(Id3v2ExtendedHeader, Version4SizeCountsItsOwnFourBytes) {
    const std::string body =
        SynchsafeBytes(6) + std::string("\x01\x00", 2) + Id3TextFrame(4, "TIT2", "a");
    const TLoaded loaded(Id3Tag(4, body, 0x40));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "a");
}

TEST(Id3v2ExtendedHeader, SizeBeyondTheFileFailsAsShortRead) {
    ExpectShortRead(Id3Tag(3, SynchsafeBytes(0x0FFFFFFF) + std::string(20, '\0'), 0x40));
}

// ---- frame loop ----

TEST(Id3v2Frames, Version4FrameSizeIsSynchsafe) {
    // Size bytes 00 00 01 7F: 255 in version 4, 383 in version 3.
    const std::string data = '\0' + std::string(254, 'x');
    const TLoaded v4(Id3Tag(4, "TIT2" + std::string("\0\0\1\x7F\0\0", 6) + data));
    EXPECT_EQ(TextOf(*v4.tag, "TIT2").size(), 254u);
    const std::string data3 = '\0' + std::string(382, 'x');
    const TLoaded v3(Id3Tag(3, "TIT2" + std::string("\0\0\1\x7F\0\0", 6) + data3));
    EXPECT_EQ(TextOf(*v3.tag, "TIT2").size(), 382u);
}

TEST(Id3v2Frames, FrameLargerThanTheTagRaisesMismatch) {
    const std::string body = "TIT2" + BigEndianBytes(50, 4) + std::string(12, '\0');
    ExpectTagError(Id3Tag(3, body) + std::string(200, '\0'),
                   "A chunck in the file x.mp3 has a mismatching size of 50 where 20 remaining");
}

TEST(Id3v2Frames, MismatchShowsSizesBeyondThirtyOneBits) {
    const std::string body = "PRIV" + BigEndianBytes(0xF0000000u, 4) + std::string(12, '\0');
    ExpectTagError(Id3Tag(3, body),
                   "A chunck in the file x.mp3 has a mismatching size of 4026531840 where 20 "
                   "remaining");
}

TEST(Id3v2Frames, FrameBeyondTheFileFailsAsShortRead) {
    // The tag claims room for the frame; the file ends first.
    ExpectShortRead(Id3Header(3, 0x0FFFFFFF) + "PRIV" + BigEndianBytes(0x0FFFFF00, 4) +
                    std::string(2, '\0') + "abc");
}

TEST(Id3v2Frames, ZeroBytesEndTheFrameLoopQuietly) {
    const TLoaded loaded(Id3Tag(3, Id3TextFrame(3, "TIT2", "a") + std::string(40, '\0')));
    EXPECT_EQ(loaded.tag->Frames().size(), 1u);
}

TEST(Id3v2Frames, LowerCaseIdentifierIsAnInvalidChunk) {
    ExpectTagError(Id3Tag(3, Id3TextFrame(3, "tit2", "a")),
                   "x.mp3: tit2 is an invalid chunk type (did I get out of synch?)");
}

TEST(Id3v2Frames, UnprintableIdentifierBytesShowAsQuestionMarks) {
    ExpectTagError(Id3Tag(3, Id3Frame(3, std::string("\xFF\xFB\0A", 4), "")),
                   "x.mp3: ??"
                   "?A is an invalid chunk type (did I get out of synch?)");
}

TEST(Id3v2Frames, LaterFrameReplacesEarlierInItsPlace) {
    const TLoaded loaded(Id3Tag(3, Id3TextFrame(3, "TPE1", "first") + Id3TextFrame(3, "TIT2", "t") +
                                       Id3TextFrame(3, "TPE1", "second")));
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), "second");
    ASSERT_EQ(loaded.tag->Frames().size(), 2u);
    EXPECT_EQ(loaded.tag->Frames()[0]->FrameID, "TPE1");
}

TEST(Id3v2Frames, OtherFramesKeepTheirDataAndFlags) {
    const TLoaded loaded(Id3Tag(3, Id3Frame(3, "PRIV", std::string("ab\0c", 4), 0x40, 0x80)));
    const Tid3frame* frame = loaded.tag->FindFrame("PRIV");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Hex(frame->Data), "61 62 00 63");
    EXPECT_EQ(frame->StatusFlags, 0x80);
    EXPECT_EQ(frame->FormatFlags, 0x40);
    EXPECT_EQ(frame->DisplayText(), "61 62 00 63");
}

TEST(Id3v2Frames, FrameUnsynchronisationIsRemoved) {
    const std::string data = std::string("\0a\xFF\0\xE0\xFF", 6);
    const TLoaded loaded(Id3Tag(4, Id3Frame(4, "PRIV", data, 0x02) + Id3Frame(4, "TIT2", data)));
    const Tid3frame* raw = loaded.tag->FindFrame("PRIV");
    EXPECT_EQ(Hex(raw->Data), "00 61 FF E0 FF");
    EXPECT_EQ(raw->FormatFlags, 0);
    EXPECT_EQ(loaded.tag->FindFrame("TIT2")->Data.size(), 6u);  // no flag, kept as stored
}

TEST(Id3v2Frames, UrlFramesTakeTheWholeDataOrADescription) {
    const TLoaded loaded(Id3Tag(3, Id3Frame(3, "WOAR", "http://a") +
                                       Id3Frame(3, "WXXX", std::string("\0home\0http://b", 14))));
    EXPECT_EQ(dynamic_cast<Tid3web*>(loaded.tag->FindFrame("WOAR"))->URL, "http://a");
    auto* wxxx = dynamic_cast<Tid3web*>(loaded.tag->FindFrame("WXXX"));
    EXPECT_EQ(wxxx->Description, "home");
    EXPECT_EQ(wxxx->URL, "http://b");
}

// ---- texts ----

TEST(Id3v2Text, Utf16WithEitherByteOrderMarkAndEncoding2) {
    const TLoaded loaded(
        Id3Tag(3, Id3TextFrame(3, "TIT2", std::string("\xFF\xFEH\0i\0", 6), 1) +
                      Id3TextFrame(3, "TPE1", std::string("\xFE\xFF\0H\0i", 6), 1) +
                      Id3TextFrame(3, "TALB", std::string("\0H\0i", 4), 2)));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Hi");
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), "Hi");
    EXPECT_EQ(TextOf(*loaded.tag, "TALB"), "Hi");
}

TEST(Id3v2Text, Utf16WithoutMarkIsLittleEndianFromTheFirstByte) {
    const TLoaded loaded(Id3Tag(3, Id3TextFrame(3, "TIT2", std::string("H\0i\0", 4), 1)));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Hi");
}

TEST(Id3v2Text, Utf16DropsAnOddLastByte) {
    const TLoaded loaded(Id3Tag(3, Id3TextFrame(3, "TIT2", std::string("\xFF\xFEH\0i", 5), 1)));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "H");
}

TEST(Id3v2Text, EightBitTextIsWindows1252) {
    const TLoaded loaded(Id3Tag(3, Id3TextFrame(3, "TIT2", "Caf\xE9 \x80")));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Café €");
}

TEST(Id3v2Text, Utf8IsKeptAndBrokenUtf8IsTakenAsWindows1252) {
    const TLoaded loaded(
        Id3Tag(4, Id3TextFrame(4, "TIT2", "Café", 3) + Id3TextFrame(4, "TPE1", "Caf\xE9", 3)));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Café");
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), "Café");
}

TEST(Id3v2Text, StoredTerminatorStaysPartOfTheText) {
    const TLoaded loaded(Id3Tag(3, Id3TextFrame(3, "TCON", std::string("Rock\0", 5))));
    EXPECT_EQ(TextOf(*loaded.tag, "TCON"), std::string("Rock\0", 5));
}

TEST(Id3v2Text, EmptyFrameHasEncodingZeroAndNoText) {
    const TLoaded loaded(Id3Tag(3, Id3Frame(3, "TIT2", "")));
    auto* frame = dynamic_cast<Tid3text*>(loaded.tag->FindFrame("TIT2"));
    EXPECT_EQ(frame->Encoding, 0);
    EXPECT_EQ(frame->Text, "");
}

TEST(Id3v2Text, UnknownEncodingIsRefused) {
    ExpectTagError(Id3Tag(3, Id3TextFrame(3, "TIT2", "a", 5)), "Unsupported encoding 5");
}

// ---- comments ----

TEST(Id3v2Comment, Utf16EmptyDescriptionWithMark) {
    const TLoaded loaded(Id3Tag(3, Id3Frame(3, "COMM",
                                            std::string("\1eng\xFF\xFE\0\0\xFF\xFE"
                                                        "a\0",
                                                        12))));
    EXPECT_EQ(CommentOf(loaded).Description, "");
    EXPECT_EQ(CommentOf(loaded).Text, "a");
}

TEST(Id3v2Comment, Utf16EmptyDescriptionWithoutMarkKeepsTheText) {
    const TLoaded loaded(Id3Tag(3, Id3Frame(3, "COMM",
                                            std::string("\1eng\0\0\xFF\xFE"
                                                        "a\0",
                                                        10))));
    EXPECT_EQ(CommentOf(loaded).Description, "");
    EXPECT_EQ(CommentOf(loaded).Text, "a");
}

TEST(Id3v2Comment, EightBitDescriptionAndText) {
    const TLoaded loaded(Id3Tag(3, Id3Frame(3, "COMM", std::string("\0engdesc\0text", 13))));
    EXPECT_EQ(CommentOf(loaded).Description, "desc");
    EXPECT_EQ(CommentOf(loaded).Text, "text");
}

TEST(Id3v2Comment, MissingTerminatorLeavesTheTextEmpty) {
    const TLoaded loaded(Id3Tag(3, Id3Frame(3, "COMM", std::string("\0engdesc", 8))));
    EXPECT_EQ(CommentOf(loaded).Description, "desc");
    EXPECT_EQ(CommentOf(loaded).Text, "");
}

TEST(Id3v2Comment, FewerThanFiveBytesIsBuggy) {
    ExpectTagError(Id3Tag(3, Id3Frame(3, "COMM", std::string("\0eng", 4))),
                   "An error occured while parsing the data - tag is buggy");
}

}  // namespace
}  // namespace tracklore
