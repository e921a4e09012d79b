#include "acquisition/line_health.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qv {
namespace {

std::string Seconds(double seconds, const std::string& decimalSeparator) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", seconds);
    std::string result = text;
    if (const std::size_t dot = result.find('.'); dot != std::string::npos)
        result.replace(dot, 1, decimalSeparator);
    return result + " с";
}

} // namespace

LineHealthSummary LineHealthTally::Summary() const {
    LineHealthSummary summary;
    std::vector<double> intervals;
    for (const Entry& frame : frames_) {
        ++summary.Frames;
        if (frame.Health.FramingFaults > 0) ++summary.FaultyFrames;
        if (frame.Health.SincePrevious > 0) intervals.push_back(frame.Health.SincePrevious);
    }
    if (intervals.empty()) return summary;
    double total = 0;
    for (const double interval : intervals) total += interval;
    summary.MeanInterval = total / static_cast<double>(intervals.size());
    summary.LongestInterval = *std::max_element(intervals.begin(), intervals.end());
    // The lower median: with few intervals, a long one must not set the measure itself.
    std::vector<double> sorted = intervals;
    const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>((sorted.size() - 1) / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    const double median = *middle;
    for (const double interval : intervals)
        if (interval > MissingIntervalFactor * median)
            summary.MissingFrames +=
                std::max(1, static_cast<int>(std::lround(interval / median)) - 1);
    return summary;
}

std::string LineHealthText(const LineHealthSummary& summary, const std::string& decimalSeparator) {
    std::string text = "Линия: кадров: " + std::to_string(summary.Frames) +
                       ", с ошибками кадра: " + std::to_string(summary.FaultyFrames) +
                       ", пропусков: " + std::to_string(summary.MissingFrames);
    if (summary.MeanInterval > 0)
        text += ", интервал: в среднем " + Seconds(summary.MeanInterval, decimalSeparator) +
                ", наибольший " + Seconds(summary.LongestInterval, decimalSeparator);
    return text;
}

std::string LineHealthHint(const LineHealthSummary& summary) {
    if (summary.FaultyFrames < 2 || summary.FaultyFrames * 10 <= summary.Frames) return {};
    return "Многовато ошибок кадра: проверьте кабель и отметку «Инверсный адаптер» в меню "
           "«Настройки»";
}

} // namespace qv
