#pragma once

#include "acquisition/line_interfaces.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// The five time-outs of a port, in milliseconds, in the order SetPortTimeouts takes them.
struct PortTimeouts {
    std::uint32_t ReadInterval = 0;
    std::uint32_t ReadTotalMultiplier = 0;
    std::uint32_t ReadTotalConstant = 0;
    std::uint32_t WriteTotalMultiplier = 0;
    std::uint32_t WriteTotalConstant = 0;
};

// The line settings that SetPortState changes; everything else stays as the port had it.
struct PortLineState {
    std::uint32_t BaudRate = 57600;
    std::uint8_t ByteSize = 8;
    std::uint8_t Parity = 0;   // 0 none, 1 odd, 2 even, 3 mark, 4 space
    std::uint8_t StopBits = 0; // 0 one, 1 one and a half, 2 two
    bool DtrOn = false;
    bool RtsOn = false;
};

// The flags word of the line state: binary mode only, plus DTR and RTS held on when asked.
// No parity check, no flow control, no DSR sensitivity, no abort on error.
constexpr std::uint32_t LineStateFlagsWord(bool dtrOn, bool rtsOn) {
    return 0x0001u | (dtrOn ? 0x0010u : 0u) | (rtsOn ? 0x1000u : 0u);
}

// One open port (opened exclusively). Each call returns whether the platform calls succeeded.
// Closed when destroyed.
class PortDevice {
public:
    virtual ~PortDevice() = default;
    // Reads the port's current line state and time-outs (done right after opening).
    [[nodiscard]] virtual bool ReadSettings() = 0;
    [[nodiscard]] virtual bool SetTimeouts(const PortTimeouts& timeouts) = 0;
    [[nodiscard]] virtual bool SetState(const PortLineState& state) = 0;
    // Aborts and clears transmission and reception.
    [[nodiscard]] virtual bool Purge() = 0;
    // The modem-status word (CTS 0x10, DSR 0x20, RI 0x40, RLSD 0x80); untouched on failure.
    [[nodiscard]] virtual bool ReadModemStatus(std::uint32_t& word) = 0;
    // Closes the port; a wait in progress on another thread ends first (reporting Lost).
    [[nodiscard]] virtual bool Close() = 0;

    // Waits until one of the inputs (CTS, DSR, RI, CD) changes, at most `timeoutNs`. Where the
    // driver counts changes, one made since the previous wait returned ends the wait at once.
    // May be called from another thread than the other calls, and blocks without holding
    // anything the others need. Unsupported when the driver cannot report changes.
    [[nodiscard]] virtual LineWait WaitForChange(std::int64_t timeoutNs) {
        (void)timeoutNs;
        return LineWait::Unsupported;
    }
    // Whether a failed call has shown that the device is gone (unplugged, or its driver says
    // it no longer exists).
    virtual bool Gone() const { return false; }
};

// Where ports come from: the machine's serial ports, the simulated unit, or a test fake.
class PortSystem {
public:
    virtual ~PortSystem() = default;
    // Opens the named port exclusively; null when that fails.
    [[nodiscard]] virtual std::unique_ptr<PortDevice> Open(const std::string& name) = 0;
    // Whether the port could be opened exclusively right now; leaves nothing open.
    [[nodiscard]] virtual bool Probe(const std::string& name);
    // The names worth probing for the port list, in list order.
    virtual std::vector<std::string> Candidates() = 0;
};

// The name of the simulated engine unit, always the last entry of the port list.
inline const char* const SimulatedPortName = "SIM";

} // namespace qv
