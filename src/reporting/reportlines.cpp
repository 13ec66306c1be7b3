#include "reportlines.h"

#include "reporting/reportentry.h"
#include "reporting/taskranks.h"
#include "reporting/textorder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace {
// Puts the line at position order[i] to position i, following each cycle of the order with
// one line held aside; order is used up.
void MoveIntoOrder(std::vector<TReportLine>& lines, std::vector<std::uint32_t>& order) {
    for (std::uint32_t start = 0; start < order.size(); ++start) {
        if (order[start] == start)
            continue;
        TReportLine held = std::move(lines[start]);
        std::uint32_t to = start;
        while (order[to] != start) {
            const std::uint32_t from = order[to];
            lines[to] = std::move(lines[from]);
            order[to] = to;
            to = from;
        }
        lines[to] = std::move(held);
        order[to] = to;
    }
}

double RoundToHundredths(double hours) {
    // The default rounding mode takes halves to the even neighbour.
    return std::nearbyint(hours * 100) / 100;
}
} // namespace

int CompareByTask(const TReportLine& a, const TReportLine& b) {
    if (const int client = CompareText(a.Client, b.Client))
        return client;
    if (const int project = CompareText(a.Project, b.Project))
        return project;
    if (const int task = CompareJoined(a.Category, a.Activity, b.Category, b.Activity))
        return task;
    return CompareText(a.Remarks, b.Remarks);
}

int CompareByDate(const TReportLine& a, const TReportLine& b) {
    if (a.Date != b.Date)
        return a.Date < b.Date ? -1 : 1;
    if (a.StartTime != b.StartTime)
        return a.StartTime < b.StartTime ? -1 : 1;
    return CompareByTask(a, b);
}

TReportLines::TReportLines(const TReportLines& other) : FLines(other.FLines) {}

TReportLines::TReportLines(TReportLines&& other) noexcept : FLines(std::move(other.FLines)) {
    other.Clear();
}

TReportLines& TReportLines::operator=(const TReportLines& other) {
    if (this != &other) {
        FLines = other.FLines;
        FIndex.Clear();
    }
    return *this;
}

TReportLines& TReportLines::operator=(TReportLines&& other) noexcept {
    if (this != &other) {
        FLines = std::move(other.FLines);
        FIndex.Clear();
        other.Clear();
    }
    return *this;
}

const TReportLine& TReportLines::Add(bool consolidate, const TReportEntry& entry) {
    CheckWeekDay(entry.WeekDay);
    int position = consolidate ? FIndex.Find(FLines, entry) : -1;
    if (position < 0) {
        FLines.emplace_back(entry);
        position = Count() - 1;
    }
    TReportLine& line = FLines[static_cast<std::size_t>(position)];
    line.AddHours(entry.WeekDay, entry.OverTime, entry.Amount, entry.Hours);
    return line;
}

std::size_t TReportLines::FindOrAppend(const TReportEntry& entry) {
    CheckWeekDay(entry.WeekDay);
    const int position = FIndex.Find(FLines, entry);
    if (position >= 0)
        return static_cast<std::size_t>(position);
    FLines.emplace_back(entry);
    return FLines.size() - 1;
}

void TReportLines::Sort(TLineCompare compare) {
    // The positions are sorted, and each line is then moved once: lines are large.
    std::vector<std::uint32_t> order(FLines.size());
    std::iota(order.begin(), order.end(), 0U);
    if (compare == CompareByTask || compare == CompareByDate) {
        // The task's texts are ranked once; the sort then compares numbers.
        const std::vector<TTaskKey> keys = TaskKeys(FLines);
        const bool byDate = compare == CompareByDate;
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            const TReportLine& x = FLines[a];
            const TReportLine& y = FLines[b];
            if (byDate && x.Date != y.Date)
                return x.Date < y.Date;
            if (byDate && x.StartTime != y.StartTime)
                return x.StartTime < y.StartTime;
            return keys[a] < keys[b];
        });
    } else {
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return compare(FLines[a], FLines[b]) < 0;
        });
    }
    MoveIntoOrder(FLines, order);
    // The index holds positions, which the sort has changed.
    FIndex.Clear();
}

THourTotals TReportLines::HourTotals() const {
    THourTotals totals;
    for (const TReportLine& line : FLines) {
        totals.Normal += RoundToHundredths(line.NormalHours);
        totals.Overtime += RoundToHundredths(line.OvertimeHours);
    }
    return totals;
}

TLineTotals TReportLines::Totals() const {
    TLineTotals totals;
    for (const TReportLine& line : FLines) {
        totals.Hours += line.NormalHours + line.OvertimeHours;
        totals.Amount += line.Amount;
    }
    return totals;
}

void TReportLines::Clear() {
    FLines.clear();
    FIndex.Clear();
}
