#include "setup/setupcolumns.h"

#include <gtest/gtest.h>

TEST(SetupColumns, RangesLeaveRoomForTheOtherColumns) {
    EXPECT_EQ(ColumnRange(rcProject).Low, 92);
    EXPECT_EQ(ColumnRange(rcProject).High, 598);
    EXPECT_EQ(ColumnRange(rcCategoryActivity).Low, 172);
    EXPECT_EQ(ColumnRange(rcCategoryActivity).High, 678);
    EXPECT_EQ(ColumnRange(rcRemarks).Low, 252);
    EXPECT_EQ(ColumnRange(rcRemarks).High, 758);
}

TEST(SetupColumns, MovingAColumnPushesItsNeighboursAway) {
    TColumnPositions positions = DefaultColumnPositions(); // 92, 248, 600
    MoveColumn(positions, rcProject, 560);
    EXPECT_EQ(positions, (TColumnPositions{560, 640, 720}));
    MoveColumn(positions, rcRemarks, 300);
    EXPECT_EQ(positions, (TColumnPositions{140, 220, 300}));
    MoveColumn(positions, rcCategoryActivity, 100); // held at its lowest, project pushed left
    EXPECT_EQ(positions, (TColumnPositions{92, 172, 300}));
    MoveColumn(positions, rcCategoryActivity, 700);
    EXPECT_EQ(positions, (TColumnPositions{92, 678, 758}));
    MoveColumn(positions, rcProject, 200); // far enough apart: nothing else moves
    EXPECT_EQ(positions, (TColumnPositions{200, 678, 758}));
}

TEST(SetupColumns, StoredPositionsAreMadeValid) {
    EXPECT_EQ(ValidColumnPositions({0, 0, 0}), (TColumnPositions{92, 172, 252}));
    EXPECT_EQ(ValidColumnPositions({300, 320, 2000}), (TColumnPositions{300, 380, 758}));
    EXPECT_EQ(ValidColumnPositions({150, 400, 700}), (TColumnPositions{150, 400, 700}));
}

TEST(SetupColumns, SliderImagesAndPositionsMapBothWays) {
    const TColumnRange project = ColumnRange(rcProject);
    EXPECT_EQ(SliderLeft(280, 11, project, 92), 0);
    EXPECT_EQ(SliderLeft(280, 11, project, 598), 269);
    EXPECT_EQ(SliderLeft(280, 11, project, 345), 134); // 134.5: halves to even
    EXPECT_EQ(SliderPosition(280, 11, project, 0), 92);
    EXPECT_EQ(SliderPosition(280, 11, project, 269), 598);
    EXPECT_EQ(SliderPosition(280, 11, project, 100), 280); // 92 + 506 * 100 / 269 = 280.1
    for (int left = 0; left <= 269; ++left)
        EXPECT_EQ(SliderLeft(280, 11, project, SliderPosition(280, 11, project, left)), left);
}

TEST(SetupColumns, PagePreviewScalesTheReportWidth) {
    EXPECT_EQ(PagePreviewX(8, 480), 4);     // 3.67
    EXPECT_EQ(PagePreviewX(838, 480), 384); // 384.2
    EXPECT_EQ(PagePreviewX(949 + 25, 480), 447);
    EXPECT_EQ(PagePreviewX(PageBandWidth, 480), 480);
}
