#include "calendar/colornumber.h"
#include "calendar/graphiccalendar.h"
#include "localepin.h"
#include "storage/settings/calendarsetup.h"

#include <functional>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

// Counts the pixels of rect in image for which is holds.
int CountPixels(const QImage& image, const QRect& rect, const std::function<bool(QColor)>& is) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (is(image.pixelColor(x, y)))
                ++count;
    return count;
}

bool IsGreen(QColor c) {
    return c.green() > 200 && c.red() < 60 && c.blue() < 60;
}

bool IsBlue(QColor c) {
    return c.blue() > 200 && c.red() < 60 && c.green() < 60;
}
} // namespace

class GraphicCalendarTest : public ::testing::Test {
protected:
    void SetUp() override {
        Calendar.resize(280, 240);
        Calendar.SetDate(QDate(2024, 3, 15));
        Calendar.SetStartOfWeek(1);
        Calendar.OnChange = [this](TGraphicCalendar*) { ++Changes; };
        Calendar.OnChangeQuery = [this](TGraphicCalendar*, bool& allow) { allow = Allow; };
        Calendar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Calendar));
    }

    QImage Rendered() { return Calendar.grab().toImage(); }
    // The middle of the cell of column c and week row w.
    QPoint CellPoint(int column, int week) const {
        return CalendarCell(column, week, Calendar.size()).center();
    }
    // Writes a 200 x 100 picture, red on the left half and blue on the right.
    QString WriteTwoColourPicture(const QString& name) {
        QImage picture(200, 100, QImage::Format_RGB32);
        QPainter painter(&picture);
        painter.fillRect(0, 0, 100, 100, Red);
        painter.fillRect(100, 0, 100, 100, Blue);
        painter.end();
        const QString path = Folder.filePath(name);
        EXPECT_TRUE(picture.save(path));
        return path;
    }

    TLocalePin Pin{QStringLiteral("C")};
    QTemporaryDir Folder;
    TGraphicCalendar Calendar;
    int Changes = 0;
    bool Allow = true;
};

TEST_F(GraphicCalendarTest, ClickingADaySelectsIt) {
    // 1 March 2024 is a Friday, in column 4 of the first week with Monday first.
    QTest::mouseClick(&Calendar, Qt::LeftButton, {}, CellPoint(4, 1));
    EXPECT_EQ(Calendar.Date(), QDate(2024, 3, 1));
    EXPECT_GE(Changes, 1);
    // A blank cell and the day names change nothing.
    QTest::mouseClick(&Calendar, Qt::LeftButton, {}, CellPoint(0, 1));
    QTest::mouseClick(&Calendar, Qt::LeftButton, {}, CellPoint(2, 0));
    EXPECT_EQ(Calendar.Date(), QDate(2024, 3, 1));
    Calendar.SetAllowSelectNavigation(false);
    QTest::mouseClick(&Calendar, Qt::LeftButton, {}, CellPoint(4, 2));
    EXPECT_EQ(Calendar.Date(), QDate(2024, 3, 1));
}

TEST_F(GraphicCalendarTest, ArrowsPageMonthsAndShowWhileHeld) {
    Calendar.SetDay(31);
    const QPoint left(5, 5);
    const QPoint right(Calendar.width() - 5, 5);
    QTest::mousePress(&Calendar, Qt::LeftButton, {}, left);
    EXPECT_EQ(Calendar.Date(), QDate(2024, 2, 29)); // the day limited to February
    EXPECT_EQ(Calendar.HeldArrow(), -1);
    QTest::mouseRelease(&Calendar, Qt::LeftButton, {}, left);
    EXPECT_EQ(Calendar.HeldArrow(), 0);
    QTest::mouseClick(&Calendar, Qt::LeftButton, {}, right);
    EXPECT_EQ(Calendar.Date(), QDate(2024, 3, 29));
    // The middle of the title does nothing; without navigation neither do the arrows.
    QTest::mouseClick(&Calendar, Qt::LeftButton, {}, QPoint(Calendar.width() / 2, 5));
    Calendar.SetAllowNavigation(false);
    QTest::mouseClick(&Calendar, Qt::LeftButton, {}, right);
    EXPECT_EQ(Calendar.Date(), QDate(2024, 3, 29));
}

