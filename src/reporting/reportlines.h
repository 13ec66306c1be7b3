#pragma once

#include "reporting/lineindex.h"
#include "reporting/reportline.h"
#include "storage/values/money.h"

#include <algorithm>
#include <cstdint>
#include <vector>

struct TReportEntry;

// Line orders for TReportLines::Sort: < 0 when a comes first, 0 when the order does not
// matter. Texts compare by character codes, letter case included.
using TLineCompare = int (*)(const TReportLine& a, const TReportLine& b);
// Client, project, category and activity joined, remarks.
int CompareByTask(const TReportLine& a, const TReportLine& b);
// Date, start time, then as CompareByTask.
int CompareByDate(const TReportLine& a, const TReportLine& b);

// The hours of HourTotals: each line rounded to hundredths before adding.
struct THourTotals {
    double Normal = 0;
    double Overtime = 0;
};

// The exact sums of Totals.
struct TLineTotals {
    double Hours = 0;
    TMoney Amount;
};

// The lines of a report in their order. Lines are appended and stay in place until Sort; a
// block that consolidates goes into the first line of its task (TReportLine::Matches), found
// through an index so that a year of a work group is built in time linear in its blocks.
class TReportLines {
public:
    TReportLines() = default;
    // Copies and moves take the lines; the index is rebuilt when it is next needed.
    TReportLines(const TReportLines& other);
    TReportLines(TReportLines&& other) noexcept;
    TReportLines& operator=(const TReportLines& other);
    TReportLines& operator=(TReportLines&& other) noexcept;
    ~TReportLines() = default;

    // Adds one block: with consolidate into the first line it matches, otherwise (or when
    // none matches) into a new line at the end. Returns the line, which stays valid until the
    // next change of the list. A weekday outside 1..7 raises std::out_of_range and adds nothing.
    const TReportLine& Add(bool consolidate, const TReportEntry& entry);
    // The position of the line entry consolidates into, appended (without hours) when there
    // is none; the entry's hours are not added. For a caller that adds the hours of many
    // blocks at once (LineAt).
    std::size_t FindOrAppend(const TReportEntry& entry);
    TReportLine& LineAt(std::size_t position) { return FLines.at(position); }
    // A stable sort.
    void Sort(TLineCompare compare);
    // For adding many blocks at once: while a batch is open, the caller promises that every
    // text handed to Add stays alive and unchanged until EndBatch, and the index may then
    // memoize texts by their data pointers (TTextIds). BuildReportLines adds a period this way.
    void BeginBatch() { FIndex.SetMemoizing(true); }
    void EndBatch() { FIndex.SetMemoizing(false); }
    // Within a batch: the promise holds from now on only for the texts handed over from now
    // on; those given before may change or go. For a caller that moves on to texts of
    // another kind, such as the blocks of the next month.
    void RenewBatch() { FIndex.ClearMemo(); }
    // Normal and overtime hours, each line rounded to hundredths (halves to even) first.
    THourTotals HourTotals() const;
    // All hours and the amount, unrounded.
    TLineTotals Totals() const;

    int Count() const { return static_cast<int>(FLines.size()); }
    const TReportLine& operator[](int index) const {
        return FLines.at(static_cast<std::size_t>(index));
    }
    const std::vector<TReportLine>& Lines() const { return FLines; }
    void Clear();
    // Room for count lines; grows at least by half again, so that many small calls do not
    // move the lines every time.
    void Reserve(std::size_t count) {
        if (count > FLines.capacity())
            FLines.reserve(std::max(count, FLines.capacity() + FLines.capacity() / 2));
    }

private:
    std::vector<TReportLine> FLines;
    TLineIndex FIndex;
};
