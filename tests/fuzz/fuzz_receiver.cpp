// The line receiver fed arbitrary status words and counter readings: a line of level stretches
// (each any status word, 0.1 ms to 6.5 s long) polled at a jittered rate with sudden stalls.
// Every hand-over arms exactly one commit of exactly one frame at slot FrameCount, never
// outside slots 1..2000 and never sooner than a whole frame after the previous one; a full
// store stops it; the inverting receiver fed the inverse line hands over the same frames.
//
// Input: frequency, poll rate, flags (bit 0 inverted, bit 1 reduced CPU), first FrameCount,
// jitter seed; then stretches of 3 bytes: the status word (bit 0: level), the length in
// 0.1 ms (16 bits, little-endian).
#include "acquisition/line_receiver.h"
#include "app/frame_commit.h"
#include "app/program_state.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr std::int64_t kMaxLineNs = 3'500'000'000; // two frames and a half
constexpr std::int64_t kFrequencies[] = {1'000'000,     3'579'545,  10'000'000,
                                         1'000'000'000, 14'318'180, 0};
constexpr std::int64_t kPollNs[] = {50'000, 100'000, 250'000, 500'000, 2'000'000};
constexpr int kFirstSlots[] = {1, 2, 1999, 2000, 2001, 0};
constexpr std::uint32_t kOnWords[] = {qv::ModemStatusDsr, qv::ModemStatusCts, 0xB0, 0xFFFFFFFFu};

struct Stretch {
    std::int64_t endNs;
    bool level;
    std::uint32_t onWord;
};

// Line, counter and pump in virtual time; `invert` swaps the words of level 0 and 1.
class FuzzLine : public qv::LineSource, public qv::TickClock, public qv::Pump {
public:
    FuzzLine(const std::vector<Stretch>& line, std::int64_t frequency, std::int64_t pollNs,
             std::uint32_t seed, bool invert, std::atomic<std::uint8_t>& stop)
        : line_(line), frequency_(frequency), pollNs_(pollNs), random_(seed), invert_(invert),
          stop_(stop) {}

    std::uint32_t ReadModemStatus() override {
        while (cursor_ < line_.size() && line_[cursor_].endNs <= timeNs_) ++cursor_;
        const Stretch& s = line_[cursor_ < line_.size() ? cursor_ : line_.size() - 1];
        const bool on = s.level != invert_;
        return on ? s.onWord : 0;
    }
    bool QueryFrequency(std::int64_t& ticksPerSecond) override {
        ticksPerSecond = frequency_;
        return frequency_ > 0;
    }
    std::int64_t Now() override {
        random_ = random_ * 1664525u + 1013904223u;
        std::int64_t step = pollNs_ + (random_ >> 8) % pollNs_;
        if ((random_ >> 24) == 0) step += 3'000'000; // the thread was preempted for 3 ms
        timeNs_ += step;
        if (timeNs_ > line_.back().endNs + 300'000'000) stop_ = 1; // the user pressed "Стоп"
        return static_cast<std::int64_t>(static_cast<__int128>(timeNs_) * frequency_ /
                                         1'000'000'000);
    }
    void Pass(std::int64_t) override {}

private:
    const std::vector<Stretch>& line_;
    std::int64_t frequency_, pollNs_;
    std::uint32_t random_;
    bool invert_;
    std::atomic<std::uint8_t>& stop_;
    std::int64_t timeNs_ = 0;
    std::size_t cursor_ = 0;
};

struct Received {
    qv::FrameRow row;
    int slot;
    std::int64_t ticks;
    bool operator==(const Received&) const = default;
};

std::vector<Received> RunReceiver(const std::vector<Stretch>& line, std::int64_t frequency,
                                  std::int64_t pollNs, std::uint32_t seed, bool inverted,
                                  bool reduced, int firstSlot) {
    static auto state = std::make_unique<qv::ProgramState>();
    qv::ProgramState& s = *state;
    s.StopFlag = 0;
    s.ReducedCpu = reduced;
    s.FrameCount = firstSlot;
    const std::uint64_t generation = s.handOver.BeginRun();
    FuzzLine fake(line, frequency, pollNs, seed, inverted, s.StopFlag);

    std::vector<Received> received;
    int noCounter = 0;
    const qv::ReceiverIntervals intervals = qv::ReceiverIntervals::ForFrequency(frequency);
    // A start edge may be placed up to a polling cycle (and a stall) before the reading that
    // saw it: a bit period of slack.
    const std::int64_t minimumApart = intervals.Gap + intervals.HeaderLastCell +
                                      11 * intervals.ByteEnd + intervals.Tail -
                                      intervals.ByteEnd / 10;
    qv::ReceiverCallbacks callbacks;
    callbacks.frameReady = [&] {
        const int slot = s.FrameCount.load();
        QV_FUZZ_CHECK(qv::RecordingStore::IsValidFrame(slot));
        QV_FUZZ_CHECK(s.handOver.Pending());
        const std::int64_t now = fake.Now();
        if (!received.empty()) QV_FUZZ_CHECK(now - received.back().ticks >= minimumApart);
        // The commit, as the main thread does it: exactly one frame, into row FrameCount.
        QV_FUZZ_CHECK(qv::CommitHandedOverFrame(s, 0.0) == slot);
        QV_FUZZ_CHECK(!s.handOver.Pending());
        received.push_back({s.store.Row(slot), slot, now});
        s.FrameCount = slot + 1;
        if (slot + 1 > qv::MaxFrames) s.StopFlag = 1; // the full store ends reading
    };
    callbacks.noCounter = [&] { ++noCounter; };

    qv::LineReceiver receiver(s, generation, fake, fake, fake,
                              inverted ? qv::LinePolarity::Inverted : qv::LinePolarity::Straight,
                              callbacks);
    receiver.Run();
    QV_FUZZ_CHECK(noCounter == (frequency > 0 ? 0 : 1));
    QV_FUZZ_CHECK(!s.handOver.Pending());
    if (frequency == 0 || !qv::RecordingStore::IsValidFrame(firstSlot))
        QV_FUZZ_CHECK(received.empty());
    QV_FUZZ_CHECK(received.size() <= static_cast<std::size_t>(qv::MaxFrames - firstSlot + 1) ||
                  !qv::RecordingStore::IsValidFrame(firstSlot));
    return received;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const std::int64_t frequency = kFrequencies[data[0] % std::size(kFrequencies)];
    const std::int64_t pollNs = kPollNs[data[1] % std::size(kPollNs)];
    const bool inverted = data[2] & 1, reduced = data[2] & 2;
    const int firstSlot = kFirstSlots[data[3] % std::size(kFirstSlots)];
    const std::uint32_t seed = data[4];

    std::vector<Stretch> line;
    std::int64_t t = 0;
    for (std::size_t i = 5; i + 3 <= size && t < kMaxLineNs; i += 3) {
        const std::int64_t length = (data[i + 1] | data[i + 2] << 8) * 100'000LL;
        if (length == 0) continue;
        t += length;
        line.push_back({t, (data[i] & 1) != 0, kOnWords[(data[i] >> 1) % std::size(kOnWords)]});
    }
    if (line.empty()) line.push_back({1'000'000, false, 0});

    const auto straight = RunReceiver(line, frequency, pollNs, seed, inverted, reduced, firstSlot);
    const auto inverse = RunReceiver(line, frequency, pollNs, seed, !inverted, reduced, firstSlot);
    QV_FUZZ_CHECK(straight == inverse);
    if (std::getenv("QV_FUZZ_VERBOSE"))
        std::fprintf(stderr, "frames handed over: %zu\n", straight.size());
    return 0;
}
