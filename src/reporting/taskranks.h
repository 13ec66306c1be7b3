#pragma once

#include "reporting/reportline.h"

#include <compare>
#include <cstdint>
#include <vector>

// The task order of report lines (CompareByTask) as numbers: each line's client, project,
// category and activity joined, and remarks get the rank of their text among the lines'
// distinct texts. Sorting then compares numbers, and each distinct text is compared with
// others only while the few distinct texts are ranked; lines share most of their texts.
class TTaskRanks {
public:
    explicit TTaskRanks(const std::vector<TReportLine>& lines);

    // The same as CompareByTask for the lines at positions a and b.
    std::strong_ordering Compare(std::size_t a, std::size_t b) const {
        return FRanks[a] <=> FRanks[b];
    }

private:
    struct TRanks {
        std::uint32_t Client = 0;
        std::uint32_t Project = 0;
        std::uint32_t Task = 0;
        std::uint32_t Remarks = 0;

        auto operator<=>(const TRanks&) const = default;
    };

    std::vector<TRanks> FRanks;
};
