#pragma once

#include <QString>

// "hr" for exactly one hour, else "hrs"; "min" for one minute, else "mins".
QString HoursWord(double hours);
QString MinutesWord(int minutes);

// A duration in real hours as text, empty for exactly 0. Decimal form: rounded to hundredths
// in the shortest form, e.g. "1.5 hrs"; otherwise hours and minutes, e.g. "1 hr 30 mins".
QString DurationText(bool decimal, double hours);

// A clock value HHMM as the locale writes a time of day, without seconds. Negative values
// count as 0, hours above 23 as hour 0 (so 2400 shows as midnight) and minutes above 59 as 59.
QString ClockText(int hhmm);
// The time value t (hundredths of an hour) as ClockText.
QString TimeText(int t);

// n in decimal with "0" put in front until the text is at least width characters long.
QString PadNumber(int n, int width);
