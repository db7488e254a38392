// SortBy: the partition sort's order computed from ranked keys without its quadratic cost.
#include <algorithm>
#include <climits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/catalogue.h"
#include "platform/locale.h"

namespace tracklore {
namespace {

template <typename T>
int Sign(T a, T b) {
    return (a > b) - (a < b);
}

// A record with the rank of its key: equal keys share a rank, and ranks order as keys do.
struct Item {
    int rank;
    TrackRecord* record;
};

// Dense ranks from per-item values (numbers or sort-key bytes): sorts the item numbers by
// value and gives equal neighbours the same rank. Returns the number of distinct ranks.
template <typename Value>
int AssignRanks(const std::vector<Value>& values, std::vector<int>& ranks) {
    std::vector<int> order(values.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return values[a] < values[b]; });
    ranks.assign(values.size(), 0);
    int rank = -1;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i == 0 || values[order[i - 1]] < values[order[i]]) ++rank;
        ranks[order[i]] = rank;
    }
    return rank + 1;
}

// Ranks of the records' keys, computing each distinct text's collation key only once.
int RankRecords(const std::vector<Item>& items, TrackField key, std::vector<int>& ranks) {
    const int code = static_cast<int>(key);
    if (code >= 1 && code <= 7) {
        std::unordered_map<std::string_view, int> textIndex;
        std::vector<std::string> sortKeys;
        std::vector<int> textOf(items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            const std::string_view text = TextField(*items[i].record, key)->view();
            const auto [at, added] = textIndex.try_emplace(text, static_cast<int>(sortKeys.size()));
            if (added) sortKeys.push_back(locale::SortKeyIgnoreCase(text));
            textOf[i] = at->second;
        }
        std::vector<int> textRanks;
        const int distinct = AssignRanks(sortKeys, textRanks);
        ranks.resize(items.size());
        for (size_t i = 0; i < items.size(); ++i)
            ranks[i] = textRanks[textOf[i]];
        return distinct;
    }
    std::vector<int64_t> values(items.size(), 0);  // every other code: all keys equal
    for (size_t i = 0; i < items.size(); ++i) {
        const TrackRecord& record = *items[i].record;
        if (key == TrackField::ID) values[i] = record.ID;
        if (key == TrackField::PlayLength) values[i] = record.PlayLength;
        if (key == TrackField::Genre) values[i] = record.Genre;
    }
    return AssignRanks(values, ranks);
}

// Range minimum, maximum and count of repeated ranks over the items, kept up to date as
// the partition swaps them. It lets the partition's scans jump over long stretches in
// logarithmic time and tells when a range holds no repeated rank.
class RankTree {
public:
    RankTree(const std::vector<Item>& items, const std::vector<int>& multiplicity)
        : multiplicity_(multiplicity) {
        while (size_ < static_cast<int>(items.size()))
            size_ *= 2;
        min_.assign(2 * size_, INT_MAX);
        max_.assign(2 * size_, INT_MIN);
        repeats_.assign(2 * size_, 0);
        for (size_t i = 0; i < items.size(); ++i)
            SetLeaf(static_cast<int>(i), items[i].rank);
        for (int node = size_ - 1; node >= 1; --node)
            Pull(node);
    }

    void Set(int position, int rank) {
        SetLeaf(position, rank);
        for (int node = (position + size_) / 2; node >= 1; node /= 2)
            Pull(node);
    }

    // Largest position in [a, b] whose rank is at most `rank`, or -1.
    int LastAtMost(int a, int b, int rank) const { return LastAtMost(1, 0, size_ - 1, a, b, rank); }
    // Smallest position in [a, b] whose rank is at least `rank`, or -1.
    int FirstAtLeast(int a, int b, int rank) const {
        return FirstAtLeast(1, 0, size_ - 1, a, b, rank);
    }

    // Number of positions in [a, b] whose rank occurs more than once among all items.
    int Repeats(int a, int b) const {
        int sum = 0;
        for (a += size_, b += size_ + 1; a < b; a /= 2, b /= 2) {
            if (a & 1) sum += repeats_[a++];
            if (b & 1) sum += repeats_[--b];
        }
        return sum;
    }

private:
    void SetLeaf(int position, int rank) {
        const int leaf = position + size_;
        min_[leaf] = max_[leaf] = rank;
        repeats_[leaf] = multiplicity_[rank] > 1 ? 1 : 0;
    }

    void Pull(int node) {
        min_[node] = std::min(min_[2 * node], min_[2 * node + 1]);
        max_[node] = std::max(max_[2 * node], max_[2 * node + 1]);
        repeats_[node] = repeats_[2 * node] + repeats_[2 * node + 1];
    }

    int LastAtMost(int node, int from, int to, int a, int b, int rank) const {
        if (to < a || from > b || min_[node] > rank) return -1;
        if (from == to) return from;
        const int mid = (from + to) / 2;
        const int right = LastAtMost(2 * node + 1, mid + 1, to, a, b, rank);
        return right >= 0 ? right : LastAtMost(2 * node, from, mid, a, b, rank);
    }

    int FirstAtLeast(int node, int from, int to, int a, int b, int rank) const {
        if (to < a || from > b || max_[node] < rank) return -1;
        if (from == to) return from;
        const int mid = (from + to) / 2;
        const int left = FirstAtLeast(2 * node, from, mid, a, b, rank);
        return left >= 0 ? left : FirstAtLeast(2 * node + 1, mid + 1, to, a, b, rank);
    }

