#include "recording/recording_summary.h"

#include "recording/decoding.h"
#include "recording/frame_time.h"
#include "recording/parameter_table.h"

#include <cmath>
#include <cstdio>

namespace qv {
namespace {

constexpr long long MillisecondsPerDay = 86'400'000LL;

bool Below(const ExactValue& a, const ExactValue& b) {
    return a.num * b.den < b.num * a.den; // far from overflow: bytes times small constants
}

ParameterSummary SummarizeParameter(const RecordingStore& store, int length, int p,
                                    const DisplaySettings& settings, const std::string& decimal) {
    const ParameterUnit& unit = *ParameterUnitOf(p, settings);
    ParameterSummary summary;
    summary.label = unit.label;
    ExactValue lowest, highest;
    long long sum = 0;
    for (int n = 1; n <= length; ++n) {
        const auto value = UnitValue(unit, ParameterByte(store.Row(n), p));
        if (!value) return summary;
        // Every value of one unit has the same denominator, so the numerators add up.
        sum += value->num;
        if (n == 1 || Below(*value, lowest)) { // the first frame that shows it counts
            lowest = *value;
            summary.lowestFrame = n;
        }
        if (n == 1 || Below(highest, *value)) {
            highest = *value;
            summary.highestFrame = n;
        }
    }
    summary.lowest = ParameterText(store, summary.lowestFrame, p, settings, decimal);
    summary.highest = ParameterText(store, summary.highestFrame, p, settings, decimal);
    summary.mean = FixedText({sum, lowest.den * length}, unit.panel.P, unit.panel.D, decimal) +
                   unit.panel.unit;
    return summary;
}

// "0:04:38": hours, minutes and whole seconds.
std::string DurationText(long long ms) {
    const long long seconds = ms / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

} // namespace

RecordingSummary SummarizeRecording(const RecordingStore& store, int length,
                                    const DisplaySettings& settings,
                                    const std::string& decimalSeparator) {
    RecordingSummary summary;
    summary.frames = length;
    const double first = store.Row(1).FrameTime, last = store.Row(length).FrameTime;
    summary.start = TimeOfDayText(first);
    summary.end = TimeOfDayText(last);
    long long ms = std::llround((last - first) * static_cast<double>(MillisecondsPerDay));
    if (ms < 0) ms += MillisecondsPerDay; // times of day past midnight
    summary.duration = DurationText(ms);
    if (length > 1)
        summary.interval = FixedText({ms, 1000LL * (length - 1)}, 9, 2, decimalSeparator) + " с";

    for (int p = 1; p <= ParameterCount; ++p)
        summary.parameters[p - 1] =
            SummarizeParameter(store, length, p, settings, decimalSeparator);
    for (int f = 0; f < NamedFlagCount; ++f) {
        const FlagInfo& flag = NamedFlag(f);
        FlagSummary& out = summary.flags[f];
        out.label = flag.label;
        out.word = flag.on;
        for (int n = 1; n <= length; ++n) out.frames += FlagBit(store.Row(n), flag.byte, flag.bit);
        out.share = FixedText({100LL * out.frames, length}, 4, 1, decimalSeparator) + " %";
    }
    return summary;
}

SummaryLayout LayOutSummary(const RecordingSummary& summary) {
    SummaryLayout layout;
    layout.length = {
        "Кадров: " + std::to_string(summary.frames),
        "Длительность: " + summary.duration + ", с " + summary.start + " по " + summary.end,
    };
    if (!summary.interval.empty()) layout.length.push_back("Между кадрами: " + summary.interval);

    layout.parameters.heading = {"Параметр", "Наименьшее", "Кадр", "Наибольшее", "Кадр", "Среднее"};
    // A parameter without a value (a unit setting outside the listed ones) names no frame.
    const auto frame = [](int n) {
        return n > 0 ? SummaryCell{std::to_string(n), n} : SummaryCell{};
    };
    for (const ParameterSummary& p : summary.parameters)
        layout.parameters.rows.push_back({{p.label},
                                          {p.lowest},
                                          frame(p.lowestFrame),
                                          {p.highest},
                                          frame(p.highestFrame),
                                          {p.mean}});

    layout.flags.heading = {"Флаг", "Кадров", "Доля"};
    for (const FlagSummary& f : summary.flags)
        layout.flags.rows.push_back(
            {{f.label + " " + f.word}, {std::to_string(f.frames)}, {f.share}});
    return layout;
}

std::vector<std::string> SummaryLines(const RecordingSummary& summary) {
    const SummaryLayout layout = LayOutSummary(summary);
    std::vector<std::string> lines = layout.length;
    const auto tabbed = [](const auto& items, auto text) {
        std::string line;
        for (std::size_t k = 0; k < items.size(); ++k) line += (k ? "\t" : "") + text(items[k]);
        return line;
    };
    for (const SummaryTable* table : {&layout.parameters, &layout.flags}) {
        lines.push_back("");
        lines.push_back(tabbed(table->heading, [](const std::string& t) { return t; }));
        for (const auto& row : table->rows)
            lines.push_back(tabbed(row, [](const SummaryCell& c) { return c.text; }));
    }
    return lines;
}

} // namespace qv
