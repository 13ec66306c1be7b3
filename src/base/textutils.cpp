#include "textutils.h"

#include "base/applocale.h"

#include <algorithm>

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

QStringView NextTokenView(QStringView& text, QChar separator) {
    // Fields are short: a plain loop beats a library search here.
    const qsizetype n = text.size();
    const char16_t* chars = text.utf16();
    const char16_t mark = separator.unicode();
    qsizetype start = 0;
    while (start < n && chars[start] == mark)
        ++start;
    qsizetype end = start;
    while (end < n && chars[end] != mark)
        ++end;
    const QStringView token = text.mid(start, end - start);
    text = end >= n - 1 ? text.mid(end) : text.mid(end + 1);
    return token;
}

QStringView TrimBlanks(QStringView text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start].unicode() <= u' ')
        ++start;
    while (end > start && text[end - 1].unicode() <= u' ')
        --end;
    return text.mid(start, end - start);
}

QString TrimBlanks(const QString& text) {
    const QStringView trimmed = TrimBlanks(QStringView(text));
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QString YesNoLetter(bool flag) {
    return flag ? QStringLiteral("Y") : QStringLiteral("N");
}

QString YesNoWord(bool flag) {
    return flag ? QStringLiteral("Yes") : QStringLiteral("No");
}

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

namespace {
// The character after an encoded line break that would change what the break reads as.
bool IsEncodingMark(QChar ch) {
    return ch == QLatin1Char('~') || ch == QLatin1Char('^') || ch == QLatin1Char('`');
}

// A plain "%" would join the "%" of the encoding that follows it.
bool NeedsEscapedPercent(QChar next) {
    return next == QLatin1Char('%') || next == QLatin1Char('\r') || next == QLatin1Char('\t') ||
           next == QLatin1Char('~');
}
} // namespace

QString EncodeLineBreaks(const QString& text) {
    const QString normal = NormaliseLineBreaks(text);
    const qsizetype n = normal.size();
    QString result;
    result.reserve(n + 8);
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = normal.at(i);
        if (ch == QLatin1Char('\t')) {
            result += QLatin1String("%%~");
        } else if (ch == QLatin1Char('\r')) {
            ++i; // the LF of the normalised CR LF
            const bool marked = i + 1 < n && IsEncodingMark(normal.at(i + 1));
            result += marked ? QLatin1String("%%`") : QLatin1String("%%");
        } else if (ch == QLatin1Char('%')) {
            const bool escaped = i + 1 < n && NeedsEscapedPercent(normal.at(i + 1));
            result += escaped ? QLatin1String("%%^") : QLatin1String("%");
        } else {
            result += ch;
        }
    }
    return result;
}

namespace {
void AppendBreaks(QString& result, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i)
        result += QLatin1String("\r\n");
}

// One run of "%" signs and the character after it (none at the end). Reads exactly as files
// have always been read: first every "%%~" becomes a tab, then every "%%" a line break,
// each replacement going from left to right; "%%^" and "%%`" come on top of that. Returns how
// many characters after the run were used.
qsizetype DecodePercentRun(QString& result, qsizetype run, QChar after) {
    if (after == QLatin1Char('~') && run >= 2) {
        const qsizetype rest = run - 2;
        AppendBreaks(result, rest / 2);
        if (rest % 2)
            result += QLatin1Char('%');
        result += QLatin1Char('\t');
        return 1;
    }
    const qsizetype pairs = run / 2;
    const bool marked = after == QLatin1Char('^') || after == QLatin1Char('`');
    if (run % 2 == 0 && pairs > 0 && marked) {
        AppendBreaks(result, pairs - 1);
        result += after == QLatin1Char('^') ? QLatin1String("%") : QLatin1String("\r\n");
        return 1;
    }
    AppendBreaks(result, pairs);
    if (run % 2)
        result += QLatin1Char('%');
    return 0;
}
} // namespace

QString DecodeLineBreaks(QStringView text) {
    qsizetype percent = text.indexOf(QLatin1Char('%'));
    if (percent < 0)
        return text.toString();
    const qsizetype n = text.size();
    QString result;
    result.reserve(n + 8);
    qsizetype done = 0;
    while (percent >= 0) {
        result += text.mid(done, percent - done);
        qsizetype runEnd = percent;
        while (runEnd < n && text[runEnd] == QLatin1Char('%'))
            ++runEnd;
        const QChar after = runEnd < n ? text[runEnd] : QChar();
        done = runEnd + DecodePercentRun(result, runEnd - percent, after);
        percent = text.indexOf(QLatin1Char('%'), done);
    }
    result += text.mid(done);
    return result;
}

QString SingleLine(const QString& text) {
    QString result = NormaliseLineBreaks(text);
    result.replace(QLatin1String("\r\n"), QLatin1String(" "));
    result.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return result;
}

bool TryInteger(const QString& text, int& value) {
    // Only a sign and digits: Qt's conversion would stop quietly at a NUL inside the text.
    const QString trimmed = text.trimmed();
    const qsizetype first = trimmed.startsWith(QLatin1Char('-')) || trimmed.startsWith(QLatin1Char('+'));
    if (trimmed.size() == first)
        return false;
    for (qsizetype i = first; i < trimmed.size(); ++i)
        if (trimmed.at(i) < QLatin1Char('0') || trimmed.at(i) > QLatin1Char('9'))
            return false;
    bool ok = false;
    const int parsed = trimmed.toInt(&ok, 10);
    if (ok)
        value = parsed;
    return ok;
}

QString QuotedText(const QString& text) {
    constexpr qsizetype Longest = 60;
    QString shown;
    for (const QChar ch : QStringView(text).left(Longest)) {
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7F) // a NUL, a tab: visible as codes
            shown += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += ch;
    }
    return QLatin1Char('\'') + shown + (text.size() > Longest ? QStringLiteral("…'") : QStringLiteral("'"));
}

bool IsInteger(const QString& text) {
    int ignored = 0;
    return TryInteger(text, ignored);
}

bool TryReal(const QString& text, double& value) {
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return false; // a NUL or another control character is never part of a number
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

bool HasControlCharacter(QStringView text) {
    for (const QChar ch : text)
        if (ch.category() == QChar::Other_Control || ch == QChar::LineSeparator ||
            ch == QChar::ParagraphSeparator)
            return true;
    return false;
}
