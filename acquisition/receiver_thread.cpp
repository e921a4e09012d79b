#include "acquisition/receiver_thread.h"

#include "acquisition/edge_timed_line.h"
#include "acquisition/reading_state.h"
#include "acquisition/real_time_line.h"

namespace qv {

ReceiverThread::ReceiverThread(ReadingState& state, std::uint64_t generation, LinePolarity polarity,
                               ReceiverCallbacks callbacks)
    : state_(state), generation_(generation), polarity_(polarity),
      callbacks_(std::move(callbacks)) {}

void ReceiverThread::Execute() {
    RealTimeLine real(state_.port, state_.ReducedCpu);
    // Edge-timed where the port reports changes, polling otherwise (or once its reports prove
    // late); the user is told which, and at which priority the thread runs.
    const auto acquisition = callbacks_.acquisition;
    const ThreadPriorityLevel priority = Priority();
    const auto report = [acquisition, priority](AcquisitionMode mode) {
        if (acquisition) acquisition(mode, priority);
    };
    EdgeTimedLine line(real.clock, real.line, real.line, real.pump,
                       EdgeTiming::ForFrequency(real.frequency), report);
    report(line.Mode());
    LineReceiver receiver(state_, generation_, line, line, line, polarity_, std::move(callbacks_));
    receiver.Run();
}

std::thread StartReceiver(ReadingState& state, std::uint64_t generation, bool inverted,
                          ReceiverCallbacks callbacks) {
    if (inverted)
        return CriticalThread::Start(
            std::make_unique<Thread2>(state, generation, std::move(callbacks)));
    return CriticalThread::Start(std::make_unique<Thread>(state, generation, std::move(callbacks)));
}

} // namespace qv
