#pragma once

#include "ui/reading_backend.h"

#include <deque>
#include <set>
#include <string>
#include <vector>

namespace qv::test {

// A port layer without devices: it lists and opens the names it is given and hands over the
// frames a test queues.
class FakeBackend : public ReadingBackend {
public:
    std::vector<std::string> ports{"/dev/ttyFAKE0", "SIM"};
    std::set<std::string> openable{"/dev/ttyFAKE0", "SIM"};
    std::vector<std::string> calls;     // every port operation, in order
    std::vector<bool> receiversStarted; // `inverted` of each start
    Callbacks lastCallbacks;
    std::deque<PendingFrame> frames;

    std::vector<std::string> ListPorts() override { return ports; }
    bool PurgePort() override { return Record("purge"); }
    bool ClosePort() override { return Record("close"); }
    bool OpenPort(const std::string& name) override {
        calls.push_back("open " + name);
        return openable.count(name) != 0;
    }
    bool SetPortTimeouts(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                         std::uint32_t e) override {
        return Record("timeouts " + std::to_string(a) + " " + std::to_string(b) + " " +
                      std::to_string(c) + " " + std::to_string(d) + " " + std::to_string(e));
    }
    bool SetPortState(std::uint32_t baud, int byteSize, int parity, int stopBits, bool dtr,
                      bool rts) override {
        return Record("state " + std::to_string(baud) + " " + std::to_string(byteSize) + " " +
                      std::to_string(parity) + " " + std::to_string(stopBits) +
                      (dtr ? " dtr" : " nodtr") + (rts ? " rts" : " norts"));
    }
    void StartReceiver(bool inverted, ProgramState&, Callbacks callbacks) override {
        receiversStarted.push_back(inverted);
        lastCallbacks = std::move(callbacks);
    }
    std::optional<PendingFrame> TakeFrame() override {
        if (frames.empty()) return std::nullopt;
        PendingFrame frame = frames.front();
        frames.pop_front();
        return frame;
    }

private:
    bool Record(const std::string& call) {
        calls.push_back(call);
        return true;
    }
};

} // namespace qv::test
