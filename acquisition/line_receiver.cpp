#include "acquisition/line_receiver.h"

#include "acquisition/reading_state.h"
#include "acquisition/receiver_timing.h"

namespace qv {
namespace {

// A read made between two counter readings counts as taken at their midpoint.
constexpr std::int64_t Midpoint(std::int64_t before, std::int64_t after) {
    return before + (after - before) / 2;
}

} // namespace

LineReceiver::LineReceiver(ReadingState& state, std::uint64_t generation, LineSource& line,
                           TickClock& clock, Pump& pump, LinePolarity polarity,
                           ReceiverCallbacks callbacks, TimingObserver* observer)
    : state_(state), generation_(generation), line_(line), clock_(clock), pump_(pump),
      polarity_(polarity), callbacks_(std::move(callbacks)), observer_(observer) {}

int LineReceiver::ReadLevel() {
    return LineLevel(line_.ReadModemStatus(), polarity_);
}

std::int64_t LineReceiver::Clock() {
    lastReading_ = clock_.Now();
    return lastReading_;
}

bool LineReceiver::StopRequested() {
    return state_.StopFlag.load(std::memory_order_relaxed) != 0 ||
           !state_.handOver.IsCurrent(generation_) || line_.DeviceLost() || line_.Ended();
}

bool LineReceiver::Reduced() const {
    return state_.ReducedCpu.load(std::memory_order_relaxed);
}

void LineReceiver::PumpIfReduced(std::int64_t deadline) {
    if (Reduced()) pump_.Pass(deadline);
}

std::int64_t LineReceiver::WaitUntilAfter(std::int64_t target, bool observed) {
    std::int64_t now;
    do {
        if (Reduced())
            pump_.Pass(target);
        else
            pump_.Rest(target);
        now = Clock();
    } while (now <= target);
    if (observer_ && observed) observer_->WaitEnded(target, now);
    return now;
}

int LineReceiver::FramingLevelAt(std::int64_t instant) {
    // No counter reading after the read: the next wait's readings follow as they would have.
    WaitUntilAfter(instant - readTicks_ / 2, false);
    return ReadLevel();
}

int LineReceiver::SampleAt(std::int64_t instant) {
    if (instant < sampleReadStart_ || instant > sampleReadEnd_) {
        // Start half a read early, so that the read is centred on the instant.
        const std::int64_t start = WaitUntilAfter(instant - readTicks_ / 2);
        sampleLevel_ = ReadLevel();
        const std::int64_t end = Clock();
        sampleReadStart_ = start;
        sampleReadEnd_ = end;
        readTicks_ += (end - start - readTicks_) / 4;
    }
    if (observer_) observer_->SampleTaken();
    return sampleLevel_;
}

void LineReceiver::NoteEdge(std::int64_t reference) {
    if (observer_) observer_->EdgeTaken(reference);
}

void LineReceiver::Run() {
    std::int64_t frequency = 0;
    if (clock_.QueryFrequency(frequency) && frequency > 0) {
        intervals_ = ReceiverIntervals::ForFrequency(frequency);
        ticksPerSecond_ = static_cast<double>(frequency);
        while (ReceiveFrame()) {
        }
        if (line_.DeviceLost()) {
            if (callbacks_.deviceLost) callbacks_.deviceLost();
        } else if (line_.Ended() && callbacks_.lineEnded) {
            callbacks_.lineEnded();
        }
    } else if (callbacks_.noCounter) {
        callbacks_.noCounter();
    }
}

bool LineReceiver::WaitForByteStart(std::int64_t& reference) {
    bool sawHigh = false;
    std::int64_t high = 0;
    for (;;) {
        const std::int64_t before = lastReading_;
        const int level = ReadLevel();
        PumpIfReduced(NoDeadline);
        const std::int64_t now = Clock();
        if (StopRequested()) return false;
        const std::int64_t seen = Midpoint(before, now);
        if (level == 0) {
            // Between the last read that saw 1 and this one; if the line was already low when
            // the search began, this read is all there is to go by.
            reference = sawHigh ? Midpoint(high, seen) : seen;
            NoteEdge(reference);
            return true;
        }
        sawHigh = true;
        high = seen;
    }
}

bool LineReceiver::ReceiveFrame() {
    PumpIfReduced(NoDeadline);

    std::int64_t now = 0;
    // The instant of the latest read that saw level 1 while looking for the frame start.
    std::int64_t high = 0;
    for (;;) {
        // Wait for level 1.
        for (;;) {
            PumpIfReduced(NoDeadline);
            const int level = ReadLevel();
            Clock();
            if (StopRequested()) return false;
            if (level == 1) break;
        }
        // Measure the idle gap: the elapsed time decides, not the level of the last cycle.
        const std::int64_t gapEnd = Clock() + intervals_.Gap;
        high = lastReading_;
        pump_.Pass(NoDeadline);
        for (;;) {
            pump_.Pass(NoDeadline);
            const std::int64_t before = lastReading_;
            const int level = ReadLevel();
            now = Clock();
            if (StopRequested()) return false;
            if (level == 1) high = Midpoint(before, now);
            if (level == 0 || now > gapEnd) break;
        }
        if (now > gapEnd) break;
    }

    // The frame's first falling edge: between the last read that saw 1 and the first that saw 0.
    std::int64_t low = 0;
    for (;;) {
        PumpIfReduced(NoDeadline);
        const std::int64_t before = lastReading_;
        const int level = ReadLevel();
        now = Clock();
        if (StopRequested()) return false;
        low = Midpoint(before, now);
        if (level == 0) break;
        high = low;
    }
    std::int64_t reference = Midpoint(high, low);
    NoteEdge(reference);
    frameStart_ = reference;
    health_ = {};
    for (int k = 0; k < HeaderSampleCount; ++k)
        header_[k] = static_cast<std::uint8_t>(SampleAt(reference + intervals_.HeaderSample[k]));
    // Byte 1's start edge is looked for from the middle of the header's last cell on.
    WaitUntilAfter(reference + intervals_.HeaderLastCell);

    for (int b = 0; b < DataByteCount; ++b) {
        if (!WaitForByteStart(reference)) return false;
        const bool startFault = FramingLevelAt(reference + intervals_.StartBit) != 0;
        for (int k = 0; k < SamplesPerByte; ++k)
            data_[b * SamplesPerByte + k] =
                static_cast<std::uint8_t>(SampleAt(reference + intervals_.DataSample[k]));
        const bool stopFault = FramingLevelAt(reference + intervals_.StopBit) != 1;
        if (startFault || stopFault) ++health_.FramingFaults;
        WaitUntilAfter(reference + intervals_.ByteEnd);
        if (StopRequested()) return false;
    }

    // The tail: is the unit still sending after the twelfth byte?
    endFlag_ = SampleAt(reference + intervals_.Tail) == 0 ? 1 : 0;
    // Words read from a device that has gone are not the line's: nothing is handed over.
    if (line_.DeviceLost()) return false;

    if (previousStart_ >= 0)
        health_.SincePrevious = static_cast<double>(frameStart_ - previousStart_) / ticksPerSecond_;
    previousStart_ = frameStart_;
    const int slot = state_.FrameCount.load(std::memory_order_acquire);
    if (state_.handOver.Publish(generation_, data_, header_, endFlag_, slot, health_) &&
        callbacks_.frameReady)
        callbacks_.frameReady();
    pump_.Pass(NoDeadline);

    return !StopRequested();
}

} // namespace qv
