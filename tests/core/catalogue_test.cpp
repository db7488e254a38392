// Tests of the catalogue: slots, identifiers, insert, delete, update and result sets.
#include "core/catalogue.h"

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/catalogue_ids.h"
#include "tests/support/error_text.h"
#include "tests/support/full_catalogue.h"
#include "tests/support/record_builder.h"

namespace tracklore {
namespace {

using test::ErrorOf;
using test::MakeRecord;

TEST(Catalogue, NewCatalogueIsEmptyAndOwning) {
    int window = 0;
    TTracklore catalogue(&window);
    EXPECT_FALSE(catalogue.IsResultSet());
    EXPECT_EQ(catalogue.Owner(), &window);
    EXPECT_EQ(catalogue.Parent(), nullptr);
    EXPECT_EQ(catalogue.LastID(), 0);
    EXPECT_EQ(catalogue.Count(), 0);
    EXPECT_TRUE(catalogue.PrintTitle().empty());
}

TEST(Catalogue, InsertHandsOutNextIdAndReusesLowestFreeSlot) {
    TTracklore catalogue;
    TrackRecord first = MakeRecord("A");
    TrackRecord second = MakeRecord("B");
    catalogue.Insert(first);
    catalogue.Insert(second);
    EXPECT_EQ(first.ID, 1);
    EXPECT_EQ(second.ID, 2);
    catalogue.Delete(first);
    TrackRecord third = MakeRecord("C");
    catalogue.Insert(third);
    EXPECT_EQ(third.ID, 3);
    ASSERT_NE(catalogue.SlotRecord(0), nullptr);
    EXPECT_EQ(catalogue.SlotRecord(0)->ID, 3);
    EXPECT_EQ(catalogue.SlotRecord(0)->Artist, "C");
}

TEST(Catalogue, StoredRecordsNeverAliasCallersCopies) {
    TTracklore catalogue;
    TrackRecord record = MakeRecord("Abba", "Waterloo");
    catalogue.Insert(record);
    record.Artist = "Changed";
    record.PlayLength = 99;
    TrackRecord fetched;
    catalogue.GetByID(1, fetched);
    EXPECT_EQ(fetched.Artist, "Abba");
    EXPECT_EQ(fetched.PlayLength, 0);
    fetched.Title = "Changed";
    TrackRecord iterated;
    catalogue.First(iterated);
    EXPECT_EQ(iterated.Title, "Waterloo");
    EXPECT_NE(catalogue.SlotRecord(0), &record);
}

TEST(Catalogue, LastSlotFillsAndOneMoreIsTooMany) {
    TTracklore catalogue;
    TrackRecord record;
    for (int i = 0; i < TTracklore::kSlotCount; ++i)
        catalogue.Insert(record);
    EXPECT_EQ(record.ID, 32769);
    EXPECT_EQ(catalogue.Count(), 32769);
    TrackRecord extra = MakeRecord("Extra");
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.Insert(extra); }), test::kFullCatalogue);
    EXPECT_EQ(catalogue.LastID(), 32769);
    EXPECT_EQ(extra.ID, 0);
    EXPECT_EQ(catalogue.Count(), 32769);
}

TEST(Catalogue, InsertRefusesToWrapPastTheLargestIdentifier) {
    TTracklore catalogue;
    TrackRecord loaded;
    loaded.ID = INT_MAX;
    catalogue.InsertAsStored(loaded);
    TrackRecord record;
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.Insert(record); }), msg::TooManyElements);
    EXPECT_EQ(catalogue.LastID(), INT_MAX);
    EXPECT_EQ(catalogue.Count(), 1);
}

TEST(Catalogue, InsertAsStoredKeepsIdentifiersAndRaisesLastId) {
    TTracklore catalogue;
    for (int32_t id : {5, 9, 7}) {
        TrackRecord record;
        record.ID = id;
        catalogue.InsertAsStored(record);
    }
    EXPECT_EQ(catalogue.SlotRecord(2)->ID, 7);
    TrackRecord next;
    catalogue.Insert(next);
    EXPECT_EQ(next.ID, 10);
}

TEST(Catalogue, DeleteRemovesLowestSlotWithTheId) {
    TTracklore catalogue;
    catalogue.InsertAsStored(MakeRecord({.ID = 4, .Title = "first"}));
    catalogue.InsertAsStored(MakeRecord({.ID = 4, .Title = "second"}));
    catalogue.Delete(MakeRecord({.ID = 4, .Title = "second"}));
    EXPECT_EQ(catalogue.SlotRecord(0), nullptr);
    EXPECT_EQ(catalogue.SlotRecord(1)->Title, "second");
    EXPECT_EQ(catalogue.Count(), 1);
}

