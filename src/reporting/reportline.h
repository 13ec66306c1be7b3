#pragma once

#include "storage/values/money.h"

#include <array>

#include <QDate>
#include <QString>

struct TReportEntry;

// One line of a report: one block, or the sum of the blocks of one task. The texts, the date
// and the times are those of the first block; the hours and the amount are summed.
class TReportLine {
public:
    TReportLine() = default;
    // The entry's texts, date, times and chargeable flag; no hours and no amount yet.
    explicit TReportLine(const TReportEntry& entry);

    // Adds one block's hours to its weekday (Monday = 1 ... Sunday = 7; any other value
    // raises std::out_of_range and changes nothing) and to the normal or overtime hours, and
    // its charge to the amount.
    void AddHours(int weekDay, bool overTime, TMoney amount, double hours);
    // True when a block with entry's values belongs to this line: the same texts (a-z letter
    // case ignored; billing code and rate text exactly), the same chargeable flag, and either
    // no user given or the line's user.
    bool Matches(const TReportEntry& entry) const;

    // The sum of the weekdays' hours.
    double TotalHours() const;
    // The amount as money text without symbol; empty until a block was added.
    QString AmountText() const;
    // "--" when there is no rate, else the symbol before the rate text.
    QString RateWithSymbol(const QString& currencySymbol) const;
    QString AmountWithSymbol(const QString& currencySymbol) const;
    // The same with the administration setting "CurrencySymbol".
    QString RateWithSymbol() const;
    QString AmountWithSymbol() const;
    // The rate text as money; 0 for "--". A text that is not an amount raises EConvertError.
    TMoney RateValue() const;

    QString User;
    QDate Date;
    int StartTime = 0;
    int EndTime = 0;
    QString Client;
    QString Project;
    QString Category;
    QString Activity;
    QString Remarks;
    bool Chargeable = false;
    QString BillingCode;
    QString RateText;
    // The sums come last and together: adding a block touches nothing else.
    // Hours per weekday, Monday = 1 ... Sunday = 7; index 0 stays 0.
    std::array<double, 8> DayHours{};
    double NormalHours = 0;
    double OvertimeHours = 0;
    TMoney Amount;
    int BlockCount = 0;
};

// Raises std::out_of_range unless weekDay is 1..7.
void CheckWeekDay(int weekDay);
