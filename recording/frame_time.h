#pragma once

#include <optional>
#include <string>

namespace qv {

// Frame times are days since 30 December 1899 00:00 local time, as a double: the integer part
// is the date, the fraction the time of day.

struct LocalDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

double ToFrameTime(const LocalDateTime& t);
LocalDateTime FromFrameTime(double frameTime);

// The current local date and time.
LocalDateTime NowLocalDateTime();
double NowFrameTime();

// The one text form of a time of day used on screen and in files: "H:mm:ss" (9:05:07).
// Milliseconds are dropped, not rounded.
std::string TimeOfDayText(double frameTime);

// The time from the time of day `first` to `last` in whole milliseconds: a `last` earlier than
// `first` lies on the next day (frames loaded from a file keep only their time of day).
long long SpanMilliseconds(double first, double last);
// "0:04:38": hours, minutes and whole seconds of a span.
std::string DurationText(long long milliseconds);

// Reads "H:mm:ss" or "HH:mm:ss" back as a fraction of a day (date part 0); nothing for
// anything else.
std::optional<double> ParseTimeOfDay(const std::string& text);

} // namespace qv
