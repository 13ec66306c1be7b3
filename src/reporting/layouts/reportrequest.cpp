#include "reportrequest.h"

#include "reporting/layouts/basereport.h"
#include "storage/months/day.h"

#include <algorithm>

#include <QCollator>

namespace {
void SortFolders(QStringList& folders) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(folders.begin(), folders.end(),
                     [&collator](const QString& a, const QString& b) {
                         return collator.compare(a, b) < 0;
                     });
}
} // namespace

bool PrepareReport(const TReportRequest& request, TBaseReport& layout, TReportInput& input,
                   bool showMessages, QString& reason) {
    reason.clear();
    const QDate from = std::min(request.From, request.To);
    const QDate to = std::max(request.From, request.To);
    input.Users = request.Users.value_or(QStringList());
    SortFolders(input.Users);
    input.Days = CollectReportDays(from, to,
                                   request.Users ? std::optional<QStringList>(input.Users)
                                                 : std::nullopt);
    if (!CheckReportDays(input.Days, showMessages, reason))
        return false;
    TReportParameters parameters;
    parameters.Days = &input.Days;
    parameters.PeriodFrom = from;
    parameters.PeriodTo = to;
    parameters.ClientFilter = request.ClientFilter;
    parameters.ProjectFilter = request.ClientFilter.isEmpty() ? QString() : request.ProjectFilter;
    parameters.Users = request.Users ? &input.Users : nullptr;
    parameters.Charging = request.Charging;
    parameters.ShowOvertime = request.ShowOvertime;
    parameters.BreakDownToRemarks = request.BreakDownToRemarks;
    layout.Initialise(parameters);
    return true;
}
