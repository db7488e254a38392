// Tests of the version-2 tag reader: headers, flags, sizes and broken tags.
#include "media/id3v2.h"

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "core/convert.h"
#include "media/media_input.h"
#include "tests/support/id3_builder.h"
#include "tests/support/id3_reading.h"
#include "tests/support/memory_stream.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using namespace test;

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

TEST(Id3v2Header, CallersStreamKeepsItsStrictness) {
    TMediaInput input(ToBytes(Id3Tag(3, Id3TextFrame(3, "TIT2", "a")) + AudioFrames(2)));
    input.SetStrict(false);
    Tid3v2 tag("x.mp3", input, true);
    EXPECT_FALSE(input.Strict());
    TMediaInput shortInput(ToBytes("ID3"));
    shortInput.SetStrict(false);
    EXPECT_THROW(Tid3v2("x.mp3", shortInput, false), EInOutError);
    EXPECT_FALSE(shortInput.Strict());
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

TEST(Id3v2Frames, ManyDistinctFramesKeepTheirOrderAndReplacementsTheirPlace) {
    constexpr size_t kCount = 5000;
    std::string body = ManyFramesBody(kCount);
    // Later frames under identifiers met before replace those in their places.
    body += Id3TextFrame(3, "TPE1", "first") + Id3TextFrame(3, ManyFramesID(7), "x");
    body += Id3TextFrame(3, "TPE1", "second");
    const TLoaded loaded(Id3Tag(3, body));
    const auto& frames = loaded.tag->Frames();
    ASSERT_EQ(frames.size(), kCount + 1);
    for (size_t i = 0; i < kCount; ++i) {
        ASSERT_EQ(frames[i]->FrameID, ManyFramesID(i));
        ASSERT_EQ(loaded.tag->FindFrame(ManyFramesID(i)), frames[i].get());
    }
    EXPECT_EQ(frames[kCount]->FrameID, "TPE1");
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), "second");
    EXPECT_EQ(Hex(frames[7]->Data), "00 78");
    EXPECT_EQ(loaded.tag->FindFrame("TIT2"), nullptr);
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

TEST(Id3v2Frames, Version4DataLengthAndGroupBytesAreNotPartOfTheText) {
    const std::string title = std::string("\0Hello", 6);
    const TLoaded loaded(Id3Tag(
        4, Id3Frame(4, "TIT2", SynchsafeBytes(6) + title, 0x01) +
               Id3Frame(4, "TPE1", "\x07" + SynchsafeBytes(4) + std::string("\0Abc", 4), 0x41) +
               Id3Frame(4, "TALB", "\x07" + std::string("\0Xy", 3), 0x40)));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Hello");
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), "Abc");
    EXPECT_EQ(TextOf(*loaded.tag, "TALB"), "Xy");
}

TEST(Id3v2Frames, DataLengthFlagOfATooShortFrameLeavesNoData) {
    const TLoaded loaded(Id3Tag(4, Id3Frame(4, "TIT2", "ab", 0x01)));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "");
}

TEST(Id3v2Frames, UrlFramesTakeTheWholeDataOrADescription) {
    const TLoaded loaded(Id3Tag(3, Id3Frame(3, "WOAR", "http://a") +
                                       Id3Frame(3, "WXXX", std::string("\0home\0http://b", 14))));
    EXPECT_EQ(dynamic_cast<Tid3web*>(loaded.tag->FindFrame("WOAR"))->URL, "http://a");
    auto* wxxx = dynamic_cast<Tid3web*>(loaded.tag->FindFrame("WXXX"));
    EXPECT_EQ(wxxx->Description, "home");
    EXPECT_EQ(wxxx->URL, "http://b");
}

// ---- version 2 ----

TEST(Id3v2Version2, SixByteFrameHeadersMapToTheLaterNames) {
    const std::string body = Id3TextFrame(2, "TT2", "title") + Id3TextFrame(2, "TP1", "artist") +
                             Id3TextFrame(2, "TAL", "album") + Id3TextFrame(2, "TYE", "1999") +
                             Id3Frame(2, "COM", std::string("\0engd\0comment", 13)) +
                             Id3TextFrame(2, "TCO", "(17)") + Id3TextFrame(2, "TRK", "3/9") +
                             Id3Frame(2, "WXX", std::string("\0d\0http://a", 11));
    const TLoaded loaded(Id3Tag(2, body + std::string(30, '\0')));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "title");
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), "artist");
    EXPECT_EQ(TextOf(*loaded.tag, "TALB"), "album");
    EXPECT_EQ(TextOf(*loaded.tag, "TYER"), "1999");
    EXPECT_EQ(CommentOf(loaded).Text, "comment");
    EXPECT_EQ(TextOf(*loaded.tag, "TCON"), "(17)");
    EXPECT_EQ(TextOf(*loaded.tag, "TRCK"), "3/9");
    EXPECT_EQ(dynamic_cast<Tid3web*>(loaded.tag->FindFrame("WXXX"))->URL, "http://a");
}

