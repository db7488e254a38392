// Tests of SortBy against a literal transcription of the partition sort.
#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "core/messages.h"
#include "tests/support/catalogue_ids.h"
#include "tests/support/error_text.h"
#include "tests/support/record_builder.h"

namespace tracklore {
namespace {

using test::IdsInSlotOrder;

// The reference order: a plain, recursive transcription of the catalogue's partition sort
// (first record of each range as pivot), used to check SortBy move for move.
void ReferenceSort(std::vector<TrackRecord>& s, int lo, int hi, TrackField key) {
    if (lo == hi) return;
    int p = lo;
    int j = hi;
    do {
        while (CompareByKey(s[p], s[j], key) < 0)
            --j;
        if (j != p) {
            std::swap(s[j], s[p]);
            const int oldP = p;
            p = j;
            j = oldP + 1;
        }
        while (CompareByKey(s[p], s[j], key) > 0)
            ++j;
        if (j != p) {
            std::swap(s[j], s[p]);
            const int oldP = p;
            p = j;
            j = oldP - 1;
        }
    } while (j != p);
    if (lo < p) ReferenceSort(s, lo, p - 1, key);
    if (p < hi) ReferenceSort(s, p + 1, hi, key);
}

// The reference compaction over a slot table of records, nullptr for a hole.
std::vector<TrackRecord> ReferenceCompact(std::vector<const TrackRecord*> slots) {
    // Each hole, lowest first, takes the record of the highest filled slot above it.
    for (size_t hole = 0; hole < slots.size(); ++hole) {
        if (slots[hole]) continue;
        size_t end = slots.size();
        while (end > hole + 1 && !slots[end - 1])
            --end;
        if (end == hole + 1) break;
        std::swap(slots[hole], slots[end - 1]);
    }
    std::vector<TrackRecord> records;
    for (const TrackRecord* slot : slots) {
        if (slot) records.push_back(*slot);
    }
    return records;
}

TrackRecord WithPlayLength(int seconds) {
    return test::MakeRecord({.PlayLength = static_cast<uint16_t>(seconds)});
}

// Fills a catalogue with the records in order (IDs 1 to n), sorts it by `key` and checks the
// order against the reference.
void ExpectSortMatchesReference(std::vector<TrackRecord> records, TrackField key) {
    TTracklore catalogue;
    for (TrackRecord& record : records)
        catalogue.Insert(record);
    if (!records.empty()) ReferenceSort(records, 0, static_cast<int>(records.size()) - 1, key);
    std::vector<int32_t> expected;
    for (const TrackRecord& record : records)
        expected.push_back(record.ID);
    catalogue.SortBy(key);
    ASSERT_EQ(IdsInSlotOrder(catalogue), expected);
}

std::vector<TrackRecord> RandomPlayLengths(std::mt19937& random, int count, int distinct) {
    std::vector<TrackRecord> records;
    for (int i = 0; i < count; ++i) {
        records.push_back(WithPlayLength(static_cast<int>(random() % distinct)));
    }
    return records;
}

TEST(SortBy, EqualKeysEndInThePartitionOrder) {
    TTracklore catalogue;
    for (int i = 0; i < 3; ++i) {
        TrackRecord record = test::MakeRecord("Same");
        catalogue.Insert(record);  // a, b, c get IDs 1, 2, 3
    }
    catalogue.SortBy(TrackField::Artist);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{3, 1, 2}));
}

TEST(SortBy, MatchesReferenceOnSmallRandomArraysWithRepeatedKeys) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 4000; ++trial) {
        const int count = 1 + static_cast<int>(random() % 40);
        const int distinct = 1 + static_cast<int>(random() % 6);
        ExpectSortMatchesReference(RandomPlayLengths(random, count, distinct),
                                   TrackField::PlayLength);
    }
}

