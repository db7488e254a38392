// Catalogues past the default capacity: the limit, the identifier index and the files.
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "core/catalogue_file_format.h"
#include "core/file_choice.h"
#include "tests/support/catalogue_ids.h"
#include "tests/support/error_text.h"
#include "tests/support/full_catalogue.h"
#include "tests/support/memory_stream.h"
#include "tests/support/record_builder.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::ErrorOf;

TrackRecord Numbered(int32_t id, int n) {
    return test::MakeRecord({.ID = id,
                             .Artist = "Artist " + std::to_string(n % 97),
                             .Title = "Title " + std::to_string(n),
                             .PlayLength = static_cast<uint16_t>(n % 600)});
}

// The lowest slot holding `id` found by looking at every slot: what the index must answer.
const TrackRecord* LowestWithId(const TTracklore& catalogue, int32_t id) {
    for (int slot = 0; slot < catalogue.Capacity(); ++slot) {
        const TrackRecord* record = catalogue.SlotRecord(slot);
        if (record && record->ID == id) return record;
    }
    return nullptr;
}

int LowestEmptySlot(const TTracklore& catalogue) {
    for (int slot = 0; slot < catalogue.Capacity(); ++slot) {
        if (!catalogue.SlotRecord(slot)) return slot;
    }
    return -1;
}

TEST(LargeCatalogue, CapacityOf100000FillsAndRefusesTheNextRecord) {
    TTracklore catalogue(nullptr, 100000);
    EXPECT_EQ(catalogue.Capacity(), 100000);
    TrackRecord record;
    for (int i = 0; i < 100000; ++i)
        catalogue.Insert(record);
    EXPECT_EQ(record.ID, 100000);
    TrackRecord extra;
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.Insert(extra); }), test::kFullCatalogue);
    EXPECT_EQ(catalogue.Count(), 100000);
    EXPECT_EQ(catalogue.LastID(), 100000);

    // A freed slot in the middle is the one the next record takes, then it is full again.
    TrackRecord middle;
    middle.ID = 61234;
    catalogue.Delete(middle);
    catalogue.Insert(extra);
    EXPECT_EQ(extra.ID, 100001);
    EXPECT_EQ(catalogue.SlotRecord(61233)->ID, 100001);
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.Insert(extra); }), test::kFullCatalogue);
    TrackRecord fetched;
    catalogue.GetByID(100000, fetched);
    EXPECT_EQ(fetched.ID, 100000);
}

TEST(LargeCatalogue, CapacityIsClampedAndNeverCutsOffStoredRecords) {
    EXPECT_EQ(TTracklore(nullptr, 0).Capacity(), 1);
    EXPECT_EQ(TTracklore(nullptr, 5000000).Capacity(), TTracklore::kMaxCapacity);

    TTracklore catalogue(nullptr, 10);
    for (int i = 0; i < 6; ++i)
        catalogue.InsertAsStored(Numbered(i + 1, i));
    catalogue.SetCapacity(3);
    EXPECT_EQ(catalogue.Capacity(), 6);  // the stored records keep their slots
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.InsertAsStored(Numbered(7, 7)); }),
              test::kFullCatalogue);
    EXPECT_EQ(TTracklore::CreateResultSet(catalogue)->Capacity(), 6);
    catalogue.ResetDB();
    EXPECT_EQ(catalogue.Capacity(), 3);
}

