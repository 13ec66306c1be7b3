#include "reportlayouts.h"

#include "reporting/layouts/activityreport.h"
#include "reporting/layouts/dailyreport.h"
#include "reporting/layouts/overtimereport.h"
#include "reporting/layouts/reportavailability.h"
#include "reporting/layouts/weeklyactivityreport.h"

#include <exception>

namespace {
template <class Plain, class PlainLetter, class Billing, class BillingLetter>
std::unique_ptr<TBaseReport> Pick(bool billing, bool letter) {
    if (billing)
        return letter ? std::unique_ptr<TBaseReport>(std::make_unique<BillingLetter>())
                      : std::make_unique<Billing>();
    return letter ? std::unique_ptr<TBaseReport>(std::make_unique<PlainLetter>())
                  : std::make_unique<Plain>();
}

int IndexOf(TReportKind kind, bool billing, bool letter) {
    return int(kind) * 4 + (billing ? 2 : 0) + (letter ? 1 : 0);
}
} // namespace

std::unique_ptr<TBaseReport> NewReportLayout(TReportKind kind, bool billing, bool letter) {
    switch (kind) {
    case TReportKind::Daily:
        return Pick<TDailyReportA4, TDailyReportLTR, TDailyBillingReportA4, TDailyBillingReportLTR>(
            billing, letter);
    case TReportKind::WeeklyActivity:
        return letter ? std::unique_ptr<TBaseReport>(std::make_unique<TWeeklyActivityReportLTR>())
                      : std::make_unique<TWeeklyActivityReportA4>();
    case TReportKind::Activity:
        return Pick<TActivityReportA4, TActivityReportLTR, TActivityBillingReportA4,
                    TActivityBillingReportLTR>(billing, letter);
    case TReportKind::Overtime:
        break;
    }
    return Pick<TOvertimeReportA4, TOvertimeReportLTR, TOvertimeBillingReportA4,
                TOvertimeBillingReportLTR>(billing, letter);
}

TReportLayouts::TReportLayouts() {
    for (TReportKind kind : {TReportKind::Daily, TReportKind::WeeklyActivity, TReportKind::Activity,
                             TReportKind::Overtime})
        for (bool billing : {false, true})
            for (bool letter : {false, true})
                if (!billing || kind != TReportKind::WeeklyActivity)
                    FLayouts[IndexOf(kind, billing, letter)] = NewReportLayout(kind, billing, letter);
}

TReportLayouts::~TReportLayouts() = default;

TBaseReport& TReportLayouts::Layout(TReportKind kind, bool billing, bool letter) {
    if (kind == TReportKind::WeeklyActivity)
        billing = false;
    return *FLayouts[IndexOf(kind, billing, letter)];
}

std::unique_ptr<TReportLayouts> CreateReportLayouts() {
    try {
        auto layouts = std::make_unique<TReportLayouts>();
        ReportsAvailable = true;
        return layouts;
    } catch (const std::exception&) {
        ReportsAvailable = false;
        return nullptr;
    }
}
