// The date, time and amount texts the locale service reads and writes, under the locales a
// work group writes in (picked by the first byte). A date text either reads or is refused
// with EConvertError; the fast path for the data files' own form always agrees with the full
// rule; what is read and written again reads to the same date, time or amount.

#include "fuzzsupport.h"

#include "base/applocale.h"
#include "base/converterror.h"
#include "storage/values/datetexts.h"
#include "storage/values/money.h"

#include <optional>

namespace {
std::optional<QDate> DateOf(QDate (*parse)(const QString&), const QString& text) {
    try {
        return parse(text);
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

void CheckDateTexts(const QString& text) {
    const std::optional<QDate> fast = DateOf(ParseDateText, text);
    const std::optional<QDate> rule = DateOf(ParseDateTextByRule, text);
    FUZZ_CHECK(fast == rule, QStringLiteral("the fast date path disagrees: ") + text);
    if (fast) {
        FUZZ_CHECK(fast->isValid(), QStringLiteral("an invalid date read: ") + text);
        FUZZ_CHECK(DateOf(ParseDateText, DateText(*fast)) == fast,
                   QStringLiteral("the data-file form reads differently: ") + DateText(*fast));
    }
    QDate fixed;
    if (TryFixedDateText(text, fixed))
        FUZZ_CHECK(rule == fixed, QStringLiteral("the fixed form disagrees: ") + text);
    const QDate shortDate = ReadLocaleShortDate(text);
    if (shortDate.isValid()) {
        const QString written = LocaleShortDateText(shortDate);
        const QDate again = ReadLocaleShortDate(written);
        // Two-digit years name one century; the written form names the same date in it.
        FUZZ_CHECK(again.isValid(), QStringLiteral("a written short date does not read: ") + written);
        FUZZ_CHECK(LocaleShortDateText(again) == written,
                   QStringLiteral("the short date form changed: ") + written);
    }
}

void CheckTimeTexts(const QString& text) {
    const QTime time = AppLocale().toTime(text, LocaleTimeFormat());
    if (!time.isValid())
        return;
    const QString written = LocaleTimeText(time);
    const QTime again = AppLocale().toTime(written, LocaleTimeFormat());
    FUZZ_CHECK(again.hour() == time.hour() && again.minute() == time.minute(),
               QStringLiteral("time %1 written as %2").arg(text, written));
}

void CheckAmount(const QString& text) {
    TMoney amount;
    if (ParseAmount(text, amount)) {
        FUZZ_CHECK(amount.Units() % 100 == 0, QStringLiteral("not whole hundredths: ") + text);
        const QString written = FormatMoney(amount);
        TMoney again;
        FUZZ_CHECK(ParseAmount(written, again) && again == amount,
                   QStringLiteral("amount %1 written as %2").arg(text, written));
    }
    TMoney withSymbol;
    if (ParseAmountWithSymbol(text, LocaleCurrencySymbol(), withSymbol))
        FUZZ_CHECK(withSymbol.Units() % 100 == 0, QStringLiteral("not whole hundredths: ") + text);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzing();
    if (size == 0)
        return 0;
    SetAppLocale(FuzzLocale(data[0]));
    const QString text = QString::fromUtf8(InputBytes(data + 1, size - 1));
    CheckDateTexts(text);
    CheckTimeTexts(text);
    CheckAmount(text);
    SetAppLocale(QLocale::c());
    return 0;
}
