#include "export/datetimepicture.h"
#include "localepin.h"

#include <gtest/gtest.h>

TEST(DateTimePicture, EveryDateElement) {
    TLocalePin pin(QStringLiteral("en_US"));
    const QDate date(2024, 3, 5); // a Tuesday
    EXPECT_EQ(FormatDatePicture(date, QStringLiteral("d dd ddd dddd")), QStringLiteral("5 05 Tue Tuesday"));
    EXPECT_EQ(FormatDatePicture(date, QStringLiteral("M MM MMM MMMM")), QStringLiteral("3 03 Mar March"));
    EXPECT_EQ(FormatDatePicture(date, QStringLiteral("y yy yyyy")), QStringLiteral("24 24 2024"));
    EXPECT_EQ(FormatDatePicture(QDate(2005, 1, 9), QStringLiteral("y/yy")), QStringLiteral("5/05"));
    EXPECT_EQ(FormatDatePicture(date, QStringLiteral("yyyy-MM-dd")), QStringLiteral("2024-03-05"));
}

TEST(DateTimePicture, QuotedLiteralsAndOtherCharacters) {
    TLocalePin pin(QStringLiteral("en_US"));
    const QDate date(2024, 3, 5);
    EXPECT_EQ(FormatDatePicture(date, QStringLiteral("'Day' d 'of' MMMM")), QStringLiteral("Day 5 of March"));
    EXPECT_EQ(FormatDatePicture(date, QStringLiteral("d'''s' MMM")), QStringLiteral("5's Mar"));
    EXPECT_EQ(FormatDatePicture(date, QStringLiteral("dd.MM.yyyy, #")), QStringLiteral("05.03.2024, #"));
    EXPECT_EQ(FormatDatePicture(date, QStringLiteral("'unclosed d")), QStringLiteral("unclosed d"));
}

// Pictures are read up to 100 characters, and what they write is cut at 100 characters.
TEST(DateTimePicture, PicturesAndResultsStopAtAHundredCharacters) {
    TLocalePin pin(QStringLiteral("en_US"));
    const QDate date(2024, 3, 5);
    // "yyyy" crosses the limit: the picture read ends in "yy".
    const QString longPicture = QStringLiteral("'") + QString(96, QLatin1Char('x')) +
                                QStringLiteral("'yyyy");
    EXPECT_EQ(FormatDatePicture(date, longPicture), QString(96, QLatin1Char('x')) + QStringLiteral("24"));
    const QString manyMonths = QStringLiteral("MMMM ").repeated(20); // 100 characters exactly
    const QString written = FormatDatePicture(date, manyMonths);
    EXPECT_EQ(written.size(), 100);
    EXPECT_TRUE(written.startsWith(QStringLiteral("March March ")));
}

TEST(DateTimePicture, TwelveAndTwentyFourHourFormsWithoutSeconds) {
    TLocalePin pin(QStringLiteral("en_US"));
    const QTime afternoon(14, 7, 45);
    EXPECT_EQ(FormatTimePicture(afternoon, QStringLiteral("HH:mm")), QStringLiteral("14:07"));
    EXPECT_EQ(FormatTimePicture(afternoon, QStringLiteral("H:m")), QStringLiteral("14:7"));
    EXPECT_EQ(FormatTimePicture(afternoon, QStringLiteral("h:mm tt")), QStringLiteral("2:07 PM"));
    EXPECT_EQ(FormatTimePicture(afternoon, QStringLiteral("hh:mm t")), QStringLiteral("02:07 P"));
    EXPECT_EQ(FormatTimePicture(QTime(0, 5), QStringLiteral("h:mm tt")), QStringLiteral("12:05 AM"));
    EXPECT_EQ(FormatTimePicture(QTime(9, 5), QStringLiteral("H")), QStringLiteral("9"));
    // Seconds never appear, nor the separator before them.
    EXPECT_EQ(FormatTimePicture(afternoon, QStringLiteral("HH:mm:ss")), QStringLiteral("14:07"));
    EXPECT_EQ(FormatTimePicture(afternoon, QStringLiteral("h:mm:ss tt")), QStringLiteral("2:07 PM"));
    EXPECT_EQ(FormatTimePicture(afternoon, QStringLiteral("'at' HH'h'mm")), QStringLiteral("at 14h07"));
}

TEST(DateTimePicture, QtFormatsTurnIntoWindowsPictures) {
    EXPECT_EQ(WindowsPictureFromQt(QStringLiteral("h:mm AP")), QStringLiteral("h:mm tt"));
    EXPECT_EQ(WindowsPictureFromQt(QStringLiteral("HH:mm")), QStringLiteral("HH:mm"));
    EXPECT_EQ(WindowsPictureFromQt(QStringLiteral("h:mm")), QStringLiteral("H:mm")); // 24-hour in Qt
    EXPECT_EQ(WindowsPictureFromQt(QStringLiteral("M/d/yy")), QStringLiteral("M/d/yy"));
    EXPECT_EQ(WindowsPictureFromQt(QStringLiteral("d 'de' MMMM")), QStringLiteral("d 'de' MMMM"));
    EXPECT_EQ(WindowsPictureFromQt(QStringLiteral("HH:mm:ss t")), QStringLiteral("HH:mm:ss"));
    // An "a" inside quoted text is no AM/PM element; milliseconds go with their separator.
    EXPECT_EQ(WindowsPictureFromQt(QStringLiteral("h 'saat' mm")), QStringLiteral("H 'saat' mm"));
    EXPECT_EQ(WindowsPictureFromQt(QStringLiteral("HH:mm:ss.zzz")), QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(WindowsPictureFromQt(QStringLiteral("h:mm:ss.zzz AP")), QStringLiteral("h:mm:ss tt"));
}

TEST(DateTimePicture, LocalPicturesFollowTheLocale) {
    {
        TLocalePin pin(QStringLiteral("en_US"));
        EXPECT_EQ(LocalShortDatePicture(), QStringLiteral("M/d/yy"));
        EXPECT_EQ(LocalTimePicture(), QStringLiteral("h:mm tt"));
        EXPECT_EQ(FormatTimePicture(QTime(14, 7), LocalTimePicture()), QStringLiteral("2:07 PM"));
        EXPECT_TRUE(DatePictures().contains(QStringLiteral("M/d/yy")));
    }
    TLocalePin pin(QStringLiteral("de_DE"));
    EXPECT_EQ(LocalShortDatePicture(), QStringLiteral("dd.MM.yy"));
    EXPECT_EQ(LocalTimePicture(), QStringLiteral("HH:mm"));
    EXPECT_EQ(DatePictures().first(), QStringLiteral("dd.MM.yy"));
    EXPECT_EQ(TimePictures().first(), QStringLiteral("HH:mm"));
}
