#include "acquisition/port_device.h"

namespace qv {

bool PortSystem::Probe(const std::string& name) {
    std::unique_ptr<PortDevice> device = Open(name);
    if (!device) return false;
    (void)device->Close(); // it opened: that is the answer, however the close went
    return true;
}

std::vector<std::string> ListPorts(PortSystem& system) {
    std::vector<std::string> ports;
    for (const std::string& name : system.Candidates())
        if (name != SimulatedPortName && system.Probe(name)) ports.push_back(name);
    ports.push_back(SimulatedPortName);
    return ports;
}

} // namespace qv
