#pragma once

#include "storage/months/billinginfo.h"
#include "storage/values/money.h"

#include <cstdint>

#include <QString>

class TBlock;

// "Y", "N", "HRA", "FPR", "CON", "FOC" for codes 0..5; any other code gives "FOC".
QString BillingCodeText(int code);
// "Chargeable", "Not Chargeable", "Hourly Rate", "Fixed Price", "Contract", "Free of Charge"
// for codes 0..5; any other code gives "Free of Charge".
QString BillingCodeName(int code);
// "CAS", "USR", "CLI" for sources 0..2; any other source gives "PRO".
QString SourceText(int source);

// The compact form kept in month and list files: empty for codes 0 and 1, otherwise code
// text + source text + amount, e.g. "HRAUSR45.00".
QString BillingText(const TBillingInfo& info);
// Currency symbol, amount, a space and the code text, e.g. "$45.00 HRA".
QString ShortBillingText(const TBillingInfo& info, const QString& currencySymbol);

// Reads a billing text (letter case and surrounding blanks ignored). A text starting with
// "Y" or "N" is code 0 or 1 with source 0 and rate 0, whatever follows. Otherwise three
// letters of code, three of source and the amount. The amount is read in the locale's form
// and, failing that, with the other of "." and "," as decimal separator, because a work group
// shares files written under different locales. The values are changed only on success.
bool ParseBillingText(const QString& text, std::uint8_t& code, std::uint8_t& source, TMoney& rate);

// Normalises the rate text of the block details: for codes with an editable rate (2, 3) true
// when it reads as an amount (the currency symbol allowed); otherwise, and for every other
// code, rateText becomes "0" (the result is then true for the other codes only).
bool CheckRateText(int code, const QString& symbol, QString& rateText);

// Billing queries of a block, given its billing object (null when it has none) and its
// chargeable flag.

// The billing object's code; without one, 0 when chargeable and 1 when not.
inline int BlockCode(const TBillingInfo* billing, bool chargeable) {
    if (billing)
        return billing->Code;
    return chargeable ? bcChargeable : bcNotChargeable;
}
// BillingCodeText of the billing object's code; without one "Y" or "N".
QString BlockCodeText(const TBillingInfo* billing, bool chargeable);
// The billing object's rate; 0 without one.
TMoney BlockRate(const TBillingInfo* billing);
// A billing object whose rate means something: hourly rate, fixed price or free of charge.
inline bool HasRate(const TBillingInfo* billing) {
    return billing && (billing->Code == bcHourlyRate || billing->Code == bcFixedPrice ||
                       billing->Code == bcFreeOfCharge);
}
// "--" unless HasRate; otherwise the amount, after the currency symbol when withSymbol.
QString BlockRateText(const TBillingInfo* billing, bool withSymbol, const QString& currencySymbol);
// What the time is charged: 0 without a billing object and for Free of Charge (whatever its
// rate); for an hourly rate hours × rate to the nearest ten-thousandth (halves to even); for
// every other code the rate itself.
TMoney Charge(const TBillingInfo* billing, double hours);
// The same for whole minutes (minutes / 60 hours), without a real number when it can.
inline TMoney MinutesCharge(const TBillingInfo* billing, std::int32_t minutes) {
    if (!billing || billing->Code == bcFreeOfCharge)
        return {};
    if (billing->Code == bcHourlyRate)
        return HourlyChargeOfMinutes(minutes, billing->Rate);
    return billing->Rate;
}

// The same queries on a block; they forward to the forms above with the block's billing
// object, chargeable flag and hours.
int BlockCode(const TBlock& block);
QString BlockCodeText(const TBlock& block);
TMoney BlockRate(const TBlock& block);
bool HasRate(const TBlock& block);
QString BlockRateText(const TBlock& block, bool withSymbol, const QString& currencySymbol);
TMoney Charge(const TBlock& block);
