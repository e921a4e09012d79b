#include "recording/frame_time.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace qv {
namespace {

constexpr long long MillisecondsPerDay = 86'400'000LL;

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}

const long long EpochDays = DaysFromCivil(1899, 12, 30);

// The frame time as whole milliseconds since the epoch, rounded to absorb binary fractions.
long long ToMilliseconds(double frameTime) {
    return std::llround(frameTime * static_cast<double>(MillisecondsPerDay));
}

} // namespace

double ToFrameTime(const LocalDateTime& t) {
    const long long days =
        DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) -
        EpochDays;
    const long long ms = ((t.hour * 60LL + t.minute) * 60LL + t.second) * 1000LL + t.millisecond;
    return static_cast<double>(days) + static_cast<double>(ms) / MillisecondsPerDay;
}

LocalDateTime FromFrameTime(double frameTime) {
    long long total = ToMilliseconds(frameTime);
    long long days = total / MillisecondsPerDay;
    long long ms = total % MillisecondsPerDay;
    if (ms < 0) {
        ms += MillisecondsPerDay;
        --days;
    }
    LocalDateTime t;
    CivilFromDays(days + EpochDays, t.year, t.month, t.day);
    t.millisecond = static_cast<int>(ms % 1000);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.hour = static_cast<int>(ms / 3600000);
    return t;
}

LocalDateTime NowLocalDateTime() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    LocalDateTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millisecond = static_cast<int>(ms < 0 ? ms + 1000 : ms);
    return t;
}

double NowFrameTime() {
    return ToFrameTime(NowLocalDateTime());
}

std::string TimeOfDayText(double frameTime) {
    const LocalDateTime t = FromFrameTime(frameTime);
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

long long SpanMilliseconds(double first, double last) {
    long long ms = std::llround((last - first) * static_cast<double>(MillisecondsPerDay));
    if (ms < 0) ms += MillisecondsPerDay;
    return ms;
}

std::string DurationText(long long milliseconds) {
    const long long seconds = milliseconds / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

std::optional<double> ParseTimeOfDay(const std::string& text) {
    int fields[3] = {0, 0, 0};
    int field = 0, digits = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (++digits > 2) return std::nullopt;
            fields[field] = fields[field] * 10 + (c - '0');
        } else if (c == ':' && digits > 0 && field < 2) {
            ++field;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (field != 2 || digits != 2) return std::nullopt;
    if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59) return std::nullopt;
    // Minutes must be written with two digits as well.
    const auto firstColon = text.find(':');
    if (text.find(':', firstColon + 1) - firstColon != 3) return std::nullopt;
    return ((fields[0] * 60.0 + fields[1]) * 60.0 + fields[2]) * 1000.0 / MillisecondsPerDay;
}

} // namespace qv
