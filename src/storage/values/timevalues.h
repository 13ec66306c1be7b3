#pragma once

#include <cstdint>
#include <cstdlib>

// Times of day and durations are whole hundredths of an hour: 0 is the start of the day,
// 2400 its end, 50 half an hour. Files and the screen use the clock form HHMM.

// The end of the day as a time (24:00); the start is 0.
inline constexpr int DayEnd = 2400;

// (hhmm div 100) * 100 + the minutes as hundredths of an hour, rounded.
int ClockToTime(int hhmm);
// (t div 100) * 100 + the hundredths as minutes, rounded.
int TimeToClock(int t);
// The whole minutes of a duration, the nearest to 0.6 t (which never lies half way).
inline int DurationMinutes(int t) {
    const std::int64_t minutes = (6 * std::abs(std::int64_t{t}) + 5) / 10;
    return static_cast<int>(t < 0 ? -minutes : minutes);
}
// The duration as real hours, rounded to whole minutes.
inline double DurationHours(int t) {
    return static_cast<double>(DurationMinutes(t)) / 60.0;
}

// A length in minutes as hundredths of an hour, to the nearest: 15 -> 25, 20 -> 33, 42 -> 70.
int MinutesToTime(int minutes);

// The unit of time as a step in hundredths: 6 minutes -> 10, 10 minutes -> 17, anything
// else (15 minutes) -> 25; and back.
int StepFromMinutes(int minutes);
int MinutesFromStep(int step);

// The process-wide unit of time (25 until the administration settings set it). Any step
// other than 10 or 17 is taken as 25.
int TimeStep();
void SetTimeStep(int step);

// Steps other than 10 or 17 are taken as 25, as for SetTimeStep.
// Down to the step at or before t. The 10-minute step (17) cannot be held exactly in
// hundredths, so it works in clock form on whole multiples of ten minutes.
int SnapDown(int t, int step);
int SnapDown(int t);
// To the nearest step; a tie goes to the lower one.
int SnapNearest(int t, int step);
int SnapNearest(int t);
