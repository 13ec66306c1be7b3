// A billing text as month and list files keep it ("HRAUSR45.00"), read under the locales a
// work group writes in. A text that reads gives a code and source in range and an amount
// that the compact form writes back to the same values.

#include "fuzzsupport.h"

#include "base/applocale.h"
#include "storage/months/billing.h"
#include "storage/months/billinginfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzing();
    if (size == 0)
        return 0;
    SetAppLocale(FuzzLocale(data[0]));
    const QString text = QString::fromUtf8(InputBytes(data + 1, size - 1));
    std::uint8_t code = 77;
    std::uint8_t source = 77;
    TMoney rate = TMoney::FromUnits(-1);
    if (!ParseBillingText(text, code, source, rate)) {
        FUZZ_CHECK(code == 77 && source == 77 && rate.Units() == -1,
                   QStringLiteral("values changed by a text that did not read: ") + text);
        return 0;
    }
    FUZZ_CHECK(code <= 5, QStringLiteral("code out of range: ") + text);
    FUZZ_CHECK(source <= 3, QStringLiteral("source out of range: ") + text);
    TBillingInfo info;
    info.Code = code;
    info.Source = source;
    info.Rate = rate;
    const QString written = BillingText(info);
    if (code <= 1) {
        FUZZ_CHECK(written.isEmpty(), QStringLiteral("codes 0 and 1 are written empty"));
        return 0;
    }
    std::uint8_t codeAgain = 0;
    std::uint8_t sourceAgain = 0;
    TMoney rateAgain;
    FUZZ_CHECK(ParseBillingText(written, codeAgain, sourceAgain, rateAgain),
               QStringLiteral("a written billing text does not read: ") + written);
    FUZZ_CHECK(codeAgain == code && sourceAgain == source && rateAgain == rate,
               QStringLiteral("%1 read as %2").arg(text, written));
    return 0;
}
