#include "datetimepicture.h"

#include "base/applocale.h"

#include <vector>

namespace {
constexpr int MaxPictureLength = 100;

using TElement = TPicture::TElement;

bool IsPictureLetter(QChar ch) {
    return QStringLiteral("dMyhHmst").contains(ch);
}

std::vector<TElement> SplitPicture(const QString& picture) {
    std::vector<TElement> elements;
    const auto literal = [&](QChar ch) {
        if (elements.empty() || !elements.back().Letter.isNull())
            elements.push_back({});
        elements.back().Text += ch;
    };
    const qsizetype n = picture.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = picture.at(i);
        if (ch == QLatin1Char('\'')) {
            if (i + 1 < n && picture.at(i + 1) == QLatin1Char('\'')) {
                literal(ch); // '' outside quotes is one quote
                ++i;
                continue;
            }
            for (++i; i < n; ++i) {
                if (picture.at(i) != QLatin1Char('\'')) {
                    literal(picture.at(i));
                } else if (i + 1 < n && picture.at(i + 1) == QLatin1Char('\'')) {
                    literal(QLatin1Char('\''));
                    ++i;
                } else {
                    break;
                }
            }
            continue;
        }
        if (!IsPictureLetter(ch)) {
            literal(ch);
            continue;
        }
        int count = 1;
        while (i + 1 < n && picture.at(i + 1) == ch) {
            ++count;
            ++i;
        }
        elements.push_back({ch, count, {}});
    }
    return elements;
}

QString Padded(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QString DayElement(QDate date, int count) {
    switch (count) {
    case 1:
        return QString::number(date.day());
    case 2:
        return Padded(date.day(), 2);
    case 3:
        return LocaleDayName(date.dayOfWeek(), QLocale::ShortFormat);
    default:
        return LocaleDayName(date.dayOfWeek(), QLocale::LongFormat);
    }
}

QString MonthElement(QDate date, int count) {
    switch (count) {
    case 1:
        return QString::number(date.month());
    case 2:
        return Padded(date.month(), 2);
    case 3:
        return LocaleMonthName(date.month(), QLocale::ShortFormat);
    default:
        return LocaleMonthName(date.month(), QLocale::LongFormat);
    }
}

QString YearElement(QDate date, int count) {
    if (count == 1)
        return QString::number(date.year() % 100);
    if (count == 2)
        return Padded(date.year() % 100, 2);
    return Padded(date.year(), 4);
}

int TwelveHour(int hour) {
    const int h = hour % 12;
    return h == 0 ? 12 : h;
}

QString DesignatorElement(QTime time, int count) {
    const QString designator = time.hour() < 12 ? AppLocale().amText() : AppLocale().pmText();
    return count == 1 ? designator.left(1) : designator;
}

QString TimeElement(QTime time, QChar letter, int count) {
    const int width = count >= 2 ? 2 : 1;
    switch (letter.unicode()) {
    case 'h':
        return Padded(TwelveHour(time.hour()), width);
    case 'H':
        return Padded(time.hour(), width);
    case 'm':
        return Padded(time.minute(), width);
    case 's':
        return Padded(time.second(), width);
    case 't':
        return DesignatorElement(time, count);
    default:
        return {};
    }
}

QString Joined(const std::vector<TElement>& elements, QDate date, QTime time) {
    QString text;
    for (const TElement& element : elements) {
        if (element.Letter.isNull()) {
            text += element.Text;
            continue;
        }
        switch (element.Letter.unicode()) {
        case 'd':
            text += date.isValid() ? DayElement(date, element.Count) : QString();
            break;
        case 'M':
            text += date.isValid() ? MonthElement(date, element.Count) : QString();
            break;
        case 'y':
            text += date.isValid() ? YearElement(date, element.Count) : QString();
            break;
        default:
            text += time.isValid() ? TimeElement(time, element.Letter, element.Count) : QString();
        }
    }
    return text.left(MaxPictureLength);
}

// Drops the seconds and the literal text between them and the element before them.
std::vector<TElement> WithoutSeconds(std::vector<TElement> elements) {
    std::vector<TElement> kept;
    for (TElement& element : elements) {
        if (element.Letter == QLatin1Char('s')) {
            if (!kept.empty() && kept.back().Letter.isNull() && kept.size() > 1)
                kept.pop_back();
            continue;
        }
        kept.push_back(std::move(element));
    }
    return kept;
}

// Qt letters that mean something else, or nothing, in the Windows language.
QString QtElementAsWindows(QChar letter, int count, bool twelveHour) {
    switch (letter.unicode()) {
    case 'h':
        return QString(count, twelveHour ? QLatin1Char('h') : QLatin1Char('H'));
    case 'A':
    case 'a':
        return QStringLiteral("tt");
    case 'z':
    case 't':
        return {};
    default:
        return QString(count, letter);
    }
}

// True when a Qt format has an AM/PM element outside its quoted text: then Qt's "h" is the
// 12-hour clock.
bool HasAmPmElement(const QString& qtFormat) {
    bool quoted = false;
    for (const QChar ch : qtFormat) {
        if (ch == QLatin1Char('\''))
            quoted = !quoted; // a doubled quote turns it off and on again
        else if (!quoted && (ch == QLatin1Char('A') || ch == QLatin1Char('a')))
            return true;
    }
    return false;
}

QString QuotedLiteral(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    bool needsQuotes = false;
    for (const QChar ch : text)
        needsQuotes = needsQuotes || ch.isLetter() || ch == QLatin1Char('\'');
    return needsQuotes ? QLatin1Char('\'') + quoted + QLatin1Char('\'') : text;
}
} // namespace

