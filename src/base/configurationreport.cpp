#include "configurationreport.h"

#include "base/applocale.h"
#include "base/datalocations.h"
#include "base/processenvironment.h"
#include "base/textcodec.h"
#include "base/textfile.h"

#include <QFile>
#include <QStringList>

namespace {
const QLatin1String CrLf("\r\n");

QString FileSection(const QString& title, const QString& fileName) {
    QString text = title + QStringLiteral(": ") + fileName + CrLf;
    if (!QFile::exists(fileName))
        return text;
    for (const QString& line : SplitTextLines(ReadTextFile(fileName)))
        text += line + CrLf;
    return text;
}
} // namespace

QString ConfigurationReport(const QDateTime& now) {
    QString text = AppLocale().toString(now, QLocale::ShortFormat) + CrLf;
    text += QStringLiteral("FILE LOCATIONS") + CrLf + DataLocationsText(true) + CrLf;
    text += QStringLiteral("PARAMETERS") + CrLf;
    const QStringList args = ProcessEnvironment().Arguments();
    for (qsizetype i = 0; i < args.size(); ++i)
        text += QString::number(i) + QStringLiteral(": ") + args.at(i) + CrLf;
    text += CrLf;
    text += FileSection(QStringLiteral("INI FILE (ADMIN SETTINGS)"), AdminSettingsFileName());
    text += FileSection(QStringLiteral("INI FILE (PERSONAL SETTINGS)"), PersonalSettingsFileName());
    return text;
}
