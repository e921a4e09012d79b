#include "acquisition/line_encoder.h"

#include "base/split_mix64.h"

#include <algorithm>

namespace qv {
namespace {

void Append(LineRecording& line, std::int64_t timeNs, int level) {
    if (!line.Changes.empty()) {
        if (line.Changes.back().Level == level) return;
        timeNs = std::max(timeNs, line.Changes.back().TimeNs + 1);
    }
    line.Changes.push_back({timeNs, level});
}

// Inverts the line's level over [fromNs, toNs).
void Invert(LineRecording& line, std::int64_t fromNs, std::int64_t toNs) {
    std::size_t cursor = 0;
    const int atFrom = line.LevelAt(fromNs, cursor);
    const int atTo = line.LevelAt(toNs, cursor);
    std::vector<LevelChange> changes;
    bool fromPlaced = false, toPlaced = false;
    const auto placeUpTo = [&](std::int64_t timeNs) {
        if (!fromPlaced && timeNs >= fromNs) changes.push_back({fromNs, 1 - atFrom});
        if (!toPlaced && timeNs >= toNs) changes.push_back({toNs, atTo});
        fromPlaced = fromPlaced || timeNs >= fromNs;
        toPlaced = toPlaced || timeNs >= toNs;
    };
    for (const LevelChange& change : line.Changes) {
        placeUpTo(change.TimeNs);
        if (change.TimeNs == fromNs || change.TimeNs == toNs) continue;
        const bool inside = change.TimeNs > fromNs && change.TimeNs < toNs;
        changes.push_back({change.TimeNs, inside ? 1 - change.Level : change.Level});
    }
    placeUpTo(toNs);
    line.Changes.clear();
    for (const LevelChange& change : changes) Append(line, change.TimeNs, change.Level);
}

} // namespace

std::vector<int> EncodedFrame::DefaultHeaderCells() {
    return {0, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1};
}

std::int64_t AppendFrame(LineRecording& line, std::int64_t startNs, const EncodedFrame& frame,
                         const LineTiming& timing) {
    std::uint64_t rng = timing.JitterSeed ^ static_cast<std::uint64_t>(startNs);
    const auto jitter = [&]() -> std::int64_t {
        if (timing.JitterNs <= 0) return 0;
        const auto span = static_cast<std::uint64_t>(2 * timing.JitterNs + 1);
        return static_cast<std::int64_t>(SplitMix64(rng) % span) - timing.JitterNs;
    };
    const auto cellLevels = [&](std::int64_t cellStartNs, const std::vector<int>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::int64_t at = cellStartNs + static_cast<std::int64_t>(i) * timing.BitNs;
            const int level = cells[i] != 0 ? 1 : 0;
            if (line.Changes.empty() || line.Changes.back().Level != level)
                Append(line, at + jitter(), level);
        }
    };

    if (line.Changes.empty()) line.Changes.push_back({0, 1});
    Append(line, startNs, 1);
    const std::int64_t frameStart =
        startNs +
        static_cast<std::int64_t>(frame.IdleBitsBefore * static_cast<double>(timing.BitNs));
    cellLevels(frameStart, frame.HeaderCells);
    std::int64_t byteStart =
        frameStart +
        static_cast<std::int64_t>(timing.HeaderBits * static_cast<double>(timing.BitNs));
    const std::int64_t firstByte = byteStart;
    for (std::uint8_t byte : frame.Bytes) {
        std::vector<int> cells{0};
        for (int k = 0; k < 8; ++k) cells.push_back((byte >> k) & 1);
        cells.push_back(1);
        cells.push_back(1);
        cellLevels(byteStart, cells);
        byteStart += 11 * timing.BitNs;
    }
    const auto bits = [&](double multiple) {
        return static_cast<std::int64_t>(multiple * static_cast<double>(timing.BitNs));
    };
    for (const LineGlitch& glitch : frame.Glitches) {
        const std::int64_t start = firstByte + glitch.Byte * 11 * timing.BitNs;
        Invert(line, start + bits(glitch.FromBits), start + bits(glitch.ToBits));
    }
    return byteStart;
}

LineRecording EncodeLine(const std::vector<EncodedFrame>& frames, const LineTiming& timing) {
    LineRecording line;
    std::int64_t at = 0;
    for (const EncodedFrame& frame : frames) at = AppendFrame(line, at, frame, timing);
    (void)at;
    if (line.Changes.empty()) line.Changes.push_back({0, 1});
    return line;
}

} // namespace qv
