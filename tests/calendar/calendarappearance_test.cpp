#include "calendar/calendarappearance.h"
#include "calendar/colornumber.h"
#include "calendar/graphiccalendar.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QDate Today(2024, 3, 14);

// The colour a picture of one colour shows at its middle.
QColor MiddleColour(const QImage& picture) {
    return picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

bool Near(const QColor& a, const QColor& b) {
    // JPEG keeps a plain colour within a few steps.
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 &&
           qAbs(a.blue() - b.blue()) < 12;
}
} // namespace

class CalendarAppearance : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Temp.isValid());
        Folder = Temp.path() + QStringLiteral("/Pictures/");
        ASSERT_TRUE(QDir().mkpath(Folder));
        Calendar.resize(300, 200);
    }
    void WritePicture(const QString& name, const QColor& colour) {
        QImage picture(16, 12, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(Folder + name));
    }
    // a.jpg red, b.bmp green, c.bmp blue; pictures change daily from b.bmp on.
    void WriteThreePictures() {
        WritePicture(QStringLiteral("c.bmp"), Qt::blue);
        WritePicture(QStringLiteral("a.jpg"), Qt::red);
        WritePicture(QStringLiteral("b.bmp"), Qt::green);
        Setup.ShowPictures = true;
        Setup.PictureChangeType = 2;
        Setup.PicturePath = Folder;
        Setup.LastPictureName = QStringLiteral("b.bmp");
    }

    QTemporaryDir Temp;
    QString Folder;
    TGraphicCalendar Calendar;
    TCalendarSetup Setup;
};

TEST_F(CalendarAppearance, DailyChangeMovesOnByTheDaysSinceTheLastChangeAndRemembersThePicture) {
    WriteThreePictures();
    QDate lastChange = Today.addDays(-2);
    ApplyCalendarSetup(Calendar, Setup, lastChange, Today);
    // a.jpg, b.bmp, c.bmp: (1 + 2) mod 3 = 0.
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("a.jpg"));
    EXPECT_EQ(lastChange, Today);
    EXPECT_TRUE(Calendar.ShowPicture());
    EXPECT_TRUE(Near(MiddleColour(Calendar.Picture()), Qt::red));
    // Applied again the same day, the same picture stays.
    ApplyCalendarSetup(Calendar, Setup, lastChange, Today);
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("a.jpg"));
}

TEST_F(CalendarAppearance, AnUnknownLastPictureStartsTheRotationAtTheFirstPicture) {
    WriteThreePictures();
    Setup.LastPictureName = QStringLiteral("gone.jpg");
    QDate lastChange = Today.addDays(-1);
    ApplyCalendarSetup(Calendar, Setup, lastChange, Today);
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("a.jpg"));
    EXPECT_TRUE(Near(MiddleColour(Calendar.Picture()), Qt::red));
}

TEST_F(CalendarAppearance, MonthlyChangeCountsCalendarMonthsNotDays) {
    WriteThreePictures();
    Setup.PictureChangeType = 1;
    QDate lastChange(2024, 1, 31);
    ApplyCalendarSetup(Calendar, Setup, lastChange, QDate(2024, 2, 1));
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("c.bmp"));
    EXPECT_EQ(PictureSteps(Setup, QDate(2023, 11, 30), QDate(2024, 2, 1)), 3);
    EXPECT_EQ(PictureSteps(Setup, QDate(2024, 2, 1), QDate(2024, 2, 29)), 0);
}

TEST_F(CalendarAppearance, WithoutChangeTheNamedPictureIsShownAndTheDateIsKept) {
    WriteThreePictures();
    Setup.PictureChangeType = 0;
    Setup.LastPictureName = QStringLiteral("c.bmp");
    QDate lastChange = Today.addDays(-30);
    ApplyCalendarSetup(Calendar, Setup, lastChange, Today);
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("c.bmp"));
    EXPECT_EQ(lastChange, Today.addDays(-30));
    EXPECT_TRUE(Near(MiddleColour(Calendar.Picture()), Qt::blue));
}