TEST(SortBy, MatchesReferenceOnLongerArraysWhereScansJump) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 60; ++trial) {
        const int count = 50 + static_cast<int>(random() % 700);
        const int distinct = 2 + static_cast<int>(random() % (trial % 2 ? 8 : count));
        std::vector<TrackRecord> records = RandomPlayLengths(random, count, distinct);
        if (trial % 3 == 1) {
            std::sort(records.begin(), records.end(),
                      [](const auto& a, const auto& b) { return a.PlayLength < b.PlayLength; });
        }
        if (trial % 3 == 2) {
            std::sort(records.begin(), records.end(),
                      [](const auto& a, const auto& b) { return a.PlayLength > b.PlayLength; });
        }
        ExpectSortMatchesReference(std::move(records), TrackField::PlayLength);
    }
}

TEST(SortBy, MatchesReferenceOnSortedAndReversedInputs) {
    for (int count : {2, 3, 17, 200, 2000}) {
        for (int runLength : {1, 2, 5}) {
            std::vector<TrackRecord> ascending;
            std::vector<TrackRecord> descending;
            for (int i = 0; i < count; ++i) {
                ascending.push_back(WithPlayLength(i / runLength));
                descending.push_back(WithPlayLength((count - i) / runLength));
            }
            ExpectSortMatchesReference(std::move(ascending), TrackField::PlayLength);
            ExpectSortMatchesReference(std::move(descending), TrackField::PlayLength);
        }
    }
}

TEST(SortBy, MatchesReferenceWhenEveryKeyIsEqual) {
    std::mt19937 random(1);
    for (int count : {2, 5, 16, 33, 300}) {
        ExpectSortMatchesReference(RandomPlayLengths(random, count, 1), TrackField::PlayLength);
        ExpectSortMatchesReference(std::vector<TrackRecord>(count), TrackField::SampleRate);
    }
}

TEST(SortBy, MatchesReferenceForTextsThatDifferOnlyInCase) {
    constexpr const char* kArtists[] = {"abc", "ABC", "Abd", "b", "", "B", "abd", "Zed"};
    std::mt19937 random(3);
    for (int trial = 0; trial < 500; ++trial) {
        std::vector<TrackRecord> records;
        const int count = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < count; ++i)
            records.push_back(test::MakeRecord(kArtists[random() % 8]));
        ExpectSortMatchesReference(std::move(records), TrackField::Artist);
    }
}

TEST(SortBy, CompactsHolesBeforeSortingExactlyAsTheReference) {
    std::mt19937 random(5);
    for (int trial = 0; trial < 300; ++trial) {
        TTracklore catalogue;
        std::vector<TrackRecord> inserted;
        const int count = 2 + static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            TrackRecord record = WithPlayLength(static_cast<int>(random() % 4));
            catalogue.Insert(record);
            inserted.push_back(record);
        }
        std::vector<const TrackRecord*> slots(TTracklore::kSlotCount, nullptr);
        for (int i = 0; i < count; ++i) {
            if (random() % 3 == 0) {
                catalogue.Delete(inserted[i]);
            } else {
                slots[i] = &inserted[i];
            }
        }
        std::vector<TrackRecord> records = ReferenceCompact(slots);
        if (!records.empty()) {
            ReferenceSort(records, 0, static_cast<int>(records.size()) - 1, TrackField::PlayLength);
        }
        std::vector<int32_t> expected;
        for (const TrackRecord& record : records)
            expected.push_back(record.ID);
        catalogue.SortBy(TrackField::PlayLength);
        ASSERT_EQ(IdsInSlotOrder(catalogue), expected);
    }
}

TEST(Compact, FillsHolesFromTheEnd) {
    TTracklore catalogue;
    test::InsertEmpty(catalogue, 7);  // IDs 1 to 7 in slots 0 to 6
    catalogue.Delete(*catalogue.SlotRecord(0));
    catalogue.Delete(*catalogue.SlotRecord(5));
    catalogue.Compact();
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{7, 2, 3, 4, 5}));
    EXPECT_EQ(catalogue.SlotRecord(5), nullptr);
    EXPECT_EQ(catalogue.Count(), 5);
    TrackRecord next;
    catalogue.Insert(next);
    EXPECT_NE(catalogue.SlotRecord(5), nullptr);  // the first free slot follows the records
}

