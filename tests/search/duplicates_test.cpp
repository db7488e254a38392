// The duplicate finder: which records each rule links, how links make groups, and the order
// of groups and of their records.
#include "search/duplicates.h"

#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "tests/support/record_builder.h"

namespace tracklore {
namespace {

using Groups = std::vector<std::vector<int32_t>>;
using test::MakeRecord;

struct Track {
    const char* artist;
    const char* title;
    uint16_t length;
    uint32_t size;
};

// A catalogue of `tracks`, identifiers 1 and up in slot order.
std::unique_ptr<TTracklore> Catalogue(const std::vector<Track>& tracks) {
    auto catalogue = std::make_unique<TTracklore>();
    for (const auto& [artist, title, length, size] : tracks) {
        TrackRecord record =
            MakeRecord({.Artist = artist, .Title = title, .PlayLength = length, .FileSize = size});
        catalogue->Insert(record);
    }
    return catalogue;
}

Groups IdsOf(const std::vector<TDuplicateGroup>& groups) {
    Groups ids;
    for (const TDuplicateGroup& group : groups) {
        ids.emplace_back();
        for (const TrackRecord& record : group.Records)
            ids.back().push_back(record.ID);
    }
    return ids;
}

Groups Find(const std::vector<Track>& tracks, bool artistTitle = true, bool sizeLength = true) {
    return IdsOf(FindDuplicates(*Catalogue(tracks), {artistTitle, sizeLength}));
}

TEST(Duplicates, ArtistAndTitleIgnoreCaseAndBlanksWithinTwoSeconds) {
    EXPECT_EQ(Find({{"Aqua", "Barbie Girl", 197, 1},
                    {" aqua ", "BARBIE GIRL\t", 199, 2},
                    {"Aqua", "Barbie Girl", 202, 3},
                    {"Aqua", "Barbie", 197, 4}}),
              (Groups{{1, 2}}));
}

TEST(Duplicates, LengthsCloseInAChainMakeOneGroup) {
    EXPECT_EQ(
        Find({{"a", "t", 184, 1}, {"a", "t", 180, 2}, {"a", "t", 182, 3}, {"a", "t", 187, 4}}),
        (Groups{{1, 2, 3}}));
}

TEST(Duplicates, EqualSizeAndLengthLinkWhateverTheTags) {
    EXPECT_EQ(Find({{"x", "one", 200, 5000}, {"y", "two", 200, 5000}, {"z", "three", 201, 5000}}),
              (Groups{{1, 2}}));
}

TEST(Duplicates, RecordsWithoutTagsOrSizeAreNotLinked) {
    EXPECT_EQ(Find({{"", "", 0, 0},
                    {"", "", 0, 0},
                    {"  ", "t", 5, 1},
                    {"", "t", 5, 2},
                    {"a", " ", 5, 3},
                    {"a", "", 5, 4}}),
              Groups{});
}

TEST(Duplicates, OnlyTheChosenRulesApply) {
    const std::vector<Track> tracks = {
        {"a", "t", 100, 1}, {"A", "T", 101, 2}, {"b", "u", 300, 9}, {"c", "v", 300, 9}};
    EXPECT_EQ(Find(tracks, true, false), (Groups{{1, 2}}));
    EXPECT_EQ(Find(tracks, false, true), (Groups{{3, 4}}));
    EXPECT_EQ(Find(tracks, true, true), (Groups{{1, 2}, {3, 4}}));
    EXPECT_EQ(Find(tracks, false, false), Groups{});
}

TEST(Duplicates, ARecordLinkedBothWaysJoinsTwoGroupsInSlotOrder) {
    // 1 and 4 share tags, 3 and 4 share size and length: one group 1, 3, 4. Group 2, 5 comes
    // after it because its first record lies later.
    EXPECT_EQ(Find({{"a", "t", 100, 1},
                    {"b", "u", 50, 2},
                    {"c", "v", 101, 7},
                    {"a", "t", 101, 7},
                    {"B", "U", 50, 3}}),
              (Groups{{1, 3, 4}, {2, 5}}));
}

TEST(Duplicates, ResultSetsAndHolesKeepSlotOrder) {
    const auto catalogue =
        Catalogue({{"a", "t", 1, 1}, {"x", "y", 9, 9}, {"a", "t", 2, 2}, {"a", "t", 3, 3}});
    TrackRecord gone;
    catalogue->GetByID(2, gone);
    catalogue->Delete(gone);
    TrackRecord all;
    all.ID = kEndID;
    const auto set = catalogue->SelectByTemplate(all);
    EXPECT_EQ(IdsOf(FindDuplicates(*set, {})), (Groups{{1, 3, 4}}));
    const std::vector<TDuplicateGroup> groups = FindDuplicates(*set, {});
    EXPECT_EQ(groups[0].Records[1].Title, "t");
}

}  // namespace
}  // namespace tracklore
