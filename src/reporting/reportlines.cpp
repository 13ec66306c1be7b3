#include "reportlines.h"

#include "reporting/reportentry.h"

#include <algorithm>
#include <cmath>

namespace {
int Sign(int value) {
    return (value > 0) - (value < 0);
}

int CompareText(const QString& a, const QString& b) {
    return Sign(QStringView(a).compare(QStringView(b), Qt::CaseSensitive));
}

// a1 + a2 against b1 + b2 by character codes, without building the joined texts.
int CompareJoined(QStringView a1, QStringView a2, QStringView b1, QStringView b2) {
    const qsizetype aSize = a1.size() + a2.size();
    const qsizetype bSize = b1.size() + b2.size();
    const qsizetype common = std::min(aSize, bSize);
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = i < a1.size() ? a1[i].unicode() : a2[i - a1.size()].unicode();
        const char16_t y = i < b1.size() ? b1[i].unicode() : b2[i - b1.size()].unicode();
        if (x != y)
            return x < y ? -1 : 1;
    }
    return Sign(static_cast<int>(aSize - bSize));
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

void TReportLines::Sort(TLineCompare compare) {
    std::stable_sort(
        FLines.begin(), FLines.end(),
        [compare](const TReportLine& a, const TReportLine& b) { return compare(a, b) < 0; });
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
