// The duplicate finder: records linked by artist and title or by size and length, grouped.
#include "search/duplicates.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

#include "core/catalogue.h"
#include "core/text_scan.h"
#include "platform/locale.h"

namespace tracklore {

namespace {

// Disjoint sets over record indices: the groups as the rules join them.
class TUnionFind {
public:
    explicit TUnionFind(size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), size_t{0});
    }
    size_t Find(size_t item) {
        while (parent_[item] != item) {
            parent_[item] = parent_[parent_[item]];
            item = parent_[item];
        }
        return item;
    }
    // The lower index becomes the root, so a group's root is its first record.
    void Join(size_t a, size_t b) {
        a = Find(a);
        b = Find(b);
        if (a == b) return;
        if (b < a) std::swap(a, b);
        parent_[b] = a;
    }

private:
    std::vector<size_t> parent_;
};

// Links records whose artist and title agree and whose lengths are close. Sorted by name,
// then length, the records a tolerance apart are neighbours within runs of one name.
void LinkByArtistTitle(const std::vector<const TrackRecord*>& records, TUnionFind& groups) {
    struct Entry {
        std::string name;  // artist, a zero byte, title: lower case, blanks around dropped
        uint16_t length;
        size_t index;
    };
    std::vector<Entry> entries;
    entries.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string_view artist = Trim(records[i]->Artist.view());
        const std::string_view title = Trim(records[i]->Title.view());
        if (artist.empty() || title.empty()) continue;
        std::string name = locale::LowerCase(artist);
        name += '\0';
        name += locale::LowerCase(title);
        entries.push_back({std::move(name), records[i]->PlayLength, i});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.name != b.name) return a.name < b.name;
        return a.length < b.length;
    });
    for (size_t i = 1; i < entries.size(); ++i) {
        const Entry& before = entries[i - 1];
        const Entry& entry = entries[i];
        if (entry.name == before.name &&
            entry.length - before.length <= TDuplicateRules::kLengthTolerance) {
            groups.Join(before.index, entry.index);
        }
    }
}

void LinkBySizeLength(const std::vector<const TrackRecord*>& records, TUnionFind& groups) {
    std::vector<std::pair<uint64_t, size_t>> keys;
    keys.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i]->FileSize == 0) continue;
        keys.emplace_back(uint64_t{records[i]->FileSize} << 16 | records[i]->PlayLength, i);
    }
    std::sort(keys.begin(), keys.end());
    for (size_t i = 1; i < keys.size(); ++i) {
        if (keys[i].first == keys[i - 1].first) groups.Join(keys[i - 1].second, keys[i].second);
    }
}

}  // namespace

std::vector<TDuplicateGroup> FindDuplicates(const TTracklore& set, const TDuplicateRules& rules) {
    std::vector<const TrackRecord*> records;
    records.reserve(static_cast<size_t>(set.Count()));
    for (int slot = 0; slot < set.SlotEnd(); ++slot) {
        if (const TrackRecord* record = set.SlotRecord(slot)) records.push_back(record);
    }
    TUnionFind links(records.size());
    if (rules.SameArtistTitle) LinkByArtistTitle(records, links);
    if (rules.SameSizeLength) LinkBySizeLength(records, links);

    // Roots are first records, so walking in slot order meets the groups in their order.
    std::vector<size_t> members(records.size(), 0);
    for (size_t i = 0; i < records.size(); ++i)
        ++members[links.Find(i)];
    std::vector<size_t> groupOfRoot(records.size(), SIZE_MAX);
    std::vector<TDuplicateGroup> result;
    for (size_t i = 0; i < records.size(); ++i) {
        const size_t root = links.Find(i);
        if (members[root] < 2) continue;
        if (groupOfRoot[root] == SIZE_MAX) {
            groupOfRoot[root] = result.size();
            result.emplace_back();
            result.back().Records.reserve(members[root]);
        }
        result[groupOfRoot[root]].Records.push_back(*records[i]);
    }
    return result;
}

}  // namespace tracklore
