#include "money.h"

#include "base/applocale.h"
#include "base/textutils.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {
constexpr std::int64_t HundredthUnits = TMoney::Scale / 100;
constexpr int ScaleDigits = 4;
// Whole currency units that still fit as ten-thousandths in 64 bits, with room to round.
constexpr std::int64_t MaxWholeUnits = std::numeric_limits<std::int64_t>::max() / TMoney::Scale - 1;

std::int64_t CutToHundredths(std::int64_t units) {
    return units / HundredthUnits * HundredthUnits;
}

bool AllDigits(QStringView text) {
    for (const QChar ch : text)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    return true;
}

// Exact reading of plain "[sign]digits[separator digits]" text, without going through a
// binary fraction; none for any other form (exponents, for example).
std::optional<std::int64_t> PlainDecimalUnits(const QString& text) {
    const QLocale& locale = AppLocale();
    QStringView rest(text);
    bool negative = false;
    if (rest.startsWith(locale.negativeSign())) {
        negative = true;
        rest = rest.mid(locale.negativeSign().size());
    } else if (rest.startsWith(locale.positiveSign())) {
        rest = rest.mid(locale.positiveSign().size());
    }
    const qsizetype separator = rest.indexOf(LocaleDecimalSeparator());
    const QStringView whole = separator < 0 ? rest : rest.left(separator);
    const QStringView fraction =
        separator < 0 ? QStringView() : rest.mid(separator + LocaleDecimalSeparator().size());
    if (!AllDigits(whole) || !AllDigits(fraction) || (whole.isEmpty() && fraction.isEmpty()))
        return std::nullopt;
    std::int64_t units = 0;
    for (const QChar ch : whole) {
        units = units * 10 + (ch.unicode() - u'0');
        if (units > MaxWholeUnits)
            return std::nullopt;
    }
    units *= TMoney::Scale;
    std::int64_t place = TMoney::Scale / 10;
    for (qsizetype i = 0; i < fraction.size() && i < ScaleDigits; ++i, place /= 10)
        units += (fraction.at(i).unicode() - u'0') * place;
    // Nearest ten-thousandth. How a tie goes cannot matter: it reaches the hundredths only
    // through a fourth decimal 9, which rounds up either way.
    if (fraction.size() > ScaleDigits && fraction.at(ScaleDigits) >= QLatin1Char('5'))
        ++units;
    return negative ? -units : units;
}

std::optional<std::int64_t> RealUnits(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= static_cast<double>(MaxWholeUnits))
        return std::nullopt;
    return std::llround(value * TMoney::Scale);
}

// numerator / denominator (denominator > 0) to the nearest integer, halves to even.
std::int64_t DivideHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    const std::int64_t twiceRemainder = 2 * std::abs(numerator % denominator);
    const bool up =
        twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0);
    if (up)
        quotient += numerator < 0 ? -1 : 1;
    return quotient;
}

// hours × rate as a real number, rounded in the default (to even) mode: the charge of time
// that is not whole minutes, or whose product does not fit.
TMoney RealHourlyCharge(double hours, TMoney rate) {
    const long double units = std::nearbyint(static_cast<long double>(hours) * rate.Units());
    constexpr auto limit = static_cast<long double>(std::numeric_limits<std::int64_t>::max());
    if (!std::isfinite(units))
        return TMoney();
    if (std::fabs(units) >= limit)
        return TMoney::FromUnits(units < 0 ? -std::numeric_limits<std::int64_t>::max()
                                           : std::numeric_limits<std::int64_t>::max());
    return TMoney::FromUnits(static_cast<std::int64_t>(units));
}
} // namespace

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
    return sign + whole + LocaleDecimalSeparator() + cents;
}

QString FormatMoney(double amount) {
    return FormatMoney(TMoney::FromDouble(amount));
}

bool ParseAmount(const QString& text, TMoney& amount) {
    const QString trimmed = text.trimmed();
    double value = 0;
    if (!TryReal(trimmed, value))
        return false;
    std::optional<std::int64_t> units = PlainDecimalUnits(trimmed);
    if (!units)
        units = RealUnits(value);
    if (!units)
        return false;
    amount = TMoney::FromUnits(CutToHundredths(*units));
    return true;
}

bool ParseAmountWithSymbol(const QString& text, const QString& symbol, TMoney& amount) {
    QString rest = text;
    if (!symbol.isEmpty()) {
        const qsizetype at = rest.indexOf(symbol);
        if (at >= 0)
            rest.remove(at, symbol.size());
    }
    return ParseAmount(rest, amount);
}

TMoney HourlyCharge(double hours, TMoney rate) {
    const double minutes = hours * 60;
    const double wholeMinutes = std::nearbyint(minutes);
    std::int64_t product = 0;
    if (std::fabs(minutes - wholeMinutes) < 1e-6 &&
        std::fabs(wholeMinutes) < static_cast<double>(std::numeric_limits<std::int32_t>::max()) &&
        !__builtin_mul_overflow(static_cast<std::int64_t>(wholeMinutes), rate.Units(), &product))
        return TMoney::FromUnits(DivideHalfEven(product, 60));
    return RealHourlyCharge(hours, rate);
}

TMoney HourlyChargeOfMinutes(std::int32_t minutes, TMoney rate) {
    std::int64_t product = 0;
    // The same whole minutes HourlyCharge computes exactly.
    if (std::abs(std::int64_t{minutes}) < std::numeric_limits<std::int32_t>::max() &&
        !__builtin_mul_overflow(std::int64_t{minutes}, rate.Units(), &product))
        return TMoney::FromUnits(DivideHalfEven(product, 60));
    return RealHourlyCharge(minutes / 60.0, rate);
}
