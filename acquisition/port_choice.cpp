#include "acquisition/port_choice.h"

#include "acquisition/port_handle.h"

namespace qv {

bool ChoosePort(PortHandle& port, const std::string& name) {
    port.PurgePort();
    port.ClosePort();
    if (!port.OpenPort(name)) return false;
    port.SetPortTimeouts(0xFFFFFFFFu, 0, 0, 0, 0);
    port.SetPortState(LineBaud, 8, 0, 0, false, false);
    return true;
}

bool SetDtr(PortHandle& port, bool on) {
    return port.SetPortState(LineBaud, 8, 0, 0, on, false);
}

} // namespace qv