TPicture::TPicture(const QString& picture, bool forTime)
    : FElements(SplitPicture(picture.left(MaxPictureLength))) {
    if (forTime)
        FElements = WithoutSeconds(std::move(FElements));
}

QString TPicture::Format(QDate date, QTime time) const {
    return Joined(FElements, date, time);
}

QString FormatDatePicture(QDate date, const QString& picture) {
    return TPicture(picture, false).Format(date, QTime());
}

QString FormatTimePicture(QTime time, const QString& picture) {
    return TPicture(picture, true).Format(QDate(), time);
}

QString WindowsPictureFromQt(const QString& qtFormat) {
    const bool twelveHour = HasAmPmElement(qtFormat);
    QString picture;
    // Where the last element ended: an element without a Windows form takes the separators
    // before it along.
    qsizetype elementEnd = 0;
    const qsizetype n = qtFormat.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = qtFormat.at(i);
        if (ch == QLatin1Char('\'')) {
            QString literal;
            for (++i; i < n; ++i) {
                if (qtFormat.at(i) != QLatin1Char('\''))
                    literal += qtFormat.at(i);
                else if (i + 1 < n && qtFormat.at(i + 1) == QLatin1Char('\'')) {
                    literal += QLatin1Char('\'');
                    ++i;
                } else
                    break;
            }
            picture += literal.isEmpty() ? QStringLiteral("''") : QuotedLiteral(literal);
            continue;
        }
        if (!ch.isLetter()) {
            picture += ch;
            continue;
        }
        int count = 1;
        while (i + 1 < n && qtFormat.at(i + 1) == ch) {
            ++count;
            ++i;
        }
        if ((ch == QLatin1Char('A') || ch == QLatin1Char('a')) && i + 1 < n &&
            qtFormat.at(i + 1).toUpper() == QLatin1Char('P'))
            ++i; // "AP" / "ap" is one element
        const QString element = QtElementAsWindows(ch, count, twelveHour);
        if (element.isEmpty())
            picture.truncate(elementEnd);
        picture += element;
        elementEnd = picture.size();
    }
    return picture.trimmed();
}

QString LocalShortDatePicture() {
    return WindowsPictureFromQt(LocaleShortDateFormat());
}

QString LocalTimePicture() {
    return WindowsPictureFromQt(LocaleTimeFormat());
}

QStringList DatePictures() {
    QStringList pictures{LocalShortDatePicture(),
                         WindowsPictureFromQt(AppLocale().dateFormat(QLocale::LongFormat))};
    for (const char* picture :
         {"dd/MM/yyyy", "MM/dd/yyyy", "yyyy-MM-dd", "dd.MM.yyyy", "d MMM yyyy", "dd MMM yyyy",
          "dddd, d MMMM yyyy", "MMMM d, yyyy", "yyyyMMdd"})
        if (!pictures.contains(QString::fromLatin1(picture)))
            pictures.append(QString::fromLatin1(picture));
    pictures.removeDuplicates();
    return pictures;
}

QStringList TimePictures() {
    QStringList pictures{LocalTimePicture()};
    for (const char* picture : {"HH:mm", "H:mm", "hh:mm tt", "h:mm tt", "HHmm"})
        pictures.append(QString::fromLatin1(picture));
    pictures.removeDuplicates();
    return pictures;
}