TEST(Catalogue, DeleteOfMissingIdFailsAndChangesNothing) {
    TTracklore catalogue;
    TrackRecord record;
    catalogue.Insert(record);
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.Delete(MakeRecord({.ID = 8})); }),
              msg::RecordNotFound);
    EXPECT_EQ(catalogue.Count(), 1);
}

TEST(Catalogue, UpdateOverwritesEveryRecordWithTheId) {
    TTracklore catalogue;
    TrackRecord twin;
    twin.ID = 2;
    catalogue.InsertAsStored(twin);
    catalogue.InsertAsStored(twin);
    const TrackRecord changed =
        MakeRecord({.ID = 2, .Artist = "New", .Title = "Title", .Genre = 17});
    catalogue.Update(changed);
    EXPECT_EQ(*catalogue.SlotRecord(0), changed);
    EXPECT_EQ(*catalogue.SlotRecord(1), changed);
}

TEST(Catalogue, UpdateAcceptsAStoredRecordAsItsArgument) {
    TTracklore catalogue;
    TrackRecord record = MakeRecord("Same");
    catalogue.Insert(record);
    catalogue.Insert(record);
    catalogue.Update(*catalogue.SlotRecord(1));
    EXPECT_EQ(catalogue.SlotRecord(1)->Artist, "Same");
}

TEST(Catalogue, UpdateOfMissingIdFails) {
    TTracklore catalogue;
    TrackRecord record;
    record.ID = 3;
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.Update(record); }), msg::RecordNotFound);
}

TEST(Catalogue, GetByIdRefusesNegativeIdentifiers) {
    TTracklore catalogue;
    TrackRecord record;
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.GetByID(-5, record); }),
              "The ID sent to the function is invalid - all ID's must be positive numbers in "
              "the range 0..2,000,000,000");
}

TEST(Catalogue, GetByIdOfAbsentIdEmptiesTheOutputAndFails) {
    TTracklore catalogue;
    TrackRecord stored;
    catalogue.Insert(stored);
    TrackRecord record = MakeRecord({.ID = 77, .Artist = "Left over"});
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.GetByID(0, record); }), msg::RecordNotFound);
    EXPECT_EQ(record, TrackRecord());
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.GetByID(INT_MAX, record); }), msg::RecordNotFound);
}

TEST(Catalogue, GetByIdReturnsLowestSlotWhereIdsRepeat) {
    TTracklore catalogue;
    catalogue.InsertAsStored(MakeRecord({.ID = 6, .Title = "lower"}));
    catalogue.InsertAsStored(MakeRecord({.ID = 6, .Title = "higher"}));
    TrackRecord record;
    catalogue.GetByID(6, record);
    EXPECT_EQ(record.Title, "lower");
}

TEST(Catalogue, ResetDbEmptiesAndRestartsIdentifiers) {
    TTracklore catalogue;
    TrackRecord record;
    catalogue.Insert(record);
    catalogue.Insert(record);
    catalogue.ResetDB();
    EXPECT_EQ(catalogue.Count(), 0);
    EXPECT_EQ(catalogue.LastID(), 0);
    EXPECT_EQ(catalogue.SlotRecord(0), nullptr);
    catalogue.Insert(record);
    EXPECT_EQ(record.ID, 1);
}

TEST(Catalogue, IterationOfEmptyCatalogueEndsAtOnce) {
    TTracklore catalogue;
    TrackRecord record = MakeRecord("untouched");
    catalogue.First(record);
    EXPECT_EQ(record.ID, kEndID);
    EXPECT_EQ(record.Artist, "untouched");  // only the identifier marks the end
}

TEST(Catalogue, IterationSkipsHolesInSlotOrder) {
    TTracklore catalogue;
    test::InsertEmpty(catalogue, 5);
    catalogue.Delete(*catalogue.SlotRecord(0));
    catalogue.Delete(*catalogue.SlotRecord(3));
    std::vector<int32_t> ids;
    TrackRecord record;
    for (catalogue.First(record); record.ID != kEndID; catalogue.Next(record)) {
        ids.push_back(record.ID);
    }
    EXPECT_EQ(ids, (std::vector<int32_t>{2, 3, 5}));
}

