#include "money.h"

#include "app/applocale.h"

#include <cmath>

TMoney TMoney::FromDouble(double value) {
    return TMoney(static_cast<std::int64_t>(std::llround(value * Scale)));
}

QString FormatMoney(TMoney amount) {
    const std::int64_t units = amount.Units();
    const std::uint64_t magnitude =
        units < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(units) : std::uint64_t(units);
    const std::uint64_t hundredths = (magnitude + 50) / 100;
    const QString whole = QString::number(hundredths / 100);
    const QString cents = QStringLiteral("%1").arg(hundredths % 100, 2, 10, QLatin1Char('0'));
    const QString sign = units < 0 && hundredths != 0 ? QStringLiteral("-") : QString();
    return sign + whole + AppLocale().decimalPoint() + cents;
}

QString FormatMoney(double amount) { return FormatMoney(TMoney::FromDouble(amount)); }