TEST(Id3v2Version2, OtherIdentifiersKeepTheirThreeLetters) {
    const TLoaded loaded(
        Id3Tag(2, Id3TextFrame(2, "TEN", "lame") + Id3Frame(2, "PIC", std::string("\1\2", 2))));
    EXPECT_EQ(TextOf(*loaded.tag, "TEN"), "lame");
    ASSERT_NE(loaded.tag->FindFrame("PIC"), nullptr);
    EXPECT_EQ(Hex(loaded.tag->FindFrame("PIC")->Data), "01 02");
}

TEST(Id3v2Version2, CompressedTagKeepsNoFramesButTheAudio) {
    const TLoaded loaded(Id3Tag(2, Id3TextFrame(2, "TT2", "x"), 0x40) + AudioFrames(3), true);
    EXPECT_EQ(loaded.tag->TagKind, 2);
    EXPECT_TRUE(loaded.tag->Frames().empty());
    EXPECT_EQ(loaded.tag->Audio->FrameCount, 3u);
}

// ---- unsynchronised tags ----

TEST(Id3v2Unsynchronised, WholeBodyIsRestoredBeforeFramesAreRead) {
    // The frame size counts the bytes as they are before unsynchronisation.
    const std::string frames = Id3TextFrame(3, "TIT2",
                                            std::string("\xFF\xFE"
                                                        "H\0",
                                                        4),
                                            1) +
                               Id3Frame(3, "PRIV", "\xFF\xF0\xFF");
    const std::string body = Unsynchronise(frames);
    ASSERT_GT(body.size(), frames.size());
    const TLoaded loaded(Id3Tag(3, body, 0x80) + AudioFrames(2), true);
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "H");
    EXPECT_EQ(Hex(loaded.tag->FindFrame("PRIV")->Data), "FF F0 FF");
    EXPECT_EQ(loaded.tag->Audio->FrameCount, 2u);
}

TEST(Id3v2Unsynchronised, Version4KeepsTheBodyAsStored) {
    // Version 4 marks unsynchronisation per frame; the header flag alone changes nothing.
    const std::string data = std::string("\xFF\0\xE0", 3);
    const TLoaded loaded(Id3Tag(4, Id3Frame(4, "PRIV", data), 0x80));
    EXPECT_EQ(Hex(loaded.tag->FindFrame("PRIV")->Data), "FF 00 E0");
}

// ---- files ----

TEST(Id3v2Files, MissingFileIsATagError) {
    TTempDir dir;
    const std::string path = dir.Path("none.mp3");
    ExpectError<Eid3v2>([&] { Tid3v2 tag(path, false); }, path + ": File not found!");
}

TEST(Id3v2Files, ReadsTagAndAudioFromAFile) {
    TTempDir dir;
    const std::string path = dir.Path("a.mp3");
    const std::string bytes = Id3Tag(4, Id3TextFrame(4, "TIT2", "Song", 3)) + AudioFrames(6);
    WriteFileBytes(path, bytes);
    Tid3v2 tag(path, true);
    EXPECT_EQ(tag.FileLength, static_cast<int64_t>(bytes.size()));
    EXPECT_EQ(TextOf(tag, "TIT2"), "Song");
    EXPECT_EQ(tag.Audio->FrameCount, 6u);
    EXPECT_EQ(tag.MajorVersion(), 4);
}

TEST(Id3v2Files, LoadingAgainReplacesEverything) {
    TTempDir dir;
    const std::string path = dir.Path("a.mp3");
    WriteFileBytes(path, Id3Tag(3, Id3TextFrame(3, "TIT2", "one")) + AudioFrames(2));
    Tid3v2 tag(path, true);
    WriteFileBytes(path, std::string(30, 'x') + AudioFrames(2) + Id3v1Tag("two"));
    tag.LoadTags(false);
    EXPECT_EQ(tag.TagKind, 1);
    EXPECT_EQ(tag.Audio, nullptr);
    EXPECT_EQ(TextOf(tag, "TIT2"), "two");
    EXPECT_EQ(tag.Frames().size(), 7u);
}

}  // namespace
}  // namespace tracklore
