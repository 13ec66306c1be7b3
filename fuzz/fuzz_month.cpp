// A month file read through the month's own reader (TMonth::CreateFromFile), as reports,
// exports and the server scan read any user's file. The reader either gives a month or an
// error naming the file and a line of it; the file stays as it was; a month that was read,
// written and read again holds the same blocks, and writing it again gives the same text.
// The billing objects of codes 0 and 1 have no compact form (the chargeable flag says it
// all), so a block read with one comes back without it.

#include "fuzzsupport.h"

#include "base/ioerror.h"
#include "base/textfile.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/datalineerror.h"
#include "storage/months/day.h"
#include "storage/months/month.h"

#include <memory>

namespace {
const QString UserName = QStringLiteral("mary");

QString MonthText(const TMonth& month) {
    QString text;
    for (const auto& day : month.Days)
        day->WriteLines(text);
    return text;
}

std::unique_ptr<TMonth> ReadMonth(const QString& path, QByteArrayView bytes) {
    try {
        return TMonth::CreateFromFile(path, UserName);
    } catch (const EInOutError& error) {
        FUZZ_CHECK(error.FileName() == path, error.Text());
        FUZZ_CHECK(error.Line() >= 1 && error.Line() <= MaxLineCount(bytes), error.Text());
        FUZZ_CHECK(!error.Message().isEmpty(), error.Text());
        return nullptr;
    }
}

QString DayText(const TDay& day) {
    QString text;
    day.WriteLines(text);
    return ShownText(text);
}

// The month as its file can keep it.
void DropUnwrittenBilling(TMonth& month) {
    for (const auto& day : month.Days)
        for (const auto& block : day->Blocks)
            if (block->BillingInfo && BillingText(*block->BillingInfo).isEmpty())
                block->BillingInfo.reset();
}

void CheckSameDays(const TMonth& first, const TMonth& again) {
    FUZZ_CHECK(first.Days.size() == again.Days.size(), QStringLiteral("day count"));
    for (std::size_t i = 0; i < first.Days.size(); ++i)
        FUZZ_CHECK(first.Days[i]->Equals(*again.Days[i]),
                   QStringLiteral("day %1 differs after writing and reading again:\n%2\n%3")
                       .arg(i + 1)
                       .arg(DayText(*first.Days[i]), DayText(*again.Days[i])));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzing();
    const QByteArrayView bytes = InputBytes(data, size);
    const QString path = WriteFuzzFile(QStringLiteral("read/2024-03.txt"), bytes);
    const std::unique_ptr<TMonth> month = ReadMonth(path, bytes);
    FUZZ_CHECK(FuzzFileBytes(path) == bytes, QStringLiteral("the month file was changed"));
    if (!month)
        return 0;
    const QString text = MonthText(*month);
    const QString copyPath = FuzzFolder() + QStringLiteral("copy/2024-03.txt");
    WriteFuzzFile(QStringLiteral("copy/2024-03.txt"), {});
    WriteTextFile(copyPath, text);
    const std::unique_ptr<TMonth> again = TMonth::CreateFromFile(copyPath, UserName);
    DropUnwrittenBilling(*month);
    CheckSameDays(*month, *again);
    FUZZ_CHECK(MonthText(*again) == text, QStringLiteral("the written text changed"));
    return 0;
}