// Random inserts (with repeated identifiers), deletions, updates, sorts and renumberings,
// each followed by a check of every lookup against a look at every slot.
TEST(LargeCatalogue, IndexAnswersLikeAScanOfTheSlotsThroughEveryChange) {
    std::mt19937 random(7);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    TTracklore catalogue(nullptr, 48);
    int made = 0;
    for (int step = 0; step < 3000; ++step) {
        const int32_t id = below(24);
        switch (below(9)) {
            case 0:
            case 1:
            case 2:
                if (catalogue.Count() < catalogue.Capacity()) {
                    const int expected = LowestEmptySlot(catalogue);
                    catalogue.InsertAsStored(Numbered(id, ++made));
                    ASSERT_EQ(catalogue.SlotRecord(expected)->Title,
                              "Title " + std::to_string(made));
                }
                break;
            case 3:
            case 4:
                if (LowestWithId(catalogue, id)) catalogue.Delete(Numbered(id, 0));
                break;
            case 5:
                if (LowestWithId(catalogue, id)) catalogue.Update(Numbered(id, 100000 + step));
                break;
            case 6:
                if (catalogue.Count() < catalogue.Capacity() && catalogue.LastID() < 1000) {
                    TrackRecord fresh = Numbered(0, ++made);
                    const int expected = LowestEmptySlot(catalogue);
                    catalogue.Insert(fresh);
                    ASSERT_EQ(catalogue.SlotRecord(expected)->ID, fresh.ID);
                }
                break;
            case 7: catalogue.SortBy(below(2) ? TrackField::Artist : TrackField::ID); break;
            default:
                if (below(8) == 0) catalogue.Renumber();
                break;
        }
        for (int32_t look = 0; look < 30; ++look) {
            const TrackRecord* expected = LowestWithId(catalogue, look);
            TrackRecord found;
            if (!expected) {
                EXPECT_NE(ErrorOf<EDBError>([&] { catalogue.GetByID(look, found); }), "");
                continue;
            }
            catalogue.GetByID(look, found);
            ASSERT_EQ(found, *expected) << "step " << step << " id " << look;
        }
        if (catalogue.LastID() >= 1000) catalogue.Renumber();
    }
}

TEST(LargeCatalogue, ResultSetFindsRenumberedRecordsAtTheirLowestSlot) {
    TTracklore catalogue;
    for (int i = 0; i < 5; ++i)
        catalogue.InsertAsStored(Numbered(i % 2 ? 9 : 4, i));  // 4 9 4 9 4
    auto set = catalogue.SelectWhere([](void*, const TrackRecord&) { return true; }, nullptr);
    TrackRecord record;
    set->GetByID(9, record);
    EXPECT_EQ(record.Title, "Title 1");
    catalogue.Renumber();  // 1 to 5
    set->GetByID(4, record);
    EXPECT_EQ(record.Title, "Title 3");
    set->Delete(record);
    EXPECT_EQ(set->SlotRecord(3), nullptr);
    EXPECT_NE(ErrorOf<EDBError>([&] { set->GetByID(9, record); }), "");
}

// Records in a row with the same artist or album share one text once loaded, which keeps a
// large catalogue small; a Windows-1252 text repeated is still converted, not shared raw.
TEST(LargeCatalogue, LoadedRecordsShareTextsRepeatedFromTheRecordBefore) {
    test::TTempDir dir;
    TTracklore saved;
    for (const char* title : {"One", "Two", "Three"}) {
        TrackRecord record = Numbered(0, 0);
        record.Album = "Caf\xC3\xA9";
        record.Title = title;
        saved.Insert(record);
    }
    saved.SaveToFile(dir.Path("a.tracklore"));
    TTracklore loaded;
    loaded.LoadFromFile(dir.Path("a.tracklore"));
    ASSERT_EQ(loaded.Count(), 3);
    EXPECT_TRUE(loaded.SlotRecord(0)->Artist.SharesWith(loaded.SlotRecord(2)->Artist));
    EXPECT_TRUE(loaded.SlotRecord(0)->Album.SharesWith(loaded.SlotRecord(1)->Album));
    EXPECT_EQ(loaded.SlotRecord(2)->Title, "Three");
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_EQ(*loaded.SlotRecord(slot), *saved.SlotRecord(slot));

    std::string bytes;
    for (int id : {1, 2}) {
        TrackRecord raw = Numbered(id, id);
        raw.Artist = "Caf\xE9";
        catalogue_file::AppendRecord(bytes, raw);
    }
    TTracklore windows;
    test::TMemoryStream stream(bytes);
    catalogue_file::ReadRecords(stream, windows);
    EXPECT_EQ(windows.SlotRecord(0)->Artist, "Caf\xC3\xA9");
    EXPECT_EQ(windows.SlotRecord(1)->Artist, "Caf\xC3\xA9");
}

class LargeCatalogueFiles : public testing::Test {
protected:
    static constexpr int kRecords = 40000;

    void SetUp() override {
        for (int i = 0; i < kRecords; ++i)
            full_.InsertAsStored(Numbered(i + 1, i));
    }

    std::vector<int32_t> IdsOf(const TTracklore& catalogue) {
        return test::IdsInSlotOrder(catalogue);
    }

