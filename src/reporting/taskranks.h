#pragma once

#include "reporting/reportline.h"

#include <cstdint>
#include <memory>
#include <vector>

// The task order of lines (client, project, category and activity joined, remarks, as
// CompareByTask has it) as numbers: each distinct text is ranked once, so that a year's lines
// sort by comparing four numbers instead of four texts. Texts that compare equal share a rank.
struct TTaskKey {
    std::uint32_t Client = 0;
    std::uint32_t Project = 0;
    std::uint32_t Task = 0;
    std::uint32_t Remarks = 0;
    auto operator<=>(const TTaskKey&) const = default;
};

std::vector<TTaskKey> TaskKeys(const std::vector<TReportLine>& lines);

// The same for lines met one at a time (a period's text made day by day, without keeping the
// lines): Keys gives the key of every line added, in the order added.
class TTaskRanker {
public:
    TTaskRanker();
    ~TTaskRanker();
    TTaskRanker(const TTaskRanker&) = delete;
    TTaskRanker& operator=(const TTaskRanker&) = delete;

    void Add(const TReportLine& line);
    std::vector<TTaskKey> Keys() const;

private:
    struct TFields;
    std::unique_ptr<TFields> FFields;
    std::vector<TTaskKey> FKeys; // numbers of distinct texts, not yet ranks
};
