#include "base/applocale.h"
#include "localepin.h"

#include <gtest/gtest.h>

TEST(AppLocale, ShortDateFormAndItsReading) {
    {
        TLocalePin pin(QStringLiteral("en_GB"));
        EXPECT_EQ(LocaleShortDateText(QDate(2024, 1, 5)), QStringLiteral("05/01/2024"));
        EXPECT_EQ(ReadLocaleShortDate(QStringLiteral("05/01/2024")), QDate(2024, 1, 5));
        EXPECT_FALSE(ReadLocaleShortDate(QStringLiteral("1/5/24")).isValid());
    }
    {
        TLocalePin pin(QStringLiteral("C"));
        EXPECT_EQ(LocaleShortDateFormat(), QStringLiteral("d MMM yyyy"));
        EXPECT_EQ(ReadLocaleShortDate(QStringLiteral("5 Jan 2024")), QDate(2024, 1, 5));
    }
}

TEST(AppLocale, TwoDigitYearsReadBackAsWritten) {
    // Qt alone reads a two-digit year as 19yy; a date written today must read back as today.
    {
        TLocalePin pin(QStringLiteral("en_US"));
        EXPECT_EQ(LocaleShortDateText(QDate(2024, 1, 5)), QStringLiteral("1/5/24"));
        EXPECT_EQ(ReadLocaleShortDate(QStringLiteral("1/5/24")), QDate(2024, 1, 5));
        EXPECT_EQ(ReadLocaleShortDate(QStringLiteral("12/31/49")), QDate(2049, 12, 31));
        EXPECT_EQ(ReadLocaleShortDate(QStringLiteral("1/1/50")), QDate(1950, 1, 1));
    }
    {
        TLocalePin pin(QStringLiteral("de_DE"));
        EXPECT_EQ(ReadLocaleShortDate(QStringLiteral("05.01.24")), QDate(2024, 1, 5));
        EXPECT_EQ(ReadLocaleShortDate(QStringLiteral("29.02.96")), QDate(1996, 2, 29));
        for (QDate date(1950, 1, 1); date.year() < 2050; date = date.addDays(97))
            EXPECT_EQ(ReadLocaleShortDate(LocaleShortDateText(date)), date);
    }
}

TEST(AppLocale, TimeOfDayHasNoSeconds) {
    {
        TLocalePin pin(QStringLiteral("C"));
        EXPECT_EQ(LocaleTimeFormat(), QStringLiteral("HH:mm"));
        EXPECT_EQ(LocaleTimeText(QTime(9, 30, 45)), QStringLiteral("09:30"));
    }
    {
        TLocalePin pin(QStringLiteral("en_US"));
        EXPECT_EQ(LocaleTimeText(QTime(21, 5)), QStringLiteral("9:05 PM"));
    }
}

TEST(AppLocale, SeparatorCurrencyAndFirstDayOfWeek) {
    struct TCase {
        const char* Name;
        const char* Separator;
        const char* Currency;
        int FirstDay;
    };
    // C has no currency of its own; amounts take the dollar rather than no sign at all.
    const TCase cases[] = {{"C", ".", "$", 1},
                           {"en_US", ".", "$", 7},
                           {"en_GB", ".", "\u00a3", 1},
                           {"de_DE", ",", "\u20ac", 1}};
    for (const TCase& c : cases) {
        TLocalePin pin(QString::fromLatin1(c.Name));
        EXPECT_EQ(LocaleDecimalSeparator(), QString::fromUtf8(c.Separator)) << c.Name;
        EXPECT_EQ(LocaleCurrencySymbol(), QString::fromUtf8(c.Currency)) << c.Name;
        EXPECT_EQ(LocaleFirstDayOfWeek(), c.FirstDay) << c.Name;
    }
}

TEST(AppLocale, DayAndMonthNames) {
    {
        TLocalePin pin(QStringLiteral("de_DE"));
        EXPECT_EQ(LocaleDayName(1), QStringLiteral("Montag"));
        EXPECT_EQ(LocaleDayName(7), QStringLiteral("Sonntag"));
        EXPECT_EQ(LocaleMonthName(3), QStringLiteral("M\u00e4rz"));
    }
    {
        TLocalePin pin(QStringLiteral("en_US"));
        EXPECT_EQ(LocaleMonthName(1, QLocale::ShortFormat), QStringLiteral("Jan"));
        EXPECT_TRUE(LocaleDayName(0).isEmpty());
        EXPECT_TRUE(LocaleMonthName(13).isEmpty());
    }
}

TEST(AppLocale, PinnedLocaleIsTheOneUsed) {
    SetAppLocale(QLocale(QStringLiteral("de_DE")));
    EXPECT_EQ(AppLocale().decimalPoint(), QStringLiteral(","));
    SetAppLocale(QLocale::c());
    EXPECT_EQ(AppLocale(), QLocale::c());
    EXPECT_EQ(LocaleDecimalSeparator(), QStringLiteral("."));
}
