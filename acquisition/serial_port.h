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

// Linux: the serial devices under <sysfsRoot>/class/tty by their short names ("ttyUSB0"),
// sorted by kind (ttyS, ttyUSB, ttyACM, others) and number. Entries without device/driver are
// skipped, ttyS entries whose `type` is 0 have no UART, and the console named in
// class/tty/console/active is left out.
std::vector<std::string> LinuxPortCandidates(const std::string& sysfsRoot);

// Linux: the device a port name stands for. A short name ("ttyUSB0", "serial/by-id/x") is
// below /dev; a name starting with "/" is a path as it is. Empty for an empty name.
std::string LinuxPortPath(const std::string& name);

// Linux: what is known of a device before it is opened.
struct TtyDeviceFacts {
    bool CharDevice = false; // the path exists and is a character device
    unsigned Major = 0, Minor = 0;
    bool Listed = false;        // sysfs lists the device number (<sysfsRoot>/dev/char/M:m)
    bool TtyClass = false;      // ... as a terminal (subsystem "tty")
    bool HasDevice = false;     // ... with a hardware device behind it
    bool ActiveConsole = false; // it is a console the system writes to
};

// Whether a device may be opened as a serial port: Serial when sysfs vouches for it (a
// terminal with hardware behind it), AskDriver when sysfs does not list it but it is a kind of
// terminal that only the driver can tell (it is opened and must answer TIOCGSERIAL), Refuse
// for everything else: no device, not a terminal, the program's own terminal (/dev/tty),
// /dev/console, /dev/ptmx, virtual terminals and the active console. Nothing refused is ever
// opened, so nothing on it changes.
enum class PortAdmission { Refuse, Serial, AskDriver };
PortAdmission AdmitPort(const TtyDeviceFacts& facts);

// Linux: the facts of the device at `path`, looked up in the sysfs tree at `sysfsRoot`.
TtyDeviceFacts ReadTtyDeviceFacts(const std::string& path, const std::string& sysfsRoot);

// Linux: the TIOCMGET bits mapped to the Windows modem-status layout. Only the inputs count
// (CTS, DSR, RI, CD); the outputs DTR and RTS are ignored.
std::uint32_t ModemStatusFromTiocm(int tiocmBits);

} // namespace qv
