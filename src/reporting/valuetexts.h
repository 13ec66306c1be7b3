#pragma once

#include "storage/values/money.h"

#include <QString>

// The short value texts of reports and the saved report text: the locale's decimal separator,
// never a thousands separator.

// Two decimals, rounded to the nearest hundredth: "7.50", "0.00".
QString FixedText(double x);
// "--" for exactly 0, else FixedText.
QString HoursText(double x);
// "Y" or "N".
QString FlagLetter(bool flag);
// prefix (nothing or the currency symbol) followed by the money text: "$12.50".
QString MoneyText(const QString& prefix, TMoney amount);