    const std::vector<int>& multiplicity_;
    int size_ = 1;
    std::vector<int> min_, max_, repeats_;
};

// The catalogue's partition sort (the first item of a range is the pivot; scans stop at
// items that do not compare strictly beyond it) carried out over ranks. The moves are the
// same as those of the plain recursive form; only the work is less: scans longer than a few
// steps jump with the tree, ranges are kept on an explicit stack (smaller side first), and
// a range without repeated ranks is put in order directly, which is where the partition
// would leave it.
class PartitionSorter {
public:
    PartitionSorter(std::vector<Item>& items, const std::vector<int>& multiplicity)
        : items_(items), tree_(items, multiplicity) {}

    void Sort() {
        std::vector<std::pair<int, int>> ranges{{0, static_cast<int>(items_.size()) - 1}};
        while (!ranges.empty()) {
            auto [lo, hi] = ranges.back();
            ranges.pop_back();
            while (lo < hi) {
                if (tree_.Repeats(lo, hi) == 0) {
                    std::sort(items_.begin() + lo, items_.begin() + hi + 1,
                              [](const Item& a, const Item& b) { return a.rank < b.rank; });
                    break;
                }
                const int pivot = Partition(lo, hi);
                if (pivot - lo < hi - pivot) {
                    ranges.emplace_back(pivot + 1, hi);
                    hi = pivot - 1;
                } else {
                    ranges.emplace_back(lo, pivot - 1);
                    lo = pivot + 1;
                }
            }
        }
    }

private:
    static constexpr int kLinearSteps = 16;

    int Partition(int lo, int hi) {
        const int rank = items_[lo].rank;  // the pivot's; the pivot always stands at p
        int p = lo;
        int j = hi;
        do {
            j = ScanDown(p, j, rank);
            if (j != p) {
                Swap(j, p);
                std::tie(p, j) = std::pair(j, p + 1);
            }
            j = ScanUp(j, p, rank);
            if (j != p) {
                Swap(j, p);
                std::tie(p, j) = std::pair(j, p - 1);
            }
        } while (j != p);
        return p;
    }

    // From j down towards p, past items ranked above the pivot.
    int ScanDown(int p, int j, int rank) const {
        for (int step = 0; step < kLinearSteps; ++step) {
            if (items_[j].rank <= rank) return j;
            --j;
        }
        const int found = tree_.LastAtMost(p + 1, j, rank);
        return found >= 0 ? found : p;
    }

    // From j up towards p, past items ranked below the pivot.
    int ScanUp(int j, int p, int rank) const {
        for (int step = 0; step < kLinearSteps; ++step) {
            if (items_[j].rank >= rank) return j;
            ++j;
        }
        const int found = tree_.FirstAtLeast(j, p - 1, rank);
        return found >= 0 ? found : p;
    }

    void Swap(int a, int b) {
        std::swap(items_[a], items_[b]);
        if (items_[a].rank != items_[b].rank) {
            tree_.Set(a, items_[a].rank);
            tree_.Set(b, items_[b].rank);
        }
    }

    std::vector<Item>& items_;
    RankTree tree_;
};

}  // namespace

int CompareByKey(const TrackRecord& a, const TrackRecord& b, TrackField key) {
    switch (key) {
        case TrackField::ID: return Sign(a.ID, b.ID);
        case TrackField::PlayLength: return Sign(a.PlayLength, b.PlayLength);
        case TrackField::Genre: return Sign(a.Genre, b.Genre);
        default: break;
    }
    const SharedText* first = TextField(a, key);
    if (!first) return 0;
    return locale::CompareIgnoreCase(*first, *TextField(b, key));
}

void TTracklore::Compact() {
    int j = 0;
    int i = SlotEnd() - 1;
    while (j < i) {
        while (j < i && slots_[j])
            ++j;
        while (i > j && !slots_[i])
            --i;
        if (i > j) {
            slots_[j] = slots_[i];
            slots_[i] = nullptr;
        }
    }
    slots_.resize(static_cast<size_t>(count_));
    SlotsRearranged();
}

void TTracklore::SortBy(TrackField key) {
    Compact();
    const int n = count_;
    if (n < 2) return;
    std::vector<Item> items(static_cast<size_t>(n));
    for (int slot = 0; slot < n; ++slot)
        items[slot] = {0, slots_[slot]};
    std::vector<int> ranks;
    const int distinct = RankRecords(items, key, ranks);
    if (distinct == n) {
        // No two keys equal: the partition sort yields plain ascending order.
        for (int i = 0; i < n; ++i)
            slots_[ranks[i]] = items[i].record;
        return;
    }
    std::vector<int> multiplicity(static_cast<size_t>(distinct), 0);
    for (int i = 0; i < n; ++i) {
        items[i].rank = ranks[i];
        ++multiplicity[ranks[i]];
    }
    PartitionSorter(items, multiplicity).Sort();
    for (int slot = 0; slot < n; ++slot)
        slots_[slot] = items[slot].record;
}

void TTracklore::Renumber() {
    ThrowIfResultSet("Renumber");
    lastID_ = 1;
    for (TrackRecord* record : slots_) {
        if (record) record->ID = lastID_++;
    }
    ++lastID_;
    ++idEpoch_;  // result sets over this catalogue rebuild their index as well
    indexed_ = false;
}

}  // namespace tracklore
