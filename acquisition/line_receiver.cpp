#include "acquisition/line_receiver.h"

#include "acquisition/receiver_timing.h"
#include "recording/program_state.h"

namespace qv {

LineReceiver::LineReceiver(ProgramState& state, std::uint64_t generation, LineSource& line,
                           TickClock& clock, Pump& pump, LinePolarity polarity,
                           ReceiverCallbacks callbacks, TimingObserver* observer)
    : state_(state), generation_(generation), line_(line), clock_(clock), pump_(pump),
      polarity_(polarity), callbacks_(std::move(callbacks)), observer_(observer) {}

int LineReceiver::ReadLevel() {
    return LineLevel(line_.ReadModemStatus(), polarity_);
}

bool LineReceiver::StopRequested() const {
    return state_.StopFlag.load(std::memory_order_relaxed) != 0 ||
           !state_.handOver.IsCurrent(generation_);
}

bool LineReceiver::Reduced() const {
    return state_.ReducedCpu.load(std::memory_order_relaxed);
}

void LineReceiver::PumpIfReduced(std::int64_t deadline) {
    if (Reduced()) pump_.Pass(deadline);
}

std::int64_t LineReceiver::WaitUntilAfter(std::int64_t target) {
    std::int64_t now;
    do {
        if (Reduced())
            pump_.Pass(target);
        else
            pump_.Rest(target);
        now = clock_.Now();
    } while (now <= target);
    if (observer_) observer_->WaitEnded(target, now);
    return now;
}

void LineReceiver::Run() {
    std::int64_t frequency = 0;
    if (clock_.QueryFrequency(frequency) && frequency > 0) {
        intervals_ = ReceiverIntervals::ForFrequency(frequency);
        while (ReceiveFrame()) {
        }
    } else if (callbacks_.noCounter) {
        callbacks_.noCounter();
    }
    if (callbacks_.finished) callbacks_.finished();
}

bool LineReceiver::ReceiveFrame() {
    PumpIfReduced(NoDeadline);

    std::int64_t now = 0;
    for (;;) {
        // Wait for level 1.
        for (;;) {
            PumpIfReduced(NoDeadline);
            const int level = ReadLevel();
            clock_.Now();
            if (StopRequested()) return false;
            if (level == 1) break;
        }
        // Measure the idle gap: the elapsed time decides, not the level of the last cycle.
        const std::int64_t gapEnd = clock_.Now() + intervals_.Gap;
        pump_.Pass(NoDeadline);
        for (;;) {
            pump_.Pass(NoDeadline);
            const int level = ReadLevel();
            now = clock_.Now();
            if (StopRequested()) return false;
            if (level == 0 || now > gapEnd) break;
        }
        if (now > gapEnd) break;
    }

    // The frame's first falling edge.
    for (;;) {
        PumpIfReduced(NoDeadline);
        const int level = ReadLevel();
        now = clock_.Now();
        if (StopRequested()) return false;
        if (level == 0) break;
    }
    std::int64_t reference = now;
    for (int k = 0; k < HeaderSampleCount; ++k) {
        WaitUntilAfter(reference + intervals_.HeaderSample[k]);
        header_[k] = static_cast<std::uint8_t>(ReadLevel());
    }
    WaitUntilAfter(reference + intervals_.HeaderEnd);

    for (int b = 0; b < DataByteCount; ++b) {
        // The byte's start edge; no time limit.
        for (;;) {
            const int level = ReadLevel();
            PumpIfReduced(NoDeadline);
            clock_.Now();
            if (StopRequested()) return false;
            if (level == 0) break;
        }
        reference = clock_.Now();
        for (int k = 0; k < SamplesPerByte; ++k) {
            WaitUntilAfter(reference + intervals_.DataSample[k]);
            data_[b * SamplesPerByte + k] = static_cast<std::uint8_t>(ReadLevel());
        }
        WaitUntilAfter(reference + intervals_.ByteEnd);
        if (StopRequested()) return false;
    }

    // The tail: is the unit still sending after the twelfth byte?
    WaitUntilAfter(reference + intervals_.Tail);
    endFlag_ = ReadLevel() == 0 ? 1 : 0;

    const int slot = state_.FrameCount.load(std::memory_order_acquire);
    if (state_.handOver.Publish(generation_, data_, header_, endFlag_, slot) &&
        callbacks_.frameReady)
        callbacks_.frameReady();
    pump_.Pass(NoDeadline);

    return !StopRequested();
}

} // namespace qv
