#include "taskranks.h"

#include "reporting/textorder.h"

#include <algorithm>
#include <functional>
#include <numeric>

namespace {
// One or two texts joined, known by where their characters lie: two equal keys are equal
// texts (the lines' texts do not change while they are ranked). Equal texts elsewhere in
// memory get keys of their own, and the same rank.
struct TTextKey {
    QStringView First;
    QStringView Second;

    bool operator==(const TTextKey& other) const {
        return First.data() == other.First.data() && First.size() == other.First.size() &&
               Second.data() == other.Second.data() && Second.size() == other.Second.size();
    }
};

struct TTextKeyHash {
    std::size_t operator()(const TTextKey& key) const noexcept {
        const auto mix = [](std::size_t hash, std::size_t value) {
            return (hash ^ value) * 0x9E3779B97F4A7C15ULL;
        };
        std::size_t hash = mix(0, reinterpret_cast<std::size_t>(key.First.data()));
        hash = mix(hash, static_cast<std::size_t>(key.First.size()));
        hash = mix(hash, reinterpret_cast<std::size_t>(key.Second.data()));
        return mix(hash, static_cast<std::size_t>(key.Second.size())) >> 7;
    }
};

int CompareKeys(const TTextKey& a, const TTextKey& b) {
    return CompareJoined(a.First, a.Second, b.First, b.Second);
}

// The rank of every line's text (keyOf(line)) in the text order: 0 for the first, equal
// ranks for equal texts.
std::vector<std::uint32_t> RanksOf(const std::vector<TReportLine>& lines,
                                   const std::function<TTextKey(const TReportLine&)>& keyOf) {
    // The distinct keys, found through an open hash table of their positions plus one.
    std::vector<TTextKey> distinct;
    std::size_t slotCount = 16;
    while (slotCount < lines.size() * 2)
        slotCount *= 2;
    std::vector<std::uint32_t> slots(slotCount, 0);
    std::vector<std::uint32_t> ranks;
    ranks.reserve(lines.size());
    for (const TReportLine& line : lines) {
        const TTextKey key = keyOf(line);
        std::size_t slot = TTextKeyHash()(key) & (slotCount - 1);
        while (slots[slot] != 0 && !(distinct[slots[slot] - 1] == key))
            slot = (slot + 1) & (slotCount - 1);
        if (slots[slot] == 0) {
            distinct.push_back(key);
            slots[slot] = static_cast<std::uint32_t>(distinct.size());
        }
        ranks.push_back(slots[slot] - 1);
    }
    std::vector<std::uint32_t> order(distinct.size());
    std::iota(order.begin(), order.end(), 0U);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return CompareKeys(distinct[a], distinct[b]) < 0;
    });
    std::vector<std::uint32_t> rankOfDistinct(distinct.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && CompareKeys(distinct[order[i - 1]], distinct[order[i]]) != 0)
            ++rank;
        rankOfDistinct[order[i]] = rank;
    }
    for (std::uint32_t& lineRank : ranks)
        lineRank = rankOfDistinct[lineRank];
    return ranks;
}
} // namespace

TTaskRanks::TTaskRanks(const std::vector<TReportLine>& lines) : FRanks(lines.size()) {
    const std::vector<std::uint32_t> clients =
        RanksOf(lines, [](const TReportLine& line) { return TTextKey{line.Client, {}}; });
    const std::vector<std::uint32_t> projects =
        RanksOf(lines, [](const TReportLine& line) { return TTextKey{line.Project, {}}; });
    const std::vector<std::uint32_t> tasks = RanksOf(
        lines, [](const TReportLine& line) { return TTextKey{line.Category, line.Activity}; });
    const std::vector<std::uint32_t> remarks =
        RanksOf(lines, [](const TReportLine& line) { return TTextKey{line.Remarks, {}}; });
    for (std::size_t i = 0; i < lines.size(); ++i)
        FRanks[i] = {clients[i], projects[i], tasks[i], remarks[i]};
}
