#pragma once

#include "acquisition/port_device.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// The machine's serial ports. On Linux `sysfsRoot` is where the tty class is looked up
// ("/sys" on a real machine; tests pass a fake tree); Windows ignores it.
std::unique_ptr<PortSystem> MakeSerialPortSystem(const std::string& sysfsRoot = "/sys");

// Windows: "COM1".."COM50".
std::vector<std::string> WindowsPortCandidates();

// Linux: the serial devices under <sysfsRoot>/class/tty as /dev paths, sorted by kind
// (ttyS, ttyUSB, ttyACM, others) and number. Entries without device/driver are skipped, ttyS
// entries whose `type` is 0 have no UART, and the console named in class/tty/console/active
// is left out.
std::vector<std::string> LinuxPortCandidates(const std::string& sysfsRoot);

// Linux: the TIOCMGET bits mapped to the Windows modem-status layout. Only the inputs count
// (CTS, DSR, RI, CD); the outputs DTR and RTS are ignored.
std::uint32_t ModemStatusFromTiocm(int tiocmBits);

} // namespace qv
