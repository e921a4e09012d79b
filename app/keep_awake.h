#pragma once

namespace qv {

// Keeps the machine from going to sleep while a reading runs: a laptop whose lid closes or
// whose idle timer runs out during a drive would otherwise cut the reading short. Hold and
// Release come from the thread that starts and stops readings.
class KeepAwake {
public:
    virtual ~KeepAwake() = default;
    virtual void Hold() = 0;
    virtual void Release() = 0;
};

} // namespace qv
