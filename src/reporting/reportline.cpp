#include "reportline.h"

#include "base/converterror.h"
#include "base/textutils.h"
#include "reporting/asciifold.h"
#include "reporting/reportentry.h"
#include "storage/settings/adminsettings.h"

#include <numeric>
#include <stdexcept>

namespace {
const QString NoRate = QStringLiteral("--");
} // namespace

void CheckWeekDay(int weekDay) {
    if (weekDay < 1 || weekDay > 7)
        throw std::out_of_range("weekday outside 1..7");
}

TReportLine::TReportLine(const TReportEntry& entry)
    : User(entry.User), Date(entry.Date), StartTime(entry.StartTime), EndTime(entry.EndTime),
      Client(entry.Client), Project(entry.Project), Category(entry.Category),
      Activity(entry.Activity), Remarks(entry.Remarks), Chargeable(entry.Chargeable),
      BillingCode(entry.BillingCode), RateText(entry.RateText) {}

void TReportLine::AddHours(int weekDay, bool overTime, TMoney amount, double hours) {
    CheckWeekDay(weekDay);
    DayHours[static_cast<std::size_t>(weekDay)] += hours;
    if (overTime)
        OvertimeHours += hours;
    else
        NormalHours += hours;
    Amount += amount;
    ++BlockCount;
}

bool TReportLine::Matches(const TReportEntry& entry) const {
    return Chargeable == entry.Chargeable && BillingCode == entry.BillingCode &&
           RateText == entry.RateText && SameAsciiFolded(Client, entry.Client) &&
           SameAsciiFolded(Project, entry.Project) && SameAsciiFolded(Category, entry.Category) &&
           SameAsciiFolded(Activity, entry.Activity) && SameAsciiFolded(Remarks, entry.Remarks) &&
           (entry.User.isEmpty() || SameAsciiFolded(User, entry.User));
}

double TReportLine::TotalHours() const {
    return std::accumulate(DayHours.begin(), DayHours.end(), 0.0);
}

QString TReportLine::AmountText() const {
    // Made when asked: formatting the sum after every block would cost more than the rest of
    // building the line.
    return BlockCount > 0 ? FormatMoney(Amount) : QString();
}

QString TReportLine::RateWithSymbol(const QString& currencySymbol) const {
    return RateText == NoRate ? NoRate : currencySymbol + RateText;
}

QString TReportLine::AmountWithSymbol(const QString& currencySymbol) const {
    return currencySymbol + AmountText();
}

QString TReportLine::RateWithSymbol() const {
    return RateWithSymbol(AdminSettings().CurrencySymbol);
}

QString TReportLine::AmountWithSymbol() const {
    return AmountWithSymbol(AdminSettings().CurrencySymbol);
}

TMoney TReportLine::RateValue() const {
    if (RateText == NoRate)
        return {};
    TMoney rate;
    if (!ParseAmount(RateText, rate))
        throw EConvertError(QuotedText(RateText) + QStringLiteral(" is not a valid amount"), RateText);
    return rate;
}
