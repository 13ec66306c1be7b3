#include "storage/values/packeddatetime.h"

#include <gtest/gtest.h>

TEST(PackedDateTime, KeepsTheMomentToTwoSeconds) {
    const TMoment moment(QDate(2024, 3, 29), QTime(17, 45, 33, 900));
    const TPackedDateTime packed = PackDateTime(moment);
    // Date in the high half: 44 years after 1980, March, the 29th.
    EXPECT_EQ(packed >> 16, (44u << 9) | (3u << 5) | 29u);
    EXPECT_EQ(UnpackDateTime(packed), TMoment(QDate(2024, 3, 29), QTime(17, 45, 32)));
    // The last moment of a day, as an entry ending at 2400 has it.
    EXPECT_EQ(UnpackDateTime(PackDateTime(TMoment(QDate(2024, 2, 29), QTime(23, 59, 59, 999)))),
              TMoment(QDate(2024, 2, 29), QTime(23, 59, 58)));
    // Later moments pack to larger numbers, so packed values sort like the moments.
    EXPECT_LT(PackDateTime(TMoment(QDate(2023, 12, 31), QTime(23, 59))),
              PackDateTime(TMoment(QDate(2024, 1, 1), QTime(0, 1))));
}

TEST(PackedDateTime, YearsOutsideTheFormAreZero) {
    EXPECT_EQ(UnpackDateTime(PackDateTime(TMoment(QDate(1980, 1, 1)))), TMoment(QDate(1980, 1, 1)));
    EXPECT_EQ(UnpackDateTime(PackDateTime(TMoment(QDate(2099, 12, 31), QTime(23, 59, 58)))),
              TMoment(QDate(2099, 12, 31), QTime(23, 59, 58)));
    EXPECT_EQ(PackDateTime(TMoment(QDate(1979, 12, 31), QTime(23, 59))), 0u);
    EXPECT_EQ(PackDateTime(TMoment(QDate(2100, 1, 1))), 0u);
    EXPECT_EQ(PackDateTime(TMoment()), 0u);
    EXPECT_EQ(UnpackDateTime(0), TMoment());
    // Month 0 is no real date.
    EXPECT_EQ(UnpackDateTime((44u << 25) | (1u << 16)), TMoment());
}
