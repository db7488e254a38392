// Tests of selecting by template record and by field.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "tests/support/catalogue_ids.h"
#include "tests/support/error_text.h"
#include "tests/support/record_builder.h"

namespace tracklore {
namespace {

using test::IdsInSlotOrder;

using test::MakeRecord;

TrackRecord AnyPattern() {
    return MakeRecord({.Genre = kGenreNone});
}

// Three records: The Beatles (Rock 17, 3:05), Abba (Blues 0, 2:59), Heartbeat (Blues, 3:00).
class Selection : public testing::Test {
protected:
    void SetUp() override {
        Add("The Beatles", "Help", 17, 185, "1965", 36000.5);
        Add("Abba", "Waterloo", 0, 179, "1974", 27000.0);
        Add("Heartbeat", "Été indien", 0, 180, "1999", 40000.25);
    }

    void Add(const char* artist, const char* title, uint8_t genre, uint16_t seconds,
             const char* year, double date) {
        TrackRecord record = MakeRecord({.Volume = "MUSIC",
                                         .Filename = std::string("/Music/") + artist + ".mp3",
                                         .Artist = artist,
                                         .Title = title,
                                         .Year = year,
                                         .PlayLength = seconds,
                                         .Genre = genre,
                                         .FileDate = date});
        catalogue_.Insert(record);
    }

    std::vector<int32_t> ByField(TrackField code, FieldValue value, bool exact) {
        return IdsInSlotOrder(*catalogue_.SelectByField(code, value, exact));
    }

