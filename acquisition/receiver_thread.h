#pragma once

#include "acquisition/critical_thread.h"
#include "acquisition/line_receiver.h"

#include <cstdint>
#include <thread>

namespace qv {

struct ReadingState;

// The receiver threads on the real port (state.port) and the real clock. Thread reads a
// straight cable, Thread2 an inverting adapter; both run LineReceiver.
class ReceiverThread : public CriticalThread {
protected:
    ReceiverThread(ReadingState& state, std::uint64_t generation, LinePolarity polarity,
                   ReceiverCallbacks callbacks);
    void Execute() override;

private:
    ReadingState& state_;
    std::uint64_t generation_;
    LinePolarity polarity_;
    ReceiverCallbacks callbacks_;
};

class Thread : public ReceiverThread {
public:
    Thread(ReadingState& state, std::uint64_t generation, ReceiverCallbacks callbacks)
        : ReceiverThread(state, generation, LinePolarity::Straight, std::move(callbacks)) {}
};

class Thread2 : public ReceiverThread {
public:
    Thread2(ReadingState& state, std::uint64_t generation, ReceiverCallbacks callbacks)
        : ReceiverThread(state, generation, LinePolarity::Inverted, std::move(callbacks)) {}
};

// Starts the receiver of a run of reading whose hand-over generation is `generation` (an older
// receiver can no longer publish and ends at its next check): Thread2 when `inverted`, Thread
// otherwise, at time-critical priority. The callbacks run on the receiver thread. The caller
// joins the returned thread; `state` must outlive it (it ends within about 115 ms of StopFlag
// being set).
[[nodiscard]] std::thread StartReceiver(ReadingState& state, std::uint64_t generation,
                                        bool inverted, ReceiverCallbacks callbacks);

} // namespace qv
