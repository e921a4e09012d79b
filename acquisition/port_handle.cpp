#include "acquisition/port_handle.h"

#include "acquisition/simulated_unit.h"

namespace qv {

PortHandle::PortHandle() : PortHandle(MakeStandardPortSystem()) {}

PortHandle::PortHandle(std::shared_ptr<PortSystem> system) : system_(std::move(system)) {}

void PortHandle::UseSystem(std::shared_ptr<PortSystem> system) {
    std::lock_guard lock(mutex_);
    if (device_) (void)device_->Close(); // given up either way
    device_.reset();
    name_.clear();
    system_ = std::move(system);
}

std::vector<std::string> PortHandle::ListPorts() {
    std::shared_ptr<PortSystem> system;
    {
        std::lock_guard lock(mutex_);
        system = system_;
    }
    std::vector<std::string> ports;
    for (const std::string& name : system->Candidates())
        if (name != SimulatedPortName && ProbePort(name)) ports.push_back(name);
    ports.push_back(SimulatedPortName);
    return ports;
}

bool PortHandle::ProbePort(const std::string& name) {
    std::shared_ptr<PortSystem> system;
    {
        std::lock_guard lock(mutex_);
        system = system_;
    }
    // Probing takes a while; the open port stays readable meanwhile.
    return system->Probe(name);
}

bool PortHandle::OpenPort(const std::string& name) {
    std::lock_guard lock(mutex_);
    // Close the old port before opening: reopening the same name must not find it busy (even
    // while a wait on it still holds the object).
    if (device_) (void)device_->Close(); // given up either way
    device_.reset();
    name_.clear();
    device_ = system_->Open(name);
    if (!device_) return false;
    name_ = name;
    return device_->ReadSettings();
}

bool PortHandle::SetPortTimeouts(std::uint32_t readInterval, std::uint32_t readTotalMultiplier,
                                 std::uint32_t readTotalConstant,
                                 std::uint32_t writeTotalMultiplier,
                                 std::uint32_t writeTotalConstant) {
    std::lock_guard lock(mutex_);
    if (!device_) return false;
    return device_->SetTimeouts({readInterval, readTotalMultiplier, readTotalConstant,
                                 writeTotalMultiplier, writeTotalConstant});
}

bool PortHandle::SetPortState(std::uint32_t baudRate, std::uint8_t byteSize, std::uint8_t parity,
                              std::uint8_t stopBits, bool dtrOn, bool rtsOn) {
    std::lock_guard lock(mutex_);
    if (!device_) return false;
    return device_->SetState({baudRate, byteSize, parity, stopBits, dtrOn, rtsOn});
}

bool PortHandle::PurgePort() {
    std::lock_guard lock(mutex_);
    return device_ && device_->Purge();
}

bool PortHandle::ClosePort() {
    std::lock_guard lock(mutex_);
    if (!device_) return false;
    const bool closed = device_->Close();
    device_.reset();
    name_.clear();
    return closed;
}

void PortHandle::ReleasePort() {
    (void)PurgePort();
    (void)ClosePort();
}

bool PortHandle::GetModemStatus(std::uint32_t& word) {
    std::lock_guard lock(mutex_);
    return device_ && device_->ReadModemStatus(word);
}

LineWait PortHandle::WaitForChange(std::int64_t timeoutNs) {
    std::shared_ptr<PortDevice> device;
    {
        std::lock_guard lock(mutex_);
        device = device_;
    }
    return device ? device->WaitForChange(timeoutNs) : LineWait::Lost;
}

bool PortHandle::DeviceGone() const {
    std::lock_guard lock(mutex_);
    return device_ && device_->Gone();
}

bool PortHandle::IsOpen() const {
    std::lock_guard lock(mutex_);
    return device_ != nullptr;
}

std::string PortHandle::PortName() const {
    std::lock_guard lock(mutex_);
    return name_;
}

} // namespace qv
