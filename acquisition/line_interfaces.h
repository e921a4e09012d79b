#pragma once

#include <cstdint>
#include <limits>

namespace qv {

// The three things the receiver and the timing check talk to. Real implementations read the
// serial port and the steady clock; tests and the command-line companion use virtual time.

// Bits of the 32-bit modem-status word (the layout that Windows reports).
constexpr std::uint32_t ModemStatusCts = 0x0010;
constexpr std::uint32_t ModemStatusDsr = 0x0020;
constexpr std::uint32_t ModemStatusRing = 0x0040;
constexpr std::uint32_t ModemStatusRlsd = 0x0080;

// The data line as the port shows it: the whole modem-status word of one read.
class LineSource {
public:
    virtual ~LineSource() = default;
    virtual std::uint32_t ReadModemStatus() = 0;
    // True once the reads have shown that the device is gone (unplugged, or failing again and
    // again): the words read since then are not the line's.
    virtual bool DeviceLost() { return false; }
    // True once a recorded line has played to its end: nothing more will come.
    virtual bool Ended() { return false; }
};

// How the receiver follows the line: by polling the status word, or by timing the changes that
// the port reports (edge-timed).
enum class AcquisitionMode { Polling, EdgeTimed };

// The outcome of a wait for a change of the modem-status inputs (CTS, DSR, RI, CD).
enum class LineWait {
    Changed,     // at least one input changed since the previous wait
    TimedOut,    // the deadline passed without a change
    Unsupported, // the port cannot report changes: poll instead
    Lost,        // the device is gone or the port was closed
};

// Where the port reports changes of its inputs (the edge-timed path).
class ChangeSource {
public:
    virtual ~ChangeSource() = default;
    // Waits until an input changes, or until the counter passes `deadline` (ticks). A change
    // made since the previous wait returned ends the wait at once.
    virtual LineWait WaitForChange(std::int64_t deadline) = 0;
};

// The high-resolution counter.
class TickClock {
public:
    virtual ~TickClock() = default;
    // Ticks per second; false when the machine has no such counter.
    virtual bool QueryFrequency(std::int64_t& ticksPerSecond) = 0;
    // The current tick count, monotonic.
    virtual std::int64_t Now() = 0;
};

// Passed to a pump pass made while waiting for a line event rather than a tick count.
constexpr std::int64_t NoDeadline = std::numeric_limits<std::int64_t>::max();

// One pass of the pump in a polling cycle: the place where a waiting loop may give up
// processor time. `deadline` is the tick count the loop waits to exceed, or NoDeadline.
class Pump {
public:
    virtual ~Pump() = default;
    virtual void Pass(std::int64_t deadline) = 0;
    // A cycle of a timed wait that makes no pump pass ("Пониженная загрузка ЦП" off). A real
    // pump may still rest while the instant is far off: Linux throttles a real-time thread
    // that never sleeps (50 ms in every second), which would spoil whole frames.
    virtual void Rest(std::int64_t deadline) { (void)deadline; }
};

// Told, at the end of every timed wait, the tick count waited for and the reading that ended
// the wait; used to measure sampling lateness.
class TimingObserver {
public:
    virtual ~TimingObserver() = default;
    virtual void WaitEnded(std::int64_t target, std::int64_t now) = 0;
    // A sample's level has just been taken (header, data or tail).
    virtual void SampleTaken() {}
    // A frame's or byte's start edge was placed at `reference` (ticks).
    virtual void EdgeTaken(std::int64_t reference) { (void)reference; }
};

} // namespace qv
