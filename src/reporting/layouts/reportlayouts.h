#pragma once

#include <memory>

class TBaseReport;

// The four report families of the report window.
enum class TReportKind { Daily, WeeklyActivity, Activity, Overtime };

// A new layout of a kind on A4 or Letter paper, plain or with billing. The weekly activity
// report has no billing variant: billing is ignored for it.
std::unique_ptr<TBaseReport> NewReportLayout(TReportKind kind, bool billing, bool letter);

// The fourteen layouts the program makes once at start and reuses for every report.
class TReportLayouts {
public:
    TReportLayouts();
    ~TReportLayouts();
    TReportLayouts(const TReportLayouts&) = delete;
    TReportLayouts& operator=(const TReportLayouts&) = delete;

    TBaseReport& Layout(TReportKind kind, bool billing, bool letter);

private:
    // Index: kind × 4 + billing × 2 + letter; the weekly report's billing slots stay empty.
    std::unique_ptr<TBaseReport> FLayouts[16];
};

// Makes the program's layouts and sets ReportsAvailable by whether that worked (none when it
// did not).
std::unique_ptr<TReportLayouts> CreateReportLayouts();
