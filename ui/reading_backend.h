#pragma once

#include "recording/line_frame.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

struct ProgramState;

// A frame as the receiver hands it over to the main thread.
struct PendingFrame {
    LineFrame frame;
    std::uint8_t endFlag = 0;
};

// What the main window needs of the serial port and the line receiver. The program uses the
// real port layer; tests inject a fake so that no real device is ever opened.
class ReadingBackend {
public:
    virtual ~ReadingBackend() = default;

    // The ports present now, in the order the port box lists them.
    virtual std::vector<std::string> ListPorts() = 0;

    // Port operations on the one process-wide port handle; each tells whether it succeeded.
    virtual bool PurgePort() = 0;
    virtual bool ClosePort() = 0;
    virtual bool OpenPort(const std::string& name) = 0;
    virtual bool SetPortTimeouts(std::uint32_t readInterval, std::uint32_t readMultiplier,
                                 std::uint32_t readConstant, std::uint32_t writeMultiplier,
                                 std::uint32_t writeConstant) = 0;
    virtual bool SetPortState(std::uint32_t baud, int byteSize, int parity, int stopBits,
                              bool dtrOn, bool rtsOn) = 0;

    // Starts one receiver (the inverting one when `inverted`). It runs until StopFlag is set.
    // Both callbacks run on the receiver's thread.
    struct Callbacks {
        std::function<void()> frameReady; // a frame waits in the hand-over
        std::function<void()> noCounter;  // no high-resolution counter: nothing can be read
    };
    virtual void StartReceiver(bool inverted, ProgramState& state, Callbacks callbacks) = 0;

    // The frame handed over since the last call, if any.
    virtual std::optional<PendingFrame> TakeFrame() = 0;
};

} // namespace qv