TEST(Catalogue, IterationEndsCleanlyAfterTheLastSlot) {
    TTracklore catalogue;
    TrackRecord record;
    for (int i = 0; i < TTracklore::kSlotCount; ++i)
        catalogue.Insert(record);
    int visited = 0;
    int32_t last = 0;
    for (catalogue.First(record); record.ID != kEndID; catalogue.Next(record)) {
        ++visited;
        last = record.ID;
    }
    EXPECT_EQ(visited, TTracklore::kSlotCount);
    EXPECT_EQ(last, 32769);
    catalogue.Next(record);
    EXPECT_EQ(record.ID, kEndID);
    EXPECT_EQ(catalogue.Cursor(), TTracklore::kSlotCount);
}

TEST(Catalogue, ScanNotificationCarriesContextCatalogueAndPath) {
    struct Seen {
        TTracklore* catalogue = nullptr;
        std::string path;
    } seen;
    TTracklore catalogue;
    catalogue.RaiseScan("/nothing/installed.mp3");  // no event: nothing happens
    catalogue.SetOnScan({[](void* context, TTracklore& raised, const std::string& path) {
                             static_cast<Seen*>(context)->catalogue = &raised;
                             static_cast<Seen*>(context)->path = path;
                         },
                         &seen});
    catalogue.RaiseScan("/music/a.mp3");
    EXPECT_EQ(seen.catalogue, &catalogue);
    EXPECT_EQ(seen.path, "/music/a.mp3");
}

TEST(ResultSet, RefersToParentRecordsWithoutOwningThem) {
    TTracklore catalogue;
    TrackRecord record = MakeRecord("Abba");
    catalogue.Insert(record);
    auto selection = TTracklore::CreateResultSet(catalogue);
    EXPECT_TRUE(selection->IsResultSet());
    EXPECT_EQ(selection->Parent(), &catalogue);
    selection->Insert(record);
    EXPECT_EQ(selection->SlotRecord(0), catalogue.SlotRecord(0));
    selection.reset();
    EXPECT_EQ(catalogue.SlotRecord(0)->Artist, "Abba");  // destroying the set freed nothing
}

TEST(ResultSet, InsertKeepsTheIdentifierAndSeesParentUpdates) {
    TTracklore catalogue;
    TrackRecord record;
    catalogue.Insert(record);
    catalogue.Insert(record);
    auto selection = TTracklore::CreateResultSet(catalogue);
    selection->Insert(record);
    EXPECT_EQ(record.ID, 2);
    EXPECT_EQ(selection->LastID(), 0);
    record.Title = "Renamed";
    catalogue.Update(record);
    TrackRecord seen;
    selection->GetByID(2, seen);
    EXPECT_EQ(seen.Title, "Renamed");
}

TEST(ResultSet, InsertOfRecordTheParentLacksIsRefused) {
    TTracklore catalogue;
    auto selection = TTracklore::CreateResultSet(catalogue);
    TrackRecord stranger = MakeRecord({.ID = 12});
    EXPECT_EQ(ErrorOf<EDBError>([&] { selection->Insert(stranger); }), msg::RecordNotFound);
    EXPECT_EQ(selection->Count(), 0);
}

TEST(ResultSet, DeleteDropsOnlyTheReference) {
    TTracklore catalogue;
    TrackRecord record = MakeRecord("Kept");
    catalogue.Insert(record);
    auto selection = TTracklore::CreateResultSet(catalogue);
    selection->Insert(record);
    selection->Delete(record);
    EXPECT_EQ(selection->Count(), 0);
    ASSERT_EQ(catalogue.Count(), 1);
    EXPECT_EQ(catalogue.SlotRecord(0)->Artist, "Kept");
}

TEST(ResultSet, RefusesUpdateAndResetDbWithTheirNames) {
    TTracklore catalogue;
    TrackRecord record;
    catalogue.Insert(record);
    auto selection = TTracklore::CreateResultSet(catalogue);
    selection->Insert(record);
    EXPECT_EQ(ErrorOf<EDBInvalidOp>([&] { selection->Update(record); }),
              "Invalid operation \"update\" for a result set");
    EXPECT_EQ(ErrorOf<EDBInvalidOp>([&] { selection->ResetDB(); }),
              "Invalid operation \"ResetDB\" for a result set");
    EXPECT_EQ(selection->Count(), 1);
}

}  // namespace
}  // namespace tracklore
