#include "acquisition/port_choice.h"

#include "acquisition/port_handle.h"

namespace qv {

bool ChoosePort(PortHandle& port, const std::string& name) {
    port.ReleasePort();
    if (!port.OpenPort(name)) return false;
    // The receiver reads only the modem-status inputs, which an open port gives whether or
    // not these settings took: the choice stands on the open alone.
    (void)port.SetPortTimeouts(0xFFFFFFFFu, 0, 0, 0, 0);
    (void)port.SetPortState(LineBaud, 8, 0, 0, false, false);
    return true;
}

bool SetDtr(PortHandle& port, bool on) {
    return port.SetPortState(LineBaud, 8, 0, 0, on, false);
}

} // namespace qv
