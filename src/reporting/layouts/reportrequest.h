#pragma once

#include "reporting/layouts/reportlayouts.h"
#include "reporting/lineoptions.h"
#include "reporting/reportdata.h"
#include "storage/months/day.h" // TReportInput owns its days

#include <optional>

#include <QDate>
#include <QStringList>

class TBaseReport;

// What a report is asked for, as the report window and the command line both read it from
// their options: the kind and paper, the period, whose data and the filters.
struct TReportRequest {
    TReportKind Kind = TReportKind::Daily;
    bool Billing = false;
    bool Letter = false;
    QDate From;
    QDate To;
    // User folders (ending in "/"); none for the current user's own data.
    std::optional<QStringList> Users;
    QString ClientFilter;
    QString ProjectFilter; // only with a client filter
    TCharging Charging = TCharging::IncludeAll;
    bool ShowOvertime = true;
    bool BreakDownToRemarks = false;
};

// The days of a request and its user list, which a layout refers to while it runs.
struct TReportInput {
    TReportDays Days;
    QStringList Users;
};

// Orders the request's dates, sorts its users by their folders (letter case ignored, in the
// locale's collation: the order of the user list printed after the totals), collects the days
// and checks them. When they pass, the layout is initialised with them and true returned;
// otherwise reason says why (shown as a warning with showMessages). input must outlive the
// layout's run. A month line that cannot be read raises its EDataLineError.
bool PrepareReport(const TReportRequest& request, TBaseReport& layout, TReportInput& input,
                   bool showMessages, QString& reason);
