#include "taskranks.h"

#include "reporting/textorder.h"

#include <algorithm>

#include <QHash>

namespace {
struct TPair {
    QString First;
    QString Second;
    bool operator==(const TPair&) const = default;
};

size_t qHash(const TPair& pair, size_t seed = 0) {
    return ::qHash(pair.First, seed) ^ (::qHash(pair.Second, seed) * 31);
}

// Ranks the distinct values of one field: the position in the sorted distinct values, with
// equal ranks for values the order calls equal.
template <class TValue, class TCompare>
std::vector<std::uint32_t> Ranks(const std::vector<TValue>& distinct, TCompare compare) {
    std::vector<std::uint32_t> order(distinct.size());
    for (std::uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return compare(distinct[a], distinct[b]) < 0;
    });
    std::vector<std::uint32_t> rank(distinct.size());
    std::uint32_t current = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && compare(distinct[order[i - 1]], distinct[order[i]]) != 0)
            ++current;
        rank[order[i]] = current;
    }
    return rank;
}

// Numbers the distinct values of a field in the order met.
template <class TValue> class TDistinct {
public:
    std::uint32_t Id(const TValue& value) {
        const auto found = FIds.constFind(value);
        if (found != FIds.constEnd())
            return found.value();
        const auto id = std::uint32_t(FValues.size());
        FIds.insert(value, id);
        FValues.push_back(value);
        return id;
    }
    const std::vector<TValue>& Values() const { return FValues; }

private:
    QHash<TValue, std::uint32_t> FIds;
    std::vector<TValue> FValues;
};
} // namespace

struct TTaskRanker::TFields {
    TDistinct<QString> Clients, Projects, Remarks;
    TDistinct<TPair> Tasks;
};

TTaskRanker::TTaskRanker() : FFields(std::make_unique<TFields>()) {}
TTaskRanker::~TTaskRanker() = default;

void TTaskRanker::Add(const TReportLine& line) {
    FKeys.push_back({FFields->Clients.Id(line.Client), FFields->Projects.Id(line.Project),
                     FFields->Tasks.Id(TPair{line.Category, line.Activity}),
                     FFields->Remarks.Id(line.Remarks)});
}

std::vector<TTaskKey> TTaskRanker::Keys() const {
    const auto byText = [](const QString& a, const QString& b) { return CompareText(a, b); };
    const std::vector<std::uint32_t> clientRank = Ranks(FFields->Clients.Values(), byText);
    const std::vector<std::uint32_t> projectRank = Ranks(FFields->Projects.Values(), byText);
    const std::vector<std::uint32_t> remarksRank = Ranks(FFields->Remarks.Values(), byText);
    const std::vector<std::uint32_t> taskRank =
        Ranks(FFields->Tasks.Values(), [](const TPair& a, const TPair& b) {
            return CompareJoined(a.First, a.Second, b.First, b.Second);
        });
    std::vector<TTaskKey> keys(FKeys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const TTaskKey& key = FKeys[i];
        keys[i] = {clientRank[key.Client], projectRank[key.Project], taskRank[key.Task],
                   remarksRank[key.Remarks]};
    }
    return keys;
}

std::vector<TTaskKey> TaskKeys(const std::vector<TReportLine>& lines) {
    TTaskRanker ranker;
    for (const TReportLine& line : lines)
        ranker.Add(line);
    return ranker.Keys();
}
