#pragma once

// moc (which reads the window headers that use money) cannot parse this compiler's <compare>;
// it needs nothing from it.
#ifndef Q_MOC_RUN
#include <compare>
#endif
#include <cstdint>

#include <QString>

// A fixed-point amount of money: a signed count of ten-thousandths. Addition is exact.
class TMoney {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr TMoney() = default;
    static constexpr TMoney FromUnits(std::int64_t units) { return TMoney(units); }
    // The nearest ten-thousandth of value; halves away from zero.
    static TMoney FromDouble(double value);

    constexpr std::int64_t Units() const { return FUnits; }
    double ToDouble() const { return static_cast<double>(FUnits) / Scale; }

    constexpr TMoney operator+(TMoney other) const { return TMoney(FUnits + other.FUnits); }
    constexpr TMoney operator-(TMoney other) const { return TMoney(FUnits - other.FUnits); }
    constexpr TMoney operator-() const { return TMoney(-FUnits); }
    TMoney& operator+=(TMoney other) {
        FUnits += other.FUnits;
        return *this;
    }
    constexpr auto operator<=>(const TMoney&) const = default;

private:
    constexpr explicit TMoney(std::int64_t units) : FUnits(units) {}
    std::int64_t FUnits = 0;
};

// The amount with two decimals (halves away from zero), the locale's decimal separator and
// no grouping, e.g. "1234.50" or "-0.05".
QString FormatMoney(TMoney amount);
QString FormatMoney(double amount);

// Reads a decimal number in the locale's form (its decimal separator, no grouping, blanks
// around it allowed). The value is taken to the nearest ten-thousandth and then cut toward
// zero to whole hundredths: "45.999" gives 45.99. False when the text is not a number or
// too large to hold.
bool ParseAmount(const QString& text, TMoney& amount);
// As ParseAmount after removing the first occurrence of symbol (when it is not empty), so
// "$45.50" and "45.50 €" read as amounts.
bool ParseAmountWithSymbol(const QString& text, const QString& symbol, TMoney& amount);

// hours × rate to the nearest ten-thousandth, halves to even: the charge of time billed by
// the hour. Whole minutes (the durations of blocks) are computed exactly.
TMoney HourlyCharge(double hours, TMoney rate);
// The same for whole minutes: HourlyCharge(minutes / 60.0, rate), exactly.
TMoney HourlyChargeOfMinutes(std::int32_t minutes, TMoney rate);