TEST_F(GraphicCalendarTest, PagingForwardFromTheLastOfJanuary) {
    Calendar.SetDate(QDate(2023, 1, 31));
    Calendar.PageMonth(1);
    EXPECT_EQ(Calendar.Date(), QDate(2023, 2, 28));
}

TEST_F(GraphicCalendarTest, ARefusingOwnerKeepsTheDate) {
    Allow = false;
    Changes = 0;
    QTest::mouseClick(&Calendar, Qt::LeftButton, {}, CellPoint(4, 1));
    QTest::mouseClick(&Calendar, Qt::LeftButton, {}, QPoint(5, 5));
    Calendar.SetDate(QDate(2025, 1, 1));
    Calendar.SetDay(3);
    Calendar.SetMonth(5);
    Calendar.SetYear(2020);
    Calendar.SetStartOfWeek(0);
    EXPECT_EQ(Calendar.Date(), QDate(2024, 3, 15));
    EXPECT_EQ(Calendar.StartOfWeek(), 1);
    EXPECT_EQ(Calendar.HeldArrow(), 0);
    EXPECT_EQ(Changes, 0);
}

TEST_F(GraphicCalendarTest, DateSettersKeepTheirLimits) {
    Changes = 0;
    Calendar.SetMonth(13);
    Calendar.SetDay(32);
    Calendar.SetYear(0);
    Calendar.SetDay(15); // the day it has already
    EXPECT_EQ(Calendar.Date(), QDate(2024, 3, 15));
    EXPECT_EQ(Changes, 0);
    Calendar.SetDay(31);
    Calendar.SetMonth(4); // 31 April does not exist: the 30th
    EXPECT_EQ(Calendar.Date(), QDate(2024, 4, 30));
    Calendar.SetMonth(2); // 30 April becomes 29 February
    EXPECT_EQ(Calendar.Date(), QDate(2024, 2, 29));
    Calendar.SetYear(2023);
    EXPECT_EQ(Calendar.Date(), QDate(2023, 2, 28));
    EXPECT_EQ(Changes, 4);
}

TEST_F(GraphicCalendarTest, FontScaleAndSelectionStyleLimits) {
    Calendar.SetFontScale(0.5);
    EXPECT_EQ(Calendar.FontScale(), 1.0);
    Calendar.SetFontScale(10);
    EXPECT_EQ(Calendar.FontScale(), 3.0);
    EXPECT_EQ(Calendar.SelectionStyle(), ssLine | ssFill);
    Calendar.SetSelectionStyle(ssSquare | ssCircle | ssLine);
    Calendar.SetSelectionStyle(ssSquare);
    Calendar.SetSelectionStyle(0);
    EXPECT_EQ(Calendar.SelectionStyle(), ssLine | ssFill);
    Calendar.SetSelectionStyle(ssCircle | ssDot);
    EXPECT_EQ(Calendar.SelectionStyle(), ssCircle | ssDot);
}

TEST_F(GraphicCalendarTest, FontFollowsTheSize) {
    Calendar.resize(105, 105);
    const int small = Calendar.FittedPointSize();
    Calendar.resize(420, 420);
    const int large = Calendar.FittedPointSize();
    EXPECT_GE(small, 1);
    EXPECT_GT(large, 2 * small);
    // A larger font scale gives a smaller font.
    Calendar.SetFontScale(3);
    EXPECT_LT(Calendar.FittedPointSize(), large);
}

// The selected cell is filled with the selection background at two sizes.
TEST_F(GraphicCalendarTest, SelectedCellIsFilled) {
    Calendar.SetSelectionBackground(0xFF0000); // blue
    Calendar.SetColor(0xFFFFFF);
    for (const QSize size : {QSize(105, 105), QSize(280, 240)}) {
        Calendar.resize(size);
        const QImage image = Rendered();
        const TMonthLayout layout = Calendar.Layout();
        const QRect selected = CalendarCell(layout.ColumnOf(15), layout.WeekOf(15), size);
        EXPECT_TRUE(IsBlue(image.pixelColor(selected.topLeft() + QPoint(3, 3)))) << size.width();
        const QRect other = CalendarCell(layout.ColumnOf(16), layout.WeekOf(16), size);
        EXPECT_EQ(image.pixelColor(other.topLeft() + QPoint(3, 3)), QColor(Qt::white))
            << size.width();
    }
}

