#include "acquisition/port_device.h"

namespace qv {

bool PortSystem::Probe(const std::string& name) {
    std::unique_ptr<PortDevice> device = Open(name);
    if (!device) return false;
    (void)device->Close(); // it opened: that is the answer, however the close went
    return true;
}

} // namespace qv
