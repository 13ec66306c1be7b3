#include "valuetexts.h"

#include "base/applocale.h"
#include "base/textutils.h"

#include <cmath>

QString FixedText(double x) {
    // Whatever rounds to zero is written without a sign, never as "-0.00".
    const double hundredths = std::round(x * 100);
    QString text = QString::number(hundredths == 0 ? 0.0 : x, 'f', 2);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0)
        text.replace(point, 1, LocaleDecimalSeparator());
    return text;
}

QString HoursText(double x) {
    return x == 0 ? QStringLiteral("--") : FixedText(x);
}

QString FlagLetter(bool flag) {
    return YesNoLetter(flag);
}

QString MoneyText(const QString& prefix, TMoney amount) {
    return prefix + FormatMoney(amount);
}
