#include "storage/values/moment.h"

#include <gtest/gtest.h>

TEST(Moment, ZeroIsTheLastDayOf1899) {
    EXPECT_EQ(TMoment().Date(), QDate(1899, 12, 30));
    EXPECT_DOUBLE_EQ(TMoment().ToDays(), 0);
    EXPECT_EQ(TMoment::FromDays(0), TMoment());
}

TEST(Moment, FractionalDaysBothWays) {
    const TMoment noon(QDate(2024, 1, 5), QTime(12, 0));
    EXPECT_DOUBLE_EQ(noon.ToDays(), 45296.5);
    EXPECT_EQ(TMoment::FromDays(45296.5), noon);
    EXPECT_EQ(TMoment::FromDays(45296.75).Time(), QTime(18, 0));
    // Before day zero the whole part counts back while the time still runs forward.
    const TMoment beforeZero(QDate(1899, 12, 29), QTime(6, 0));
    EXPECT_DOUBLE_EQ(beforeZero.ToDays(), -1.25);
    EXPECT_EQ(TMoment::FromDays(-1.25), beforeZero);
    // The last millisecond of a day stays on that day.
    const TMoment last(QDate(2024, 1, 5), QTime(23, 59, 59, 999));
    EXPECT_EQ(TMoment::FromDays(last.ToDays()), last);
}

TEST(Moment, OrderAndDateTime) {
    const TMoment a(QDate(2024, 1, 5), QTime(9, 30));
    const TMoment b(QDate(2024, 1, 5), QTime(9, 31));
    const TMoment c(QDate(2024, 1, 6));
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_GT(c, a);
    EXPECT_EQ(TMoment::FromDateTime(a.ToDateTime()), a);
    EXPECT_EQ(TMoment(QDate(2024, 1, 5), 99999999).Time(), QTime(23, 59, 59, 999)); // clamped
}
