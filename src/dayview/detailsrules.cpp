#include "detailsrules.h"

#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/values/timevalues.h"

namespace {
const QString NoRate = QStringLiteral("No rate");
const QString CarriageReturn = QStringLiteral("\t\r");
} // namespace

QList<int> BillingCodeItems(int blockCode) {
    QList<int> codes{bcHourlyRate, bcFixedPrice, bcContract, bcFreeOfCharge};
    if (blockCode == bcChargeable || blockCode == bcNotChargeable)
        codes.prepend(blockCode);
    return codes;
}

bool IsRateEditable(int code) {
    return code == bcHourlyRate || code == bcFixedPrice;
}

QString RateTextForCode(int code, const QString& present, TMoney userHourlyRate,
                        const QString& currencySymbol) {
    switch (code) {
    case bcHourlyRate:
        return FormatMoney(userHourlyRate);
    case bcFixedPrice: {
        TMoney amount;
        if (ParseAmountWithSymbol(present, currencySymbol, amount))
            return FormatMoney(amount);
        return {};
    }
    case bcFreeOfCharge:
        return FormatMoney(TMoney());
    default:
        return NoRate;
    }
}

QString RateTextOfBlock(const TBlock& block) {
    const int code = BlockCode(block);
    if (IsRateEditable(code))
        return FormatMoney(BlockRate(block));
    return RateTextForCode(code, {}, {}, {});
}

QString ExtendedChargeText(int code, const QString& rateText, int durationMinutes,
                           const QString& currencySymbol) {
    TMoney rate;
    if (code == bcChargeable || code == bcNotChargeable ||
        !ParseAmountWithSymbol(rateText, currencySymbol, rate))
        return {};
    const TBillingInfo billing(static_cast<std::uint8_t>(code), rsUser, rate);
    return currencySymbol + FormatMoney(MinutesCharge(&billing, durationMinutes));
}

QString MissingInformationText(bool billingActive) {
    return QStringLiteral("The task you were editing has missing information (Client, Project, "
                          "Category") +
           (billingActive ? QStringLiteral(", Activity or Billing).")
                          : QStringLiteral(" or Activity)."));
}

QString IncompleteBlockMessage(bool billingActive) {
    return MissingInformationText(billingActive) + CarriageReturn +
           QStringLiteral("Please select values for any empty fields before proceeding.");
}

QString IncompleteOnCloseQuestion(bool billingActive) {
    return MissingInformationText(billingActive) + CarriageReturn +
           QStringLiteral("You can delete it and leave, or return to the application to "
                          "complete it.") +
           CarriageReturn + CarriageReturn +
           QStringLiteral("Click [OK] to delete the task and leave, or [CANCEL] to return to "
                          "the application.");
}

bool ListNameLess(const QString& left, const QString& right) {
    const int folded = QString::localeAwareCompare(left.toCaseFolded(), right.toCaseFolded());
    if (folded != 0)
        return folded < 0;
    return left < right;
}