TEST_F(CalendarAppearance, NoPictureToShowLeavesTheBackgroundColour) {
    WriteThreePictures();
    QDate lastChange = Today;
    ApplyCalendarSetup(Calendar, Setup, lastChange, Today);
    ASSERT_TRUE(Calendar.ShowPicture());
    // Pictures switched off.
    Setup.ShowPictures = false;
    ApplyCalendarSetup(Calendar, Setup, lastChange, Today);
    EXPECT_FALSE(Calendar.ShowPicture());
    // A named picture that is missing does not leave the earlier one on show.
    Setup.ShowPictures = true;
    ApplyCalendarSetup(Calendar, Setup, lastChange, Today);
    ASSERT_TRUE(Calendar.ShowPicture());
    Setup.PictureChangeType = 0;
    Setup.LastPictureName = QStringLiteral("missing.jpg");
    ApplyCalendarSetup(Calendar, Setup, lastChange, Today);
    EXPECT_FALSE(Calendar.ShowPicture());
}

TEST_F(CalendarAppearance, AnEmptyOrMissingFolderChangesNothing) {
    Setup.ShowPictures = true;
    Setup.PictureChangeType = 2;
    Setup.PicturePath = Folder;
    Setup.LastPictureName = QStringLiteral("b.bmp");
    QDate lastChange = Today.addDays(-3);
    RotatePicture(Calendar, Setup, 3, lastChange, Today);
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("b.bmp"));
    EXPECT_EQ(lastChange, Today.addDays(-3));
    Setup.PicturePath = Temp.path() + QStringLiteral("/nowhere/");
    ApplyCalendarSetup(Calendar, Setup, lastChange, Today);
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("b.bmp"));
    EXPECT_FALSE(Calendar.ShowPicture());
}

TEST_F(CalendarAppearance, PicturesAreFoundAndSortedWithoutRegardToCaseButKeepTheirNames) {
    WritePicture(QStringLiteral("c.BMP"), Qt::blue);
    WritePicture(QStringLiteral("Beach.JPG"), Qt::green);
    WritePicture(QStringLiteral("a.jpg"), Qt::red);
    WritePicture(QStringLiteral("notes.png"), Qt::black);
    WritePicture(QStringLiteral("d.jpeg"), Qt::black);
    const QStringList files = PictureFiles(Folder);
    EXPECT_EQ(files, QStringList({QStringLiteral("a.jpg"), QStringLiteral("Beach.JPG"),
                                  QStringLiteral("c.BMP")}));
    EXPECT_EQ(NextPictureIndex(files, QStringLiteral("beach.jpg"), 1), 2);
    Setup.PicturePath = Folder;
    Setup.LastPictureName = QStringLiteral("A.JPG");
    QDate lastChange;
    RotatePicture(Calendar, Setup, 1, lastChange, Today);
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("Beach.JPG"));
    EXPECT_EQ(lastChange, Today);
    EXPECT_TRUE(Near(MiddleColour(Calendar.Picture()), Qt::green));
}

TEST_F(CalendarAppearance, StepsWrapRoundBothWays) {
    const QStringList files{QStringLiteral("a.jpg"), QStringLiteral("b.bmp"),
                            QStringLiteral("c.bmp")};
    EXPECT_EQ(NextPictureIndex(files, QStringLiteral("a.jpg"), -1), 2);
    EXPECT_EQ(NextPictureIndex(files, QStringLiteral("a.jpg"), -4), 2);
    EXPECT_EQ(NextPictureIndex(files, QStringLiteral("b.bmp"), 5), 0);
    EXPECT_EQ(NextPictureIndex(files, QStringLiteral("c.bmp"), 0), 2);
    EXPECT_EQ(NextPictureIndex(files, QStringLiteral("x.bmp"), 7), 0);
    // The clock set back a month and a day.
    TCalendarSetup monthly;
    monthly.PictureChangeType = 1;
    EXPECT_EQ(PictureSteps(monthly, QDate(2024, 3, 1), QDate(2024, 2, 29)), -1);
    TCalendarSetup daily;
    daily.PictureChangeType = 2;
    EXPECT_EQ(PictureSteps(daily, QDate(2024, 3, 1), QDate(2024, 2, 29)), -1);
    EXPECT_EQ(PictureSteps(daily, QDate(), QDate(2024, 2, 29)), 0);
}

TEST_F(CalendarAppearance, DateTimesCountWholeDaysOnly) {
    TCalendarSetup daily;
    daily.PictureChangeType = 2;
    const QDateTime evening(QDate(2024, 3, 13), QTime(23, 0));
    EXPECT_EQ(PictureSteps(daily, evening, QDateTime(QDate(2024, 3, 14), QTime(1, 0))), 0);
    EXPECT_EQ(PictureSteps(daily, evening, QDateTime(QDate(2024, 3, 15), QTime(23, 0))), 2);
    WriteThreePictures();
    QDateTime lastChange = evening;
    const QDateTime now(QDate(2024, 3, 15), QTime(23, 30));
    ApplyCalendarSetup(Calendar, Setup, lastChange, now);
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("a.jpg"));
    EXPECT_EQ(lastChange, now);
}

