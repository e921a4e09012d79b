#include "acquisition/serial_port.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace qv {
namespace fs = std::filesystem;

std::vector<std::string> WindowsPortCandidates() {
    std::vector<std::string> names;
    for (int n = 1; n <= 50; ++n) names.push_back("COM" + std::to_string(n));
    return names;
}

namespace {

std::string ReadFirstLine(const fs::path& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// Sort key: the kind of device first (built-in, USB adapters, modems, the rest), then the
// number, so that ttyS2 comes before ttyS10.
std::tuple<int, std::string, long long, std::string> SortKey(const std::string& name) {
    std::size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
    const std::string prefix = name.substr(0, digits);
    const std::string number = name.substr(digits);
    const int kind = prefix == "ttyS" ? 0 : prefix == "ttyUSB" ? 1 : prefix == "ttyACM" ? 2 : 3;
    const long long value = number.empty() || number.size() > 15 ? -1 : std::stoll(number);
    return {kind, prefix, value, name};
}

} // namespace

std::vector<std::string> LinuxPortCandidates(const std::string& sysfsRoot) {
    const fs::path ttyClass = fs::path(sysfsRoot) / "class" / "tty";
    std::error_code error;
    if (!fs::is_directory(ttyClass, error)) return {};

    std::vector<std::string> consoles;
    std::istringstream active(ReadFirstLine(ttyClass / "console" / "active"));
    for (std::string name; active >> name;) consoles.push_back(name);

    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(ttyClass, error)) {
        const std::string name = entry.path().filename().string();
        if (!fs::exists(entry.path() / "device" / "driver", error)) continue;
        if (std::find(consoles.begin(), consoles.end(), name) != consoles.end()) continue;
        // A ttyS entry of type 0 is a placeholder without a UART behind it.
        if (name.rfind("ttyS", 0) == 0 && ReadFirstLine(entry.path() / "type") == "0") continue;
        names.push_back(name);
    }
    // Short names: "/dev/ttyUSB0" is wider than the port box.
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return SortKey(a) < SortKey(b); });
    return names;
}

} // namespace qv
