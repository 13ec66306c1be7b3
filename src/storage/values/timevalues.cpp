#include "timevalues.h"

#include <cmath>
#include <cstdlib>

namespace {
constexpr int TenMinuteStep = 17;
constexpr int ClockTenMinutes = 10;

int CurrentStep = 25;

// Whole multiples of ten minutes in clock form, back as hundredths.
int SnapDownTenMinutes(int t) {
    const int clock = TimeToClock(t);
    return ClockToTime((clock / ClockTenMinutes) * ClockTenMinutes);
}

int SnapNearestTenMinutes(int t) {
    const int clock = TimeToClock(t);
    const int low = (clock / ClockTenMinutes) * ClockTenMinutes;
    const int high = low + ClockTenMinutes;
    return ClockToTime(std::abs(clock - low) > std::abs(clock - high) ? high : low);
}
} // namespace

namespace {
// numerator / denominator to the nearest whole number. The callers' fractions are never
// exactly one half, so the direction of halves does not arise.
int RoundedQuotient(int numerator, int denominator) {
    const int magnitude = (std::abs(numerator) * 2 + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}
} // namespace

int ClockToTime(int hhmm) {
    return (hhmm / 100) * 100 + RoundedQuotient((hhmm % 100) * 100, 60);
}

int TimeToClock(int t) {
    return (t / 100) * 100 + RoundedQuotient((t % 100) * 60, 100);
}

int StepFromMinutes(int minutes) {
    switch (minutes) {
    case 6:
        return 10;
    case 10:
        return TenMinuteStep;
    default:
        return 25;
    }
}

int MinutesFromStep(int step) {
    switch (step) {
    case 10:
        return 6;
    case TenMinuteStep:
        return 10;
    default:
        return 15;
    }
}

int TimeStep() {
    return CurrentStep;
}

void SetTimeStep(int step) {
    CurrentStep = StepFromMinutes(MinutesFromStep(step));
}

int SnapDown(int t, int step) {
    step = StepFromMinutes(MinutesFromStep(step));
    if (step == TenMinuteStep)
        return SnapDownTenMinutes(t);
    return step * (t / step);
}

int SnapDown(int t) {
    return SnapDown(t, TimeStep());
}

int SnapNearest(int t, int step) {
    step = StepFromMinutes(MinutesFromStep(step));
    if (step == TenMinuteStep)
        return SnapNearestTenMinutes(t);
    const int low = step * (t / step);
    const int high = low + step;
    return std::abs(t - high) < std::abs(t - low) ? high : low;
}

int SnapNearest(int t) {
    return SnapNearest(t, TimeStep());
}

int MinutesToTime(int minutes) {
    return RoundedQuotient(minutes * 100, 60);
}
