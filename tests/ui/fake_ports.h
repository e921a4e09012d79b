#pragma once

#include "acquisition/port_device.h"
#include "acquisition/simulated_unit.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace qv::test {

// Ports without devices: the listed names open (SIM opens the simulated unit), every port
// operation is recorded.
class FakePortSystem : public PortSystem {
public:
    std::vector<std::string> candidates{"/dev/ttyFAKE0", "/dev/ttyFAKE1"};
    std::set<std::string> openable{"/dev/ttyFAKE0", "SIM"};
    std::vector<std::string> calls;
    std::uint32_t modemWord = 0x20; // what every status read of a fake port returns
    bool stateFails = false;        // SetState is recorded but reports failure

    std::unique_ptr<PortDevice> Open(const std::string& name) override {
        calls.push_back("open " + name);
        if (!openable.count(name)) return nullptr;
        if (name == SimulatedPortName) return OpenSimulatedPort(7);
        return std::make_unique<Device>(*this);
    }
    bool Probe(const std::string& name) override { return openable.count(name) != 0; }
    std::vector<std::string> Candidates() override { return candidates; }

private:
    class Device : public PortDevice {
    public:
        explicit Device(FakePortSystem& system) : system_(system) {}
        bool ReadSettings() override { return true; }
        bool SetTimeouts(const PortTimeouts& t) override {
            return Record("timeouts " + std::to_string(t.ReadInterval) + " " +
                          std::to_string(t.ReadTotalMultiplier) + " " +
                          std::to_string(t.ReadTotalConstant) + " " +
                          std::to_string(t.WriteTotalMultiplier) + " " +
                          std::to_string(t.WriteTotalConstant));
        }
        bool SetState(const PortLineState& s) override {
            return !system_.stateFails &&
                   Record("state " + std::to_string(s.BaudRate) + " " + std::to_string(s.ByteSize) +
                          " " + std::to_string(s.Parity) + " " + std::to_string(s.StopBits) +
                          (s.DtrOn ? " dtr" : " nodtr") + (s.RtsOn ? " rts" : " norts"));
        }
        bool Purge() override { return Record("purge"); }
        bool ReadModemStatus(std::uint32_t& word) override {
            word = system_.modemWord;
            return true;
        }
        bool Close() override { return Record("close"); }

    private:
        bool Record(const std::string& call) {
            system_.calls.push_back(call);
            return true;
        }
        FakePortSystem& system_;
    };
};

} // namespace qv::test
