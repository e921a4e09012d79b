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

// The lower median: with few intervals, a long one must not set the measure itself.
double LowerMedian(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>((values.size() - 1) / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
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
    const double median = LowerMedian(intervals);
    for (const double interval : intervals)
        if (interval > MissingIntervalFactor * median)
            summary.MissingFrames +=
                std::max(1, static_cast<int>(std::lround(interval / median)) - 1);
    return summary;
}

void LineHealthTally::FrameDeleted(int slot) {
    std::erase_if(frames_, [slot](const Entry& frame) { return frame.Slot == slot; });
    for (Entry& frame : frames_)
        if (frame.Slot > slot) --frame.Slot;
}

void LineHealthTally::Marks(int first, int last, std::vector<LiveMark>& marks) const {
    marks.clear();
    std::vector<double> intervals;
    for (const Entry& frame : frames_)
        if (frame.Health.SincePrevious > 0) intervals.push_back(frame.Health.SincePrevious);
    const double gapAbove = intervals.empty() ? 0 : MissingIntervalFactor * LowerMedian(intervals);
    for (const Entry& frame : frames_) {
        if (frame.Slot < first || frame.Slot > last) continue;
        const bool faulty = frame.Health.FramingFaults > 0;
        const bool gap = gapAbove > 0 && frame.Health.SincePrevious > gapAbove;
        if (faulty || gap) marks.push_back({frame.Slot, faulty, gap});
    }
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