TEST_F(GraphicCalendarTest, MarkedDaysShowColouredNumbersOrTheClock) {
    Calendar.SetColor(0xFFFFFF);
    Calendar.SetDayMarkerText(0x00FF00); // green
    Calendar.SetDayMarkerFill(0xFF0000); // blue
    std::array<bool, 32> marks{};
    marks[20] = true;
    marks[31] = true;
    Calendar.SetMarkDays(mdText);
    Calendar.SetMarkedDays(marks);
    EXPECT_TRUE(Calendar.IsMarked(31));
    EXPECT_FALSE(Calendar.IsMarked(21));
    const TMonthLayout layout = Calendar.Layout();
    const auto cellOf = [&](int day) {
        return CalendarCell(layout.ColumnOf(day), layout.WeekOf(day), Calendar.size());
    };
    QImage image = Rendered();
    EXPECT_GT(CountPixels(image, cellOf(20), IsGreen), 0);
    EXPECT_EQ(CountPixels(image, cellOf(21), IsGreen), 0);
    EXPECT_EQ(CountPixels(image, cellOf(31), IsBlue), 0);
    Calendar.SetMarkDays(mdGraphic);
    Calendar.update();
    image = Rendered();
    EXPECT_GT(CountPixels(image, cellOf(31), IsBlue), 0); // the clock's face
    EXPECT_EQ(CountPixels(image, cellOf(30), IsBlue), 0);
    EXPECT_EQ(CountPixels(image, cellOf(31), IsGreen), 0);
}

TEST_F(GraphicCalendarTest, PictureFitRules) {
    Calendar.resize(140, 160);   // a title of 20, then 140 x 140
    Calendar.SetColor(0x00FFFF); // yellow
    Calendar.LoadPicture(WriteTwoColourPicture(QStringLiteral("two.bmp")));
    ASSERT_TRUE(Calendar.ShowPicture());
    // Best aspect covers the area; the middle half of the picture shows.
    QImage image = Rendered();
    EXPECT_EQ(image.pixelColor(2, 22), Red);
    EXPECT_EQ(image.pixelColor(137, 157), Blue);
    // Fit aspect shows all of it between bands of the background.
    Calendar.SetPictureFitType(ftFitAspect);
    image = Rendered();
    EXPECT_EQ(image.pixelColor(2, 22), QColor(255, 255, 0));
    EXPECT_EQ(image.pixelColor(2, 57), Red);
    EXPECT_EQ(image.pixelColor(137, 122), Blue);
    EXPECT_EQ(image.pixelColor(137, 157), QColor(255, 255, 0));
    // Stretch fills the area with the whole picture.
    Calendar.SetPictureFitType(ftStretch);
    image = Rendered();
    EXPECT_EQ(image.pixelColor(2, 22), Red);
    EXPECT_EQ(image.pixelColor(137, 22), Blue);
    // Without the picture the background shows again.
    Calendar.SetShowPicture(false);
    EXPECT_EQ(Rendered().pixelColor(2, 22), QColor(255, 255, 0));
}

TEST_F(GraphicCalendarTest, APictureThatCannotBeReadLeavesThePreviousOne) {
    const QString good = WriteTwoColourPicture(QStringLiteral("two.jpg"));
    Calendar.LoadPicture(good);
    ASSERT_FALSE(Calendar.Picture().isNull());
    EXPECT_EQ(Calendar.Picture().size(), QSize(200, 100));
    Calendar.SetShowPicture(false);
    QFile broken(Folder.filePath(QStringLiteral("broken.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    Calendar.LoadPicture(broken.fileName());
    Calendar.LoadPicture(Folder.filePath(QStringLiteral("missing.bmp")));
    EXPECT_EQ(Calendar.Picture().size(), QSize(200, 100));
    EXPECT_FALSE(Calendar.ShowPicture());
}

TEST_F(GraphicCalendarTest, TheOwnerMayChangeTheFontOfADay) {
    std::vector<int> days;
    Calendar.OnDateText = [&](TGraphicCalendar*, QFont& font, int day) {
        days.push_back(day);
        if (day == 1)
            font.setBold(true);
    };
    int paints = 0;
    Calendar.OnPaint = [&](TGraphicCalendar*) { ++paints; };
    Rendered();
    ASSERT_EQ(days.size(), 31u);
    EXPECT_EQ(days.front(), 1);
    EXPECT_EQ(days.back(), 31);
    EXPECT_EQ(paints, 1);
}
