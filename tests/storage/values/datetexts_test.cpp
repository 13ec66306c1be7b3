#include "base/converterror.h"
#include "localepin.h"
#include "storage/values/datetexts.h"

#include <gtest/gtest.h>

namespace {
const char* const PinnedLocales[] = {"C", "en_US", "en_GB", "de_DE"};

QString ParseFailure(const QString& text) {
    try {
        ParseDateText(text);
    } catch (const EConvertError& error) {
        return error.Text();
    }
    return QStringLiteral("(no error)");
}

// The date read, or "error" when the text raised a conversion error.
template <typename TParse> QString Outcome(TParse parse, const QString& text) {
    try {
        return parse(text).toString(Qt::ISODate);
    } catch (const EConvertError&) {
        return QStringLiteral("error");
    }
}
} // namespace

TEST(DateTexts, EnglishNamesWhateverTheLocale) {
    TLocalePin pin(QStringLiteral("de_DE"));
    EXPECT_EQ(MonthName(1), QStringLiteral("January"));
    EXPECT_EQ(MonthName(11), QStringLiteral("November"));
    EXPECT_EQ(MonthName(12), QStringLiteral("December"));
    EXPECT_EQ(MonthName(0), QStringLiteral("December"));
    EXPECT_EQ(MonthName(13), QStringLiteral("December"));
    EXPECT_EQ(DayName(QDate(2024, 1, 7)), QStringLiteral("Sunday"));
    EXPECT_EQ(DayName(QDate(2024, 1, 8)), QStringLiteral("Monday"));
    EXPECT_EQ(DayName(QDate(2024, 1, 13)), QStringLiteral("Saturday"));
    EXPECT_EQ(ShortDayName(1), QStringLiteral("Sun"));
    EXPECT_EQ(ShortDayName(6), QStringLiteral("Fri"));
    EXPECT_EQ(ShortDayName(7), QStringLiteral("Sat"));
    EXPECT_EQ(ShortDayName(0), QStringLiteral("Sat"));
}

TEST(DateTexts, DateTextIsTheFixedDataFileForm) {
    TLocalePin pin(QStringLiteral("en_US"));
    EXPECT_EQ(DateText(QDate(2024, 1, 5)), QStringLiteral("05 Jan 2024"));
    EXPECT_EQ(DateText(QDate(1999, 12, 31)), QStringLiteral("31 Dec 1999"));
    EXPECT_EQ(DateText(QDate(24, 3, 9)), QStringLiteral("09 Mar 0024"));
}

TEST(DateTexts, MonthFromText) {
    EXPECT_EQ(MonthFromText(QStringLiteral("dec")), 12);
    EXPECT_EQ(MonthFromText(QStringLiteral("September")), 9);
    EXPECT_EQ(MonthFromText(QStringLiteral("MAY")), 5);
    EXPECT_EQ(MonthFromText(QStringLiteral("xyz")), 1);
    EXPECT_EQ(MonthFromText(QString()), 1);
    EXPECT_EQ(MonthFromText(QStringLiteral(" ap")), 4); // blanks trimmed after taking three
}

TEST(DateTexts, ParseReadsTheLocaleFormFirst) {
    {
        TLocalePin pin(QStringLiteral("en_GB"));
        EXPECT_EQ(ParseDateText(QStringLiteral("05/01/2024")), QDate(2024, 1, 5));
        EXPECT_EQ(ParseDateText(QStringLiteral("05 Jan 2024")), QDate(2024, 1, 5));
    }
    {
        TLocalePin pin(QStringLiteral("en_US"));
        EXPECT_EQ(ParseDateText(QStringLiteral("1/5/24")), QDate(2024, 1, 5));
    }
    {
        TLocalePin pin(QStringLiteral("de_DE"));
        EXPECT_EQ(ParseDateText(QStringLiteral("05.01.24")), QDate(2024, 1, 5));
    }
}

TEST(DateTexts, ParseFallsBackToDayMonthTextYear) {
    TLocalePin pin(QStringLiteral("en_GB"));
    EXPECT_EQ(ParseDateText(QStringLiteral("5 jan 2024")), QDate(2024, 1, 5));
    EXPECT_EQ(ParseDateText(QStringLiteral("05   DEC  2023")), QDate(2023, 12, 5));
    EXPECT_EQ(ParseDateText(QStringLiteral("29 February 2024")), QDate(2024, 2, 29));
    EXPECT_EQ(ParseDateText(QStringLiteral("3 xyz 2024")), QDate(2024, 1, 3)); // unknown month
}

