#include "applocale.h"

#include <QList>

namespace {
// One field of a date or time picture: a run of the same picture letter.
struct TPictureField {
    QChar Letter;
    qsizetype Start;
    qsizetype Length;
};

// The fields of a Qt date/time picture; quoted literal text is skipped and reported.
QList<TPictureField> PictureFields(const QString& picture, bool* hasQuotedText = nullptr) {
    QList<TPictureField> fields;
    bool quoted = false;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar ch = picture.at(i);
        if (ch == QLatin1Char('\'')) {
            quoted = !quoted;
            if (hasQuotedText)
                *hasQuotedText = true;
            continue;
        }
        if (quoted || !ch.isLetter())
            continue;
        qsizetype end = i;
        while (end + 1 < picture.size() && picture.at(end + 1) == ch)
            ++end;
        fields.append({ch, i, end - i + 1});
        i = end;
    }
    return fields;
}

// Seconds and fractions removed together with the separator in front of them:
// "HH:mm:ss" becomes "HH:mm", "h:mm:ss AP" becomes "h:mm AP".
QString WithoutSeconds(const QString& picture) {
    QString result = picture;
    const QList<TPictureField> fields = PictureFields(picture);
    for (qsizetype n = fields.size() - 1; n >= 0; --n) {
        const TPictureField& field = fields.at(n);
        if (field.Letter != QLatin1Char('s') && field.Letter != QLatin1Char('z'))
            continue;
        qsizetype start = field.Start;
        while (start > 0 && !result.at(start - 1).isLetter() &&
               result.at(start - 1) != QLatin1Char('\'') && !result.at(start - 1).isSpace())
            --start;
        result.remove(start, field.Start + field.Length - start);
    }
    return result.trimmed();
}

bool HasTwoDigitYear(const QString& datePicture) {
    for (const TPictureField& field : PictureFields(datePicture))
        if (field.Letter == QLatin1Char('y') && field.Length == 2)
            return true;
    return false;
}

// Only day, month and year numbers: such a picture cannot read a text that holds letters.
bool IsNumericDatePicture(const QString& datePicture) {
    bool hasQuotedText = false;
    const QList<TPictureField> fields = PictureFields(datePicture, &hasQuotedText);
    if (hasQuotedText)
        return false;
    for (const TPictureField& field : fields) {
        const bool dayOrMonth =
            (field.Letter == QLatin1Char('d') || field.Letter == QLatin1Char('M')) &&
            field.Length <= 2;
        const bool year =
            field.Letter == QLatin1Char('y') && (field.Length == 2 || field.Length == 4);
        if (!dayOrMonth && !year)
            return false;
    }
    return true;
}

bool HasEnglishMonthAbbreviations(const QLocale& locale) {
    const QLocale english = QLocale::c();
    for (int month = 1; month <= 12; ++month) {
        const QString name = english.monthName(month, QLocale::ShortFormat);
        if (locale.monthName(month, QLocale::ShortFormat) != name ||
            locale.standaloneMonthName(month, QLocale::ShortFormat) != name)
            return false;
    }
    return true;
}

bool KeepsFixedForm(const QLocale& locale, const QString& datePicture) {
    if (IsNumericDatePicture(datePicture))
        return true;
    // The picture of the data files' form itself reads such a text to the same date.
    const bool fixedLike =
        datePicture == QLatin1String("d MMM yyyy") || datePicture == QLatin1String("dd MMM yyyy");
    return fixedLike && HasEnglishMonthAbbreviations(locale);
}

// The locale and what the program asks of it most often, worked out once per locale.
struct TLocaleFacts {
    explicit TLocaleFacts(const QLocale& locale)
        : Locale(locale), ShortDateFormat(locale.dateFormat(QLocale::ShortFormat)),
          TwoDigitYear(HasTwoDigitYear(ShortDateFormat)),
          KeepsFixedDateForm(KeepsFixedForm(locale, ShortDateFormat)),
          TimeFormat(WithoutSeconds(locale.timeFormat(QLocale::ShortFormat))),
          DecimalSeparator(locale.decimalPoint()), CurrencySymbol(SymbolOf(locale)) {}

    // A locale without a currency (C, C.UTF-8) still needs one for amounts: the dollar.
    static QString SymbolOf(const QLocale& locale) {
        const QString symbol = locale.currencySymbol();
        return symbol.isEmpty() ? QStringLiteral("$") : symbol;
    }

    QLocale Locale;
    QString ShortDateFormat;
    bool TwoDigitYear;
    bool KeepsFixedDateForm;
    QString TimeFormat;
    QString DecimalSeparator;
    QString CurrencySymbol;
};

TLocaleFacts& Facts() {
    static TLocaleFacts facts(QLocale::system());
    return facts;
}
} // namespace

const QLocale& AppLocale() {
    return Facts().Locale;
}

void SetAppLocale(const QLocale& locale) {
    Facts() = TLocaleFacts(locale);
}

QString LocaleShortDateFormat() {
    return Facts().ShortDateFormat;
}

QString LocaleShortDateText(QDate date) {
    return Facts().Locale.toString(date, Facts().ShortDateFormat);
}

QDate ReadLocaleShortDate(const QString& text) {
    const TLocaleFacts& facts = Facts();
    const QDate date = facts.Locale.toDate(text, facts.ShortDateFormat);
    // Qt reads a two-digit year as 19yy.
    if (date.isValid() && facts.TwoDigitYear && date.year() >= 1900 && date.year() < 1950)
        return date.addYears(100);
    return date;
}

bool LocaleShortDateKeepsFixedForm() {
    return Facts().KeepsFixedDateForm;
}

QString LocaleTimeFormat() {
    return Facts().TimeFormat;
}

QString LocaleTimeText(QTime time) {
    return Facts().Locale.toString(time, Facts().TimeFormat);
}

QString LocaleDecimalSeparator() {
    return Facts().DecimalSeparator;
}

QString LocaleCurrencySymbol() {
    return Facts().CurrencySymbol;
}

int LocaleFirstDayOfWeek() {
    return static_cast<int>(Facts().Locale.firstDayOfWeek());
}

QString LocaleDayName(int weekDay, QLocale::FormatType format) {
    if (weekDay < 1 || weekDay > 7)
        return {};
    return Facts().Locale.standaloneDayName(weekDay, format);
}

QString LocaleMonthName(int month, QLocale::FormatType format) {
    if (month < 1 || month > 12)
        return {};
    return Facts().Locale.standaloneMonthName(month, format);
}
