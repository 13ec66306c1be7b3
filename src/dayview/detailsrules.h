#pragma once

#include "storage/values/money.h"

#include <QList>
#include <QString>

class TBlock;

// The rules of the block details panel that need no window: the billing codes offered, the
// rate text, the extended charge and the texts of the incomplete-block messages.

// The codes the billing-code box offers, in order, while a block of blockCode is shown: the
// four codes of time with billing data (Hourly Rate, Fixed Price, Contract, Free of Charge),
// and before them the block's own code when the block is from before billing was switched on
// (Chargeable or Not Chargeable).
QList<int> BillingCodeItems(int blockCode);

// Whether the rate of a code is typed by the user (Hourly Rate and Fixed Price).
bool IsRateEditable(int code);

// The rate text after the user chose code: the user's hourly rate for Hourly Rate; for Fixed
// Price the present text as money text when it reads as an amount (the currency symbol
// allowed), else empty; "0.00" for Free of Charge; "No rate" for the others.
QString RateTextForCode(int code, const QString& present, TMoney userHourlyRate,
                        const QString& currencySymbol);
// The rate text of a block: its own rate for Hourly Rate and Fixed Price, otherwise as above.
QString RateTextOfBlock(const TBlock& block);

// The extended charge of durationMinutes at the rate text: empty when the text is not an
// amount or the code is Chargeable or Not Chargeable; for Fixed Price the amount itself,
// otherwise hours × rate; after the currency symbol, as money text.
QString ExtendedChargeText(int code, const QString& rateText, int durationMinutes,
                           const QString& currencySymbol);

// "The task you were editing has missing information (...)": the fields named depend on
// whether billing is active.
QString MissingInformationText(bool billingActive);
// The error shown when an incomplete block would be left.
QString IncompleteBlockMessage(bool billingActive);
// The question asked when the program closes with an incomplete block.
QString IncompleteOnCloseQuestion(bool billingActive);

// Order of the sorted drop-down lists: letter case ignored, then the locale's order.
bool ListNameLess(const QString& left, const QString& right);