    TTracklore catalogue_;
};

// Records sharing one text object, one after another and apart again, each get the
// answer of their own text.
TEST(SelectionSharedTexts, SharedAndAlternatingTextsAreEachTested) {
    TTracklore catalogue;
    const SharedText abba = "Abba";
    const SharedText beatles = "Beatles";
    for (const SharedText* artist : {&abba, &abba, &beatles, &abba, &beatles}) {
        TrackRecord record;
        record.Artist = *artist;
        catalogue.Insert(record);
    }
    TrackRecord pattern;
    pattern.Genre = kGenreNone;
    pattern.Artist = "BB";
    EXPECT_EQ(test::IdsInSlotOrder(*catalogue.SelectByTemplate(pattern)),
              (std::vector<int32_t>{1, 2, 4}));
    pattern.Artist = "les";
    EXPECT_EQ(test::IdsInSlotOrder(*catalogue.SelectByTemplate(pattern)),
              (std::vector<int32_t>{3, 5}));
}

TEST_F(Selection, PatternIdMinusOneMatchesEverythingWhateverItsTexts) {
    TrackRecord pattern;
    pattern.ID = kEndID;
    pattern.Artist = "nobody at all";
    pattern.Genre = 99;
    EXPECT_EQ(IdsInSlotOrder(*catalogue_.SelectByTemplate(pattern)),
              (std::vector<int32_t>{1, 2, 3}));
}

TEST_F(Selection, EmptyPatternWithAnyGenreMatchesEverything) {
    EXPECT_EQ(IdsInSlotOrder(*catalogue_.SelectByTemplate(AnyPattern())),
              (std::vector<int32_t>{1, 2, 3}));
}

TEST_F(Selection, PatternGenreOtherThanNoneMustBeEqual) {
    TrackRecord pattern;  // Genre 0 is Blues, not "any"
    EXPECT_EQ(IdsInSlotOrder(*catalogue_.SelectByTemplate(pattern)), (std::vector<int32_t>{2, 3}));
}

TEST_F(Selection, PatternIdOtherThanZeroMustBeEqual) {
    TrackRecord pattern = AnyPattern();
    pattern.ID = 2;
    EXPECT_EQ(IdsInSlotOrder(*catalogue_.SelectByTemplate(pattern)), (std::vector<int32_t>{2}));
}

TEST_F(Selection, PatternTextsOccurAnywhereIgnoringCase) {
    TrackRecord pattern = AnyPattern();
    pattern.Artist = "beat";
    EXPECT_EQ(IdsInSlotOrder(*catalogue_.SelectByTemplate(pattern)), (std::vector<int32_t>{1, 3}));
    pattern.Year = "199";
    EXPECT_EQ(IdsInSlotOrder(*catalogue_.SelectByTemplate(pattern)), (std::vector<int32_t>{3}));
}

TEST_F(Selection, PatternCaseFoldingCoversAccentedLetters) {
    TrackRecord pattern = AnyPattern();
    pattern.Title = "ÉTÉ";
    EXPECT_EQ(IdsInSlotOrder(*catalogue_.SelectByTemplate(pattern)), (std::vector<int32_t>{3}));
}

TEST_F(Selection, EveryPatternTextMustOccur) {
    TrackRecord pattern = AnyPattern();
    pattern.Volume = "music";
    pattern.Filename = "abba.MP3";
    EXPECT_TRUE(catalogue_.MatchesPattern(pattern, *catalogue_.SlotRecord(1)));
    pattern.Comment = "x";
    EXPECT_FALSE(catalogue_.MatchesPattern(pattern, *catalogue_.SlotRecord(1)));
}

TEST_F(Selection, PatternIgnoresNumbersOtherThanIdAndGenre) {
    TrackRecord pattern = AnyPattern();
    pattern.PlayLength = 1;
    pattern.SampleRate = 2;
    pattern.BitRate = 3;
    pattern.FileSize = 4;
    pattern.FileDate = 5;
    EXPECT_TRUE(catalogue_.MatchesPattern(pattern, *catalogue_.SlotRecord(0)));
}

TEST_F(Selection, ResultSetOfResultSetNarrowsInSlotOrder) {
    TrackRecord blues;
    auto first = catalogue_.SelectByTemplate(blues);
    TrackRecord pattern = AnyPattern();
    pattern.Artist = "a";
    auto second = first->SelectByTemplate(pattern);
    EXPECT_EQ(second->Parent(), first.get());
    EXPECT_EQ(IdsInSlotOrder(*second), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(second->SlotRecord(0), catalogue_.SlotRecord(1));
}

TEST_F(Selection, SelectWhereHandsContextToThePredicate) {
    int calls = 0;
    auto longer = catalogue_.SelectWhere(
        [](void* context, const TrackRecord& record) {
            ++*static_cast<int*>(context);
            return record.PlayLength >= 180;
        },
        &calls);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(IdsInSlotOrder(*longer), (std::vector<int32_t>{1, 3}));
}

// Twins (a loaded file may repeat an identifier) are told apart by the predicate, the
// identifier lookups stay right afterwards, and a result set only lets go of its references.
TEST(SelectionDelete, DeleteWhereRemovesExactlyTheMatchingRecords) {
    TTracklore catalogue;
    for (const char* volume : {"B", "A", "B", "A"}) {
        TrackRecord record;
        record.ID = 7;
        record.Volume = volume;
        catalogue.InsertAsStored(record);
    }
    TrackRecord other;
    catalogue.Insert(other);  // ID 8, volume ""
    auto all = catalogue.SelectWhere([](void*, const TrackRecord&) { return true; }, nullptr);
    std::string volume = "A";
    const auto isVolume = [](void* wanted, const TrackRecord& record) {
        return record.Volume.view() == *static_cast<std::string*>(wanted);
    };

    EXPECT_EQ(all->DeleteWhere(isVolume, &volume), 2);
    EXPECT_EQ(all->Count(), 3);
    EXPECT_EQ(catalogue.Count(), 5);
    EXPECT_EQ(catalogue.DeleteWhere(isVolume, &volume), 2);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{7, 7, 8}));
    for (int slot : {0, 2})
        EXPECT_EQ(catalogue.SlotRecord(slot)->Volume.view(), "B");
    TrackRecord found;
    catalogue.GetByID(8, found);
    EXPECT_EQ(found.ID, 8);
    catalogue.Delete(found);
    EXPECT_EQ(catalogue.Count(), 2);
    volume = "none";
    EXPECT_EQ(catalogue.DeleteWhere(isVolume, &volume), 0);
}

TEST_F(Selection, FieldTextExactCountsCaseInexactDoesNot) {
    EXPECT_TRUE(ByField(TrackField::Artist, std::string("the beatles"), true).empty());
    EXPECT_EQ(ByField(TrackField::Artist, std::string("the beatles"), false),
              (std::vector<int32_t>{1}));
    EXPECT_EQ(ByField(TrackField::Artist, std::string("The Beatles"), true),
              (std::vector<int32_t>{1}));
    EXPECT_TRUE(ByField(TrackField::Artist, std::string("Beatles"), true).empty());
}

TEST_F(Selection, FieldPlayLengthInexactSelectsShorterTracks) {
    EXPECT_EQ(ByField(TrackField::PlayLength, int64_t{180}, false), (std::vector<int32_t>{2}));
    EXPECT_EQ(ByField(TrackField::PlayLength, int64_t{180}, true), (std::vector<int32_t>{3}));
}

TEST_F(Selection, FieldDateInexactSelectsLaterFiles) {
    EXPECT_EQ(ByField(TrackField::FileDate, 36000.5, false), (std::vector<int32_t>{3}));
    EXPECT_EQ(ByField(TrackField::FileDate, 36000.5, true), (std::vector<int32_t>{1}));
}

TEST_F(Selection, FieldNumbersCompareEqualWhateverTheFlag) {
    EXPECT_EQ(ByField(TrackField::ID, int64_t{2}, false), (std::vector<int32_t>{2}));
    EXPECT_EQ(ByField(TrackField::Genre, int64_t{0}, false), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(ByField(TrackField::Genre, int64_t{17 + 256}, true), (std::vector<int32_t>{}));
}

TEST_F(Selection, FieldValueConvertsToTheFieldsKind) {
    EXPECT_EQ(ByField(TrackField::Genre, std::string(" 17 "), true), (std::vector<int32_t>{1}));
    EXPECT_EQ(ByField(TrackField::PlayLength, 179.6, true), (std::vector<int32_t>{3}));
    EXPECT_EQ(ByField(TrackField::Year, int64_t{1974}, true), (std::vector<int32_t>{2}));
    EXPECT_EQ(ByField(TrackField::FileDate, std::string("27000"), true), (std::vector<int32_t>{2}));
}

TEST_F(Selection, FieldValueThatIsNoNumberFails) {
    EXPECT_EQ(test::ErrorOf<EDBError>(
                  [&] { catalogue_.SelectByField(TrackField::ID, std::string("abc"), true); }),
              "'abc' is not a valid integer value");
    EXPECT_THROW(catalogue_.SelectByField(TrackField::FileDate, std::string("1.2.3"), true),
                 EDBError);
}

TEST_F(Selection, FieldCodeOutsideTheTableSelectsNothing) {
    EXPECT_TRUE(ByField(static_cast<TrackField>(14), int64_t{0}, false).empty());
    EXPECT_TRUE(ByField(static_cast<TrackField>(-1), std::string(""), true).empty());
}

}  // namespace
}  // namespace tracklore
