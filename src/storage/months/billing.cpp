#include "billing.h"

#include "base/applocale.h"
#include "storage/months/block.h"

#include <array>

namespace {
constexpr int HighestCode = bcFreeOfCharge;
constexpr std::array<const char*, 6> CodeTexts = {"Y", "N", "HRA", "FPR", "CON", "FOC"};
constexpr std::array<const char*, 6> CodeNames = {
    "Chargeable", "Not Chargeable", "Hourly Rate", "Fixed Price", "Contract", "Free of Charge"};
constexpr std::array<const char*, 4> SourceTexts = {"CAS", "USR", "CLI", "PRO"};
constexpr qsizetype FieldLength = 3;
constexpr qsizetype ShortestText = 2 * FieldLength + 1;

int KnownCode(int code) {
    return code < 0 || code > HighestCode ? HighestCode : code;
}

template <std::size_t N> int IndexOf(const std::array<const char*, N>& texts, const QString& text) {
    for (std::size_t i = 0; i < N; ++i)
        if (text == QLatin1String(texts[i]))
            return static_cast<int>(i);
    return -1;
}

// An amount of a billing text: the reader's own decimal separator first, then the other one.
bool ParseStoredAmount(const QString& text, TMoney& amount) {
    if (ParseAmount(text, amount))
        return true;
    const QString own = LocaleDecimalSeparator();
    const QString other = own == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral(",");
    if (!text.contains(other))
        return false;
    return ParseAmount(QString(text).replace(other, own), amount);
}
} // namespace

QString BillingCodeText(int code) {
    return QLatin1String(CodeTexts[KnownCode(code)]);
}

QString BillingCodeName(int code) {
    return QLatin1String(CodeNames[KnownCode(code)]);
}

QString SourceText(int source) {
    if (source < 0 || source >= static_cast<int>(SourceTexts.size()))
        source = rsProject;
    return QLatin1String(SourceTexts[source]);
}

QString BillingText(const TBillingInfo& info) {
    if (info.Code == bcChargeable || info.Code == bcNotChargeable)
        return {};
    return BillingCodeText(info.Code) + SourceText(info.Source) + FormatMoney(info.Rate);
}

QString ShortBillingText(const TBillingInfo& info, const QString& currencySymbol) {
    return currencySymbol + FormatMoney(info.Rate) + QLatin1Char(' ') + BillingCodeText(info.Code);
}

bool ParseBillingText(const QString& text, std::uint8_t& code, std::uint8_t& source, TMoney& rate) {
    const QString upper = text.trimmed().toUpper();
    if (upper.isEmpty())
        return false;
    if (upper.front() == QLatin1Char('Y') || upper.front() == QLatin1Char('N')) {
        code = upper.front() == QLatin1Char('Y') ? bcChargeable : bcNotChargeable;
        source = rsCase;
        rate = TMoney();
        return true;
    }
    if (upper.size() < ShortestText)
        return false;
    const int readCode = IndexOf(CodeTexts, upper.left(FieldLength).trimmed());
    const int readSource = IndexOf(SourceTexts, upper.mid(FieldLength, FieldLength).trimmed());
    TMoney readRate;
    if (readCode < 0 || readSource < 0 || !ParseStoredAmount(upper.mid(2 * FieldLength), readRate))
        return false;
    code = static_cast<std::uint8_t>(readCode);
    source = static_cast<std::uint8_t>(readSource);
    rate = readRate;
    return true;
}

bool CheckRateText(int code, const QString& symbol, QString& rateText) {
    if (code == bcHourlyRate || code == bcFixedPrice) {
        TMoney ignored;
        if (ParseAmountWithSymbol(rateText, symbol, ignored))
            return true;
        rateText = QStringLiteral("0");
        return false;
    }
    rateText = QStringLiteral("0");
    return true;
}

QString BlockCodeText(const TBillingInfo* billing, bool chargeable) {
    return BillingCodeText(BlockCode(billing, chargeable));
}

TMoney BlockRate(const TBillingInfo* billing) {
    return billing ? billing->Rate : TMoney();
}

QString BlockRateText(const TBillingInfo* billing, bool withSymbol, const QString& currencySymbol) {
    if (!HasRate(billing))
        return QStringLiteral("--");
    const QString amount = FormatMoney(billing->Rate);
    return withSymbol ? currencySymbol + amount : amount;
}

TMoney Charge(const TBillingInfo* billing, double hours) {
    // Free of charge is never charged, whatever rate a hand-made file gives it.
    if (!billing || billing->Code == bcFreeOfCharge)
        return {};
    if (billing->Code == bcHourlyRate)
        return HourlyCharge(hours, billing->Rate);
    return billing->Rate;
}

int BlockCode(const TBlock& block) {
    return BlockCode(block.BillingInfo.get(), block.Chargeable);
}

QString BlockCodeText(const TBlock& block) {
    return BlockCodeText(block.BillingInfo.get(), block.Chargeable);
}

TMoney BlockRate(const TBlock& block) {
    return BlockRate(block.BillingInfo.get());
}

bool HasRate(const TBlock& block) {
    return HasRate(block.BillingInfo.get());
}

QString BlockRateText(const TBlock& block, bool withSymbol, const QString& currencySymbol) {
    return BlockRateText(block.BillingInfo.get(), withSymbol, currencySymbol);
}

TMoney Charge(const TBlock& block) {
    return Charge(block.BillingInfo.get(), block.Hours());
}
