#include "acquisition/serial_port.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace qv {
namespace fs = std::filesystem;

std::string LinuxPortPath(const std::string& name) {
    if (name.empty() || name[0] == '/') return name;
    return "/dev/" + name;
}

namespace {

// Device numbers the kernel gives terminals whatever the driver: the old BSD pseudo-terminal
// slaves (3), the first terminal major (4: virtual terminals below minor 64, 8250 ports from
// 64), the UNIX98 pseudo-terminal slaves (136 to 143), ttyACM (166), ttyUSB (188) and the
// low-density serial ports (204).
bool IsTerminalMajor(unsigned major) {
    return major == 3 || major == 4 || (major >= 136 && major <= 143) || major == 166 ||
           major == 188 || major == 204;
}

// /dev/tty (5:0), /dev/console (5:1), /dev/ptmx (5:2) and the rest of major 5, and the
// virtual terminals tty0 to tty63 (4:0 to 4:63): never a serial port, whatever sysfs says.
bool IsNeverAPort(unsigned major, unsigned minor) {
    return major == 5 || (major == 4 && minor < 64);
}

std::string ReadFirstLine(const fs::path& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

} // namespace

PortAdmission AdmitPort(const TtyDeviceFacts& facts) {
    if (!facts.CharDevice || facts.ActiveConsole || IsNeverAPort(facts.Major, facts.Minor))
        return PortAdmission::Refuse;
    if (facts.Listed)
        return facts.TtyClass && facts.HasDevice ? PortAdmission::Serial : PortAdmission::Refuse;
    return IsTerminalMajor(facts.Major) ? PortAdmission::AskDriver : PortAdmission::Refuse;
}

TtyDeviceFacts ReadTtyDeviceFacts(const std::string& path, const std::string& sysfsRoot) {
    TtyDeviceFacts facts;
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return facts;
    facts.CharDevice = true;
    facts.Major = major(info.st_rdev);
    facts.Minor = minor(info.st_rdev);
    const std::string number = std::to_string(facts.Major) + ":" + std::to_string(facts.Minor);

    std::error_code error;
    const fs::path entry = fs::path(sysfsRoot) / "dev" / "char" / number;
    facts.Listed = fs::exists(entry, error);
    if (facts.Listed) {
        const fs::path subsystem = fs::canonical(entry / "subsystem", error);
        facts.TtyClass = !error && subsystem.filename() == "tty";
        facts.HasDevice = fs::exists(entry / "device", error);
    }
    // The consoles are named in class/tty/console/active; their numbers are in class/tty/NAME/dev.
    const fs::path ttyClass = fs::path(sysfsRoot) / "class" / "tty";
    std::istringstream active(ReadFirstLine(ttyClass / "console" / "active"));
    for (std::string name; active >> name;)
        if (name.find('/') == std::string::npos && ReadFirstLine(ttyClass / name / "dev") == number)
            facts.ActiveConsole = true;
    return facts;
}

} // namespace qv
