#pragma once

#include <cstdint>
#include <string>

namespace qv {

class PortHandle;

// The line settings of every chosen port: the receiver reads only the modem-status inputs, so
// the speed and byte format do not matter, but they are always the same.
constexpr std::uint32_t LineBaud = 57600;

// Choosing a port, as the port box does at every change of its text: whatever is open is
// purged and closed, the named port is opened, its reads are made to return at once and its
// line is set to 57600 baud, 8 bits, no parity, one stop bit, DTR and RTS off. False when the
// port could not be opened or its settings read (the caller says so).
[[nodiscard]] bool ChoosePort(PortHandle& port, const std::string& name);

// "Напряжение лог.1 на DTR": the same line settings with DTR on or off.
[[nodiscard]] bool SetDtr(PortHandle& port, bool on);

} // namespace qv