TEST(SortBy, OrdersPlaytimeShortestFirst) {
    TTracklore catalogue;
    for (int seconds : {300, 65535, 0, 181, 180}) {
        TrackRecord record = WithPlayLength(seconds);
        catalogue.Insert(record);
    }
    catalogue.SortBy(TrackField::PlayLength);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{3, 5, 4, 1, 2}));
}

TEST(SortBy, OrdersGenreByIndexWithNoneLast) {
    TTracklore catalogue;
    for (int genre : {255, 1, 0, 254}) {
        TrackRecord record;
        record.Genre = static_cast<uint8_t>(genre);
        catalogue.Insert(record);
    }
    catalogue.SortBy(TrackField::Genre);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{3, 2, 4, 1}));
}

TEST(SortBy, IgnoresCaseOfTexts) {
    TTracklore catalogue;
    for (const char* artist : {"ABD", "abc", "Abb"}) {
        TrackRecord record = test::MakeRecord(artist);
        catalogue.Insert(record);
    }
    catalogue.SortBy(TrackField::Artist);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{3, 2, 1}));
}

TEST(SortBy, OrdersIdentifiersAsSignedNumbers) {
    TTracklore catalogue;
    for (int32_t id : {5, -3, 2000000000, 0})
        catalogue.InsertAsStored(test::MakeRecord({.ID = id}));
    catalogue.SortBy(TrackField::ID);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{-3, 0, 5, 2000000000}));
}

TEST(SortBy, ReordersOnlyTheResultSetNotItsParent) {
    TTracklore catalogue;
    for (int seconds : {30, 20, 10}) {
        TrackRecord record = WithPlayLength(seconds);
        catalogue.Insert(record);
    }
    auto selection = catalogue.SelectByTemplate(test::MakeRecord({.ID = kEndID}));
    selection->SortBy(TrackField::PlayLength);
    EXPECT_EQ(IdsInSlotOrder(*selection), (std::vector<int32_t>{3, 2, 1}));
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(selection->SlotRecord(0), catalogue.SlotRecord(2));  // shared, not copied
}

TEST(CompareByKey, TreatsCodesBeyondGenreAsEqual) {
    TrackRecord a;
    TrackRecord b;
    a.SampleRate = 1;
    a.BitRate = 1;
    a.FileSize = 1;
    a.FileDate = 1;
    for (int code : {10, 11, 12, 13, 14, -1}) {
        EXPECT_EQ(CompareByKey(a, b, static_cast<TrackField>(code)), 0) << code;
    }
    b.PlayLength = 40000;  // beyond the signed 16-bit range: compared unsigned
    EXPECT_LT(CompareByKey(a, b, TrackField::PlayLength), 0);
}

TEST(Renumber, NumbersSlotsInOrderAndLeavesLastIdTwoAbove) {
    TTracklore catalogue;
    test::InsertEmpty(catalogue, 6);
    catalogue.Delete(*catalogue.SlotRecord(1));
    catalogue.Delete(*catalogue.SlotRecord(4));
    catalogue.Renumber();
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(catalogue.SlotRecord(1), nullptr);  // holes stay where they are
    EXPECT_EQ(catalogue.LastID(), 6);
    TrackRecord next;
    catalogue.Insert(next);
    EXPECT_EQ(next.ID, 7);
}

TEST(Renumber, ShowsNewIdentifiersThroughResultSets) {
    TTracklore catalogue;
    catalogue.InsertAsStored(test::MakeRecord({.ID = 40}));
    auto selection = catalogue.SelectByTemplate(test::MakeRecord({.ID = kEndID}));
    catalogue.Renumber();
    EXPECT_EQ(selection->SlotRecord(0)->ID, 1);
}

TEST(Renumber, IsRefusedOnAResultSet) {
    TTracklore catalogue;
    TrackRecord record;
    catalogue.Insert(record);
    auto selection = catalogue.SelectByTemplate(record);
    EXPECT_EQ(test::ErrorOf<EDBInvalidOp>([&] { selection->Renumber(); }),
              "Invalid operation \"Renumber\" for a result set");
    EXPECT_EQ(catalogue.SlotRecord(0)->ID, 1);
}

}  // namespace
}  // namespace tracklore
