#include "monthfile.h"

#include "base/fileutils.h"
#include "base/textutils.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/values/timetexts.h"
#include "storage/values/timevalues.h"

#include <QFileInfo>

namespace {
constexpr qsizetype MonthFileNameLength = 11;
const QLatin1Char Tab('\t');

void AppendField(QString& text, const QString& value) {
    text += Tab;
    if (value.isEmpty())
        text += QLatin1Char(' ');
    else
        text += value;
}

void AppendName(QString& text, const QString& name) {
    const bool plain = !name.contains(Tab) && !name.contains(QLatin1Char('\r')) &&
                       !name.contains(QLatin1Char('\n'));
    AppendField(text, plain ? name : SingleLine(name));
}

void AppendClock(QString& text, int time) {
    text += Tab;
    text += PadNumber(TimeToClock(time), 4);
}

void AppendFlag(QString& text, bool flag) {
    text += Tab;
    text += flag ? QLatin1Char('Y') : QLatin1Char('N');
}
} // namespace

QString MonthFileName(int year, int month) {
    return PadNumber(year, 4) + QLatin1Char('-') + PadNumber(month, 2) + QStringLiteral(".txt");
}

bool IsMonthFileName(const QString& name) {
    return name.size() == MonthFileNameLength && name.at(4) == QLatin1Char('-') &&
           name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) && IsInteger(name.left(4)) &&
           IsInteger(name.mid(5, 2));
}

bool MonthOfFileName(const QString& fileName, int& year, int& month) {
    const QString name = QFileInfo(fileName).fileName();
    if (!IsMonthFileName(name))
        return false;
    TryInteger(name.left(4), year);
    TryInteger(name.mid(5, 2), month);
    return true;
}

QStringList MonthFileNames(const QString& folder) {
    QStringList names;
    // "????-??.txt", its question marks escaped so that no "??-" is read as a trigraph.
    ListFiles(folder, QStringLiteral("\?\?\?\?-\?\?.txt"), names);
    names.removeIf([](const QString& name) { return !IsMonthFileName(name); });
    return names;
}

void AppendMonthLine(QString& text, const QString& dateText, const TBlock& block) {
    text += dateText;
    AppendClock(text, block.StartTime);
    AppendClock(text, block.EndTime);
    AppendName(text, block.Client);
    AppendName(text, block.Project);
    AppendName(text, block.Category);
    AppendName(text, block.Activity);
    AppendField(text, EncodeLineBreaks(block.Remarks));
    AppendFlag(text, block.OverTime);
    AppendFlag(text, block.Reportable);
    AppendFlag(text, block.Chargeable);
    if (block.BillingInfo) {
        const QString billing = BillingText(*block.BillingInfo);
        if (!billing.isEmpty())
            AppendField(text, billing);
    }
    text += QLatin1String("\r\n");
}

QString ChangedMonthFileName(const QString& fileName, const QDateTime& when) {
    const QFileInfo info(fileName);
    const QString stem = info.absolutePath() + QLatin1Char('/') + info.completeBaseName() +
                         QStringLiteral(" (other version ") +
                         when.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    const QString suffix = QStringLiteral(").") + info.suffix();
    QString name = stem + suffix;
    for (int number = 2; QFileInfo::exists(name); ++number)
        name = stem + QLatin1Char(' ') + QString::number(number) + suffix;
    return name;
}

QString ChangedMonthFileText(const QString& fileName, const QString& keptAs) {
    return QLatin1Char('"') + fileName +
           QStringLiteral("\" was changed by another program after Quillhour read it.\n"
                          "Your entries have been saved in it; the other version is kept as \"") +
           keptAs + QStringLiteral("\".");
}
