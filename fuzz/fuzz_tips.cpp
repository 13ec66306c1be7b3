// The tips file beside the program, read the way the tips window reads it: the whole file
// decoded with the data files' rules, one tip per line that is not blank, line breaks and
// tabs decoded as in remarks. A decoded text encoded again decodes to itself with its line
// breaks made CR LF (the remarks rule every month file relies on), and the file stays as it
// was.

#include "fuzzsupport.h"

#include "base/textfile.h"
#include "base/textutils.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
QStringList ReadTips(const QString& path) {
    QStringList tips;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : ReadTextFile(path).split(lineEnd))
        if (!TrimBlanks(line).isEmpty())
            tips.append(DecodeLineBreaks(line).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    return tips;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzing();
    const QByteArrayView bytes = InputBytes(data, size);
    const QString path = WriteFuzzFile(QStringLiteral("QHRtips.txt"), bytes);
    const QStringList tips = ReadTips(path);
    FUZZ_CHECK(FuzzFileBytes(path) == bytes, QStringLiteral("the tips file was changed"));
    FUZZ_CHECK(tips.size() <= MaxLineCount(bytes), QStringLiteral("more tips than lines"));
    for (const QString& line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        const QString decoded = DecodeLineBreaks(line);
        FUZZ_CHECK(DecodeLineBreaks(EncodeLineBreaks(decoded)) == NormaliseLineBreaks(decoded),
                   QStringLiteral("a text does not survive encoding: ") + QuotedText(decoded));
    }
    return 0;
}