    test::TTempDir dir_;
    TTracklore full_{nullptr, kRecords};
};

TEST_F(LargeCatalogueFiles, SaveLoadCsvMergeSortAndRenumberKeepEveryRecord) {
    for (const char* name : {"big.tracklore", "big.csv"}) {
        SCOPED_TRACE(name);
        const std::string path = dir_.Path(name);
        SaveByFormat(full_, path);
        TTracklore loaded(nullptr, kRecords);
        LoadByFormat(loaded, path);
        ASSERT_EQ(loaded.Count(), kRecords);
        EXPECT_EQ(*loaded.SlotRecord(kRecords - 1), *full_.SlotRecord(kRecords - 1));
        EXPECT_EQ(IdsOf(loaded), IdsOf(full_));
    }

    TTracklore merged(nullptr, 2 * kRecords);
    LoadByFormat(merged, dir_.Path("big.tracklore"));
    EXPECT_EQ(MergeFromFile(merged, dir_.Path("big.csv")), kRecords);
    ASSERT_EQ(merged.Count(), 2 * kRecords);
    TrackRecord record;
    merged.GetByID(2 * kRecords, record);
    EXPECT_EQ(record.Title, "Title " + std::to_string(kRecords - 1));

    merged.SortBy(TrackField::Artist);
    EXPECT_EQ(merged.SlotRecord(0)->Artist, "Artist 0");
    EXPECT_EQ(merged.SlotRecord(2 * kRecords - 1)->Artist, "Artist 96");
    merged.Renumber();
    EXPECT_EQ(merged.LastID(), 2 * kRecords + 2);
    merged.GetByID(kRecords, record);
    EXPECT_EQ(record, *merged.SlotRecord(kRecords - 1));
}

TEST_F(LargeCatalogueFiles, FileLargerThanTheCapacityIsRefusedAndNothingKept) {
    for (const char* name : {"big.tracklore", "big.csv"}) {
        SCOPED_TRACE(name);
        SaveByFormat(full_, dir_.Path(name));
    }
    TTracklore small(nullptr, kRecords - 1);
    EXPECT_EQ(ErrorOf<EDBError>([&] { small.LoadFromFile(dir_.Path("big.tracklore")); }),
              test::kFullCatalogue);
    EXPECT_EQ(small.Count(), 0);
    EXPECT_EQ(small.LastID(), 0);
    // A merge stops at the limit with the same message.
    TTracklore target(nullptr, kRecords);
    target.InsertAsStored(Numbered(1, 1));
    EXPECT_EQ(ErrorOf<EDBError>([&] { MergeFromFile(target, dir_.Path("big.tracklore")); }),
              test::kFullCatalogue);
    EXPECT_EQ(target.Count(), kRecords);
}

TEST_F(LargeCatalogueFiles, LoadKeepingSomeRecordsGivesTheSameRowsAndTheSameRefusals) {
    const auto keep = [](const TrackRecord& record) { return record.ID % 7 == 3; };
    std::vector<int32_t> expected;
    for (const int32_t id : IdsOf(full_))
        if (id % 7 == 3) expected.push_back(id);
    for (const char* name : {"big.tracklore", "big.csv"}) {
        SCOPED_TRACE(name);
        const std::string path = dir_.Path(name);
        SaveByFormat(full_, path);
        TTracklore kept(nullptr, kRecords);
        LoadByFormat(kept, path, {}, keep);
        EXPECT_EQ(IdsOf(kept), expected);
        // Every record read counts against the capacity, kept or not.
        TTracklore small(nullptr, kRecords - 1);
        EXPECT_EQ(ErrorOf<EDBError>([&] { LoadByFormat(small, path, {}, keep); }),
                  test::kFullCatalogue);
        EXPECT_EQ(small.Count(), 0);
    }

    const std::string path = dir_.Path("big.tracklore");
    TTracklore kept(nullptr, kRecords);
    kept.LoadFromFile(path, {}, keep);
    EXPECT_EQ(*kept.SlotRecord(1), *full_.SlotRecord(9));  // ID 10
    // A file cut short is refused whole, although the records read so far matched.
    std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
    EXPECT_ANY_THROW(kept.LoadFromFile(path, {}, [](const TrackRecord&) { return true; }));
    EXPECT_EQ(kept.Count(), 0);
}

}  // namespace
}  // namespace tracklore
