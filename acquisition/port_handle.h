#pragma once

#include "acquisition/port_device.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qv {

// The one process-wide open port. The main thread opens, configures and closes it; the
// receiver and the timing check read its modem status from their own threads. Every operation
// holds the handle's lock, so a read never meets a port that is being closed or replaced.
class PortHandle {
public:
    // The machine's serial ports plus the simulated unit "SIM".
    PortHandle();
    explicit PortHandle(std::shared_ptr<PortSystem> system);

    // Replaces where ports come from (tests inject a fake); closes any open port.
    void UseSystem(std::shared_ptr<PortSystem> system);

    // The port list: every candidate of the port system that ProbePort finds present and free,
    // in the system's order, then "SIM".
    std::vector<std::string> ListPorts();

    // Whether the named port can be opened exclusively now; the open port is not touched.
    [[nodiscard]] bool ProbePort(const std::string& name);
    // Opens the named port in place of the current one (which is closed), then reads its line
    // state and time-outs. True only if all of it succeeded; after a failed open no port is
    // open and modem-status reads fail.
    [[nodiscard]] bool OpenPort(const std::string& name);
    [[nodiscard]] bool SetPortTimeouts(std::uint32_t readInterval,
                                       std::uint32_t readTotalMultiplier,
                                       std::uint32_t readTotalConstant,
                                       std::uint32_t writeTotalMultiplier,
                                       std::uint32_t writeTotalConstant);
    [[nodiscard]] bool SetPortState(std::uint32_t baudRate, std::uint8_t byteSize,
                                    std::uint8_t parity, std::uint8_t stopBits, bool dtrOn,
                                    bool rtsOn);
    [[nodiscard]] bool PurgePort();
    [[nodiscard]] bool ClosePort();
    // Purges and closes whatever port is open. What those calls say no longer matters: the
    // port is given up either way, and a later open starts afresh.
    void ReleasePort();

    // The modem-status word in the Windows layout (CTS 0x10, DSR 0x20, RI 0x40, RLSD 0x80).
    // False, with `word` untouched, when no port is open or the read fails.
    [[nodiscard]] bool GetModemStatus(std::uint32_t& word);
    // Waits, at most `timeoutNs`, for a change of the open port's inputs (PortDevice::
    // WaitForChange); Lost when no port is open. The wait holds no lock of the handle: the main
    // thread may close or replace the port meanwhile, which ends the wait.
    [[nodiscard]] LineWait WaitForChange(std::int64_t timeoutNs);
    // Whether the open port's device is gone, by what its calls said.
    bool DeviceGone() const;

    bool IsOpen() const;
    // The name of the open port; empty when none is open.
    std::string PortName() const;

private:
    mutable std::mutex mutex_;
    std::shared_ptr<PortSystem> system_;
    // Shared with a wait in progress, so that closing never pulls the device from under it.
    std::shared_ptr<PortDevice> device_;
    std::string name_;
};

} // namespace qv
