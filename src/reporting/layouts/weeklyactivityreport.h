#pragma once

#include "reporting/layouts/basereport.h"

#include <array>

// The weekly activity report ("Weekly Activity"): a timesheet grid of one week, one row per
// task with seven day columns and a row total, and a totals row. Column i shows the date
// PeriodFrom + (i − 1) days, whatever weekday the week starts on. No billing variant.
class TBaseWeeklyActivityReport : public TBaseReport {
public:
    explicit TBaseWeeklyActivityReport(bool letter);

    // The ISO weekday of PeriodFrom minus 1 (0 for a Monday … 6 for a Sunday).
    int FirstColumnOffset() const;
    // "1st", "2nd", "3rd", "4th" … "11th" … "21st" … "31st".
    static QString DayOrdinal(int day);

protected:
    // No charging filter, overtime always included, remarks never broken down.
    void LimitParameters(TReportParameters& parameters) override;
    void ArrangeColumns() override;
    bool PrepareLines() override;
    void WriteReportText() override;
    void StartLayoutRun() override;

private:
    void CreateBands();
    bool NextLine();
    void FillTotals();
    // The ISO weekday column i (0-based) shows.
    int ColumnWeekday(int column) const;

    TReportBand* FColumnHeader = nullptr;
    TReportBand* FDetail = nullptr;
    TReportBand* FTotal = nullptr;
    int FLineIndex = 0;
    std::array<double, 7> FColumnTotals{};
    int FProjectLeft = 92;
    int FCategoryLeft = 248;
};

class TWeeklyActivityReportA4 : public TBaseWeeklyActivityReport {
public:
    TWeeklyActivityReportA4() : TBaseWeeklyActivityReport(false) {}
};
class TWeeklyActivityReportLTR : public TBaseWeeklyActivityReport {
public:
    TWeeklyActivityReportLTR() : TBaseWeeklyActivityReport(true) {}
};
