#include "storage/settings/windowgeometry.h"

#include <gtest/gtest.h>

TEST(WindowGeometry, SizeTextAtAndAwayFrom96PixelsPerInch) {
    EXPECT_DOUBLE_EQ(ScreenSizeFactor(96), 1.0);
    EXPECT_DOUBLE_EQ(ScreenSizeFactor(120), 1.31); // (1.25 - 0.75) / 0.25 * 0.31 + 0.69
    EXPECT_DOUBLE_EQ(ScreenSizeFactor(144), 1.62); // (1.5 - 0.75) / 0.25 * 0.31 + 0.69

    TWindowSize size = ParseWindowSize(QStringLiteral(" 800,600 "), 96);
    EXPECT_FALSE(size.Maximised);
    EXPECT_EQ(size.Size, QSize(800, 600));
    size = ParseWindowSize(QStringLiteral("800,600"), 144);
    EXPECT_EQ(size.Size, QSize(1296, 972));
    EXPECT_EQ(WindowSizeText(false, size.Size, 144), QStringLiteral("800,600"));
    EXPECT_TRUE(ParseWindowSize(QStringLiteral("MAX"), 96).Maximised);
    EXPECT_EQ(WindowSizeText(true, QSize(1, 1), 96), QStringLiteral("max"));
}

TEST(WindowGeometry, UnreadableSizeGivesTheDefault) {
    for (const char* text : {"800,6x0", "800", "", ",600", "wide,tall"})
        EXPECT_EQ(ParseWindowSize(QString::fromLatin1(text), 96).Size, QSize(552, 550)) << text;
    EXPECT_EQ(ParseWindowSize(QStringLiteral("800,6x0"), 144).Size, QSize(894, 891));
}

TEST(WindowGeometry, SearchPanelWidthIsLeftOut) {
    EXPECT_EQ(WindowSizeText(false, QSize(860, 550), 96, 154), QStringLiteral("706,550"));
}

TEST(WindowGeometry, MonitorChoiceAndCentring) {
    const QList<QRect> monitors{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    EXPECT_EQ(ChooseMonitor(1, monitors), 0);
    EXPECT_EQ(ChooseMonitor(1920, monitors), 0);
    EXPECT_EQ(ChooseMonitor(1921, monitors), 1);
    EXPECT_EQ(ChooseMonitor(99999, monitors), 0); // none reaches it: the first
    EXPECT_EQ(ChooseMonitor(5, {}), -1);
    EXPECT_EQ(CentreOnMonitor(monitors[1], QSize(551, 550)), QPoint(1920 + 364, 237));
}

TEST(WindowGeometry, ScalingToTheScreenAndBack) {
    EXPECT_EQ(ScaleToScreen(1250, 96), 1250);
    EXPECT_EQ(ScaleFromScreen(1250, 96), 1250);
    EXPECT_EQ(ScaleToScreen(1250, 120), 1638); // 1637.5 away from zero
    EXPECT_EQ(ScaleToScreen(45, 144), 73);     // 72.9
    EXPECT_EQ(ScaleFromScreen(1638, 120), 1250);
    EXPECT_EQ(ScaleFromScreen(73, 144), 45);
}
