#pragma once

#include "storage/values/money.h"

#include <QDate>
#include <QString>

// What one block hands to a report line. The texts are referred to, not copied: a line that
// already exists only compares them, and a new line copies them, sharing the text data of the
// block. The entry must not outlive the texts it refers to.
struct TReportEntry {
    const QString& User;
    QDate Date;
    int StartTime = 0;
    int EndTime = 0;
    const QString& Client;
    const QString& Project;
    const QString& Category;
    const QString& Activity;
    const QString& Remarks;
    int WeekDay = 1; // Monday = 1 ... Sunday = 7
    double Hours = 0;
    bool OverTime = false;
    bool Chargeable = false;
    const QString& BillingCode;
    const QString& RateText;
    TMoney Amount;
};