TEST(DateTexts, ParseRaisesConversionErrorWithTheText) {
    TLocalePin pin(QStringLiteral("en_GB"));
    EXPECT_EQ(ParseFailure(QStringLiteral("29 Feb 2023")), QStringLiteral("29 Feb 2023"));
    EXPECT_EQ(ParseFailure(QStringLiteral("x Jan 2024")), QStringLiteral("x Jan 2024"));
    EXPECT_EQ(ParseFailure(QStringLiteral("05 Jan")), QStringLiteral("05 Jan"));
    EXPECT_EQ(ParseFailure(QString()), QString());
    EXPECT_EQ(ParseFailure(QStringLiteral("00 Jan 2024")), QStringLiteral("00 Jan 2024"));
    EXPECT_EQ(ParseFailure(QStringLiteral("01 Jan 0000")), QStringLiteral("01 Jan 0000"));
    EXPECT_THROW(ParseDateTextByRule(QStringLiteral("32/01/2024")), EConvertError);
}

// Month files are read through the quick path: it must take every date the program writes
// and give exactly what the full rule gives, under each locale the tests pin.
TEST(DateTexts, QuickPathMatchesFullRuleOnEveryDay) {
    const int firstYears[] = {1900, 1949, 1999, 2023, 2048};
    for (const char* name : PinnedLocales) {
        TLocalePin pin(QString::fromLatin1(name));
        ASSERT_TRUE(LocaleShortDateKeepsFixedForm()) << name;
        int days = 0;
        for (const int firstYear : firstYears)
            for (QDate date(firstYear, 1, 1); date.year() < firstYear + 3; date = date.addDays(1)) {
                const QString text = DateText(date);
                QDate quick;
                ASSERT_TRUE(TryFixedDateText(text, quick)) << name << " " << qPrintable(text);
                ASSERT_EQ(quick, ParseDateTextByRule(text)) << name << " " << qPrintable(text);
                ASSERT_EQ(quick, date);
                ASSERT_EQ(ParseDateText(text), date);
                ++days;
            }
        EXPECT_GT(days, 5000);
    }
}

TEST(DateTexts, QuickPathLeavesEveryOtherTextToTheFullRule) {
    const char* const others[] = {"5 Jan 2024",   "05 JAN 2024", "05 jan 2024", "05  Jan 2024",
                                  "05 Jan 24",    "31 Feb 2024", "05 Jan 0000", "05 Xyz 2024",
                                  "05 Jan 2024 ", "0x Jan 2024", "05/01/2024"};
    for (const char* name : PinnedLocales) {
        TLocalePin pin(QString::fromLatin1(name));
        for (const char* text : others) {
            QDate quick;
            EXPECT_FALSE(TryFixedDateText(QString::fromLatin1(text), quick)) << name << text;
        }
    }
}

TEST(DateTexts, QuickPathSameAsFullRuleForNearMisses) {
    // Whatever the quick path declines, ParseDateText must still answer as the full rule.
    const char* const texts[] = {"5 Jan 2024", "05 JAN 2024", "05 Jan 24",  "1/5/24",
                                 "05.01.24",   "05/01/2024",  "05 Xyz 2024"};
    for (const char* name : PinnedLocales) {
        TLocalePin pin(QString::fromLatin1(name));
        for (const char* text : texts) {
            const QString s = QString::fromLatin1(text);
            EXPECT_EQ(Outcome(ParseDateText, s), Outcome(ParseDateTextByRule, s)) << name << text;
        }
    }
}

TEST(DateTexts, LocaleWithLiteralTextInItsShortDateGetsNoQuickPath) {
    // Bulgarian short dates end in a quoted literal; the quick path stays out of the way.
    TLocalePin pin(QStringLiteral("bg_BG"));
    EXPECT_FALSE(LocaleShortDateKeepsFixedForm());
    QDate quick;
    EXPECT_FALSE(TryFixedDateText(QStringLiteral("05 Jan 2024"), quick));
    EXPECT_EQ(ParseDateText(QStringLiteral("05 Jan 2024")), QDate(2024, 1, 5));
    EXPECT_EQ(ParseDateText(LocaleShortDateText(QDate(2024, 1, 5))), QDate(2024, 1, 5));
}
