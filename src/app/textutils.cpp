#include "textutils.h"

#include "applocale.h"

QString NextToken(QString& text, QStringView separators) {
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n && separators.contains(text.at(start)))
        ++start;
    qsizetype end = start;
    while (end < n && !separators.contains(text.at(end)))
        ++end;
    QString token = text.mid(start, end - start);
    if (end >= n)
        text.clear();
    else if (end == n - 1)
        text = text.mid(end);
    else
        text = text.mid(end + 1);
    return token;
}

QString YesNoLetter(bool flag) { return flag ? QStringLiteral("Y") : QStringLiteral("N"); }

QString YesNoWord(bool flag) { return flag ? QStringLiteral("Yes") : QStringLiteral("No"); }

bool ParseYesNo(const QString& text, bool def) {
    const QString upper = text.toUpper();
    if (upper == QLatin1String("Y") || upper == QLatin1String("YES"))
        return true;
    if (upper == QLatin1String("N") || upper == QLatin1String("NO"))
        return false;
    return def;
}

QString NormaliseLineBreaks(const QString& text) {
    QString result;
    result.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\r')) {
            result += QLatin1String("\r\n");
            if (i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (ch == QLatin1Char('\n')) {
            result += QLatin1String("\r\n");
        } else {
            result += ch;
        }
    }
    return result;
}

QString EncodeLineBreaks(const QString& text) {
    QString result = NormaliseLineBreaks(text);
    result.replace(QLatin1String("\r\n"), QLatin1String("%%"));
    result.replace(QLatin1Char('\t'), QLatin1String("%%~"));
    return result;
}

QString DecodeLineBreaks(const QString& text) {
    QString result = text;
    result.replace(QLatin1String("%%~"), QLatin1String("\t"));
    result.replace(QLatin1String("%%"), QLatin1String("\r\n"));
    return result;
}

QString SingleLine(const QString& text) {
    QString result = NormaliseLineBreaks(text);
    result.replace(QLatin1String("\r\n"), QLatin1String(" "));
    result.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return result;
}

bool TryInteger(const QString& text, int& value) {
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok, 10);
    if (ok)
        value = parsed;
    return ok;
}

bool IsInteger(const QString& text) {
    int ignored = 0;
    return TryInteger(text, ignored);
}

bool TryReal(const QString& text, double& value) {
    QLocale locale = AppLocale();
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double parsed = locale.toDouble(text.trimmed(), &ok);
    if (ok)
        value = parsed;
    return ok;
}

void OrderDates(QDateTime& a, QDateTime& b) {
    if (a > b)
        std::swap(a, b);
}

void AddUnique(QStringList& list, const QString& text) {
    if (!list.contains(text, Qt::CaseInsensitive))
        list.append(text);
}
