#include "storage/values/timevalues.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

TEST(TimeValues, ClockAndTimeConversions) {
    EXPECT_EQ(ClockToTime(930), 950);
    EXPECT_EQ(ClockToTime(1010), 1017);
    EXPECT_EQ(ClockToTime(59), 98);
    EXPECT_EQ(ClockToTime(2400), 2400);
    EXPECT_EQ(TimeToClock(1017), 1010);
    EXPECT_EQ(TimeToClock(2400), 2400);
    EXPECT_EQ(TimeToClock(98), 59);
    EXPECT_EQ(TimeToClock(1099), 1059);
}

TEST(TimeValues, EveryClockMinuteSurvivesTheRoundTrip) {
    for (int hour = 0; hour < 24; ++hour)
        for (int minute = 0; minute < 60; ++minute) {
            const int clock = hour * 100 + minute;
            EXPECT_EQ(TimeToClock(ClockToTime(clock)), clock) << clock;
        }
}

TEST(TimeValues, DurationHoursRoundsToWholeMinutes) {
    EXPECT_DOUBLE_EQ(DurationHours(150), 1.5);
    EXPECT_DOUBLE_EQ(DurationHours(17), 10.0 / 60); // 10.2 minutes -> 10
    EXPECT_DOUBLE_EQ(DurationHours(1), 1.0 / 60);   // 0.6 minutes -> 1
    EXPECT_DOUBLE_EQ(DurationHours(0), 0);
}

// Whole minutes are worked out in integers; they must be the real number 0.6 t rounded to the
// nearest, for the lengths of days as for absurd ones read from damaged files.
TEST(TimeValues, DurationMinutesAreTheNearestWholeMinutes) {
    const auto nearest = [](int t) { return static_cast<int>(std::lround(t * 60.0 / 100.0)); };
    for (int t = -5000; t <= 5000; ++t)
        ASSERT_EQ(DurationMinutes(t), nearest(t)) << t;
    for (const int t : {std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
                        std::numeric_limits<int>::max() - 7, 123456789, -987654321})
        EXPECT_EQ(DurationMinutes(t), nearest(t)) << t;
    EXPECT_EQ(DurationMinutes(-17), -10);
    EXPECT_DOUBLE_EQ(DurationHours(-150), -1.5);
}

TEST(TimeValues, StepsAndMinutes) {
    EXPECT_EQ(StepFromMinutes(6), 10);
    EXPECT_EQ(StepFromMinutes(10), 17);
    EXPECT_EQ(StepFromMinutes(15), 25);
    EXPECT_EQ(StepFromMinutes(30), 25);
    EXPECT_EQ(MinutesFromStep(10), 6);
    EXPECT_EQ(MinutesFromStep(17), 10);
    EXPECT_EQ(MinutesFromStep(25), 15);
    EXPECT_EQ(MinutesFromStep(0), 15);
}

TEST(TimeValues, ProcessStepStartsAtFifteenMinutesAndAcceptsOnlyKnownSteps) {
    EXPECT_EQ(TimeStep(), 25);
    SetTimeStep(17);
    EXPECT_EQ(TimeStep(), 17);
    EXPECT_EQ(SnapDown(1040), 1033); // 10:24 -> 10:20
    SetTimeStep(0);
    EXPECT_EQ(TimeStep(), 25);
    EXPECT_EQ(SnapDown(49), 25);
    SetTimeStep(25);
}

TEST(TimeValues, SnapWithTenMinuteUnitWorksOnTheClock) {
    EXPECT_EQ(SnapDown(1033, 17), 1033);                              // 10:20 stays
    EXPECT_EQ(SnapDown(1049, 17), 1033);                              // 10:29 -> 10:20
    EXPECT_EQ(SnapNearest(ClockToTime(1015), 17), ClockToTime(1010)); // tie goes down
    EXPECT_EQ(SnapNearest(ClockToTime(1016), 17), ClockToTime(1020));
    EXPECT_EQ(SnapNearest(ClockToTime(1014), 17), ClockToTime(1010));
    EXPECT_EQ(SnapNearest(ClockToTime(2356), 17), 2400);
    // Every result is a whole multiple of ten minutes.
    for (int t = 0; t <= 2400; ++t) {
        EXPECT_EQ(TimeToClock(SnapDown(t, 17)) % 10, 0) << t;
        EXPECT_EQ(TimeToClock(SnapNearest(t, 17)) % 10, 0) << t;
    }
}

TEST(TimeValues, SnapWithFifteenMinuteUnit) {
    EXPECT_EQ(SnapNearest(37, 25), 25);
    EXPECT_EQ(SnapNearest(38, 25), 50);
    EXPECT_EQ(SnapDown(49, 25), 25);
    EXPECT_EQ(SnapDown(50, 25), 50);
    EXPECT_EQ(SnapDown(2399, 25), 2375);
}

TEST(TimeValues, SnapWithSixMinuteUnit) {
    EXPECT_EQ(SnapNearest(5, 10), 0); // tie goes down
    EXPECT_EQ(SnapNearest(6, 10), 10);
    EXPECT_EQ(SnapNearest(2395, 10), 2390);
    EXPECT_EQ(SnapDown(19, 10), 10);
}

TEST(TimeValues, WholeNumberConversionsMatchRoundingOfTheRealQuotient) {
    for (int value = -2500; value <= 2500; ++value) {
        ASSERT_EQ(ClockToTime(value),
                  (value / 100) * 100 + static_cast<int>(std::lround((value % 100) * 100.0 / 60.0)))
            << value;
        ASSERT_EQ(TimeToClock(value),
                  (value / 100) * 100 + static_cast<int>(std::lround((value % 100) * 60.0 / 100.0)))
            << value;
    }
}