TEST_F(CalendarAppearance, TheClockRotatesOnlyWhenPicturesChangeAndTimeHasPassed) {
    WriteThreePictures();
    QDate lastChange = Today;
    EXPECT_FALSE(RotatePictureWhenDue(Calendar, Setup, lastChange, Today));
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("b.bmp"));
    Setup.ShowPictures = false;
    EXPECT_FALSE(RotatePictureWhenDue(Calendar, Setup, lastChange, Today.addDays(1)));
    Setup.ShowPictures = true;
    Setup.PictureChangeType = 0;
    EXPECT_FALSE(RotatePictureWhenDue(Calendar, Setup, lastChange, Today.addDays(1)));
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("b.bmp"));
    Setup.PictureChangeType = 2;
    EXPECT_TRUE(RotatePictureWhenDue(Calendar, Setup, lastChange, Today.addDays(1)));
    EXPECT_EQ(Setup.LastPictureName, QStringLiteral("c.bmp"));
    EXPECT_EQ(lastChange, Today.addDays(1));
    EXPECT_TRUE(Near(MiddleColour(Calendar.Picture()), Qt::blue));
}

TEST_F(CalendarAppearance, TheLookReachesTheCalendar) {
    Setup.TitleEffect = 1;
    Setup.TextEffect = 2;
    Setup.TitleBackground = NumberOfColor(QColor(1, 2, 3));
    Setup.Background = NumberOfColor(QColor(4, 5, 6));
    Setup.LineColor = NumberOfColor(QColor(7, 8, 9));
    Setup.SelectionBackground = NumberOfColor(QColor(10, 11, 12));
    Setup.DayMarkerFill = NumberOfColor(QColor(13, 14, 15));
    Setup.DayMarkerLine = NumberOfColor(QColor(16, 17, 18));
    Setup.DayMarkerText = NumberOfColor(QColor(19, 20, 21));
    Setup.MarkDays = 2;
    Setup.FitType = 1;
    Setup.SelectionStyle = ssCircle | ssDot;
    QDate lastChange = Today;
    ApplyCalendarSetup(Calendar, Setup, lastChange, Today);
    EXPECT_EQ(Calendar.TitleTextEffect(), etShadow);
    EXPECT_EQ(Calendar.CalendarTextEffect(), etCutout);
    EXPECT_EQ(Calendar.TitleBackground(), Setup.TitleBackground);
    EXPECT_EQ(Calendar.Color(), Setup.Background);
    EXPECT_EQ(Calendar.LineColor(), Setup.LineColor);
    EXPECT_EQ(Calendar.SelectionBackground(), Setup.SelectionBackground);
    EXPECT_EQ(Calendar.DayMarkerFill(), Setup.DayMarkerFill);
    EXPECT_EQ(Calendar.DayMarkerLine(), Setup.DayMarkerLine);
    EXPECT_EQ(Calendar.DayMarkerText(), Setup.DayMarkerText);
    EXPECT_EQ(Calendar.MarkDays(), mdGraphic);
    EXPECT_EQ(Calendar.PictureFitType(), ftFitAspect);
    EXPECT_EQ(Calendar.SelectionStyle(), ssCircle | ssDot);
    EXPECT_FALSE(Calendar.ShowPicture());

    // A style that draws nothing is refused by the calendar; numbers out of range read as
    // their first value.
    Setup.SelectionStyle = ssSquare;
    Setup.TitleEffect = 9;
    Setup.MarkDays = -1;
    ApplyCalendarSetup(Calendar, Setup, lastChange, Today);
    EXPECT_EQ(Calendar.SelectionStyle(), ssCircle | ssDot);
    EXPECT_EQ(Calendar.TitleTextEffect(), etNone);
    EXPECT_EQ(Calendar.MarkDays(), mdNone);
}

TEST_F(CalendarAppearance, TheFolderIsMadeAbsoluteWithATrailingSeparator) {
    EXPECT_EQ(PictureFolder(Folder), Folder);
    EXPECT_EQ(PictureFolder(Temp.path() + QStringLiteral("/Pictures")), Folder);
    EXPECT_EQ(PictureFolder(QString()), QString());
    EXPECT_EQ(PictureFolder(QStringLiteral("Relative")),
              QDir::current().absoluteFilePath(QStringLiteral("Relative")) + QLatin1Char('/'));
}
