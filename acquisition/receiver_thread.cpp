#include "acquisition/receiver_thread.h"

#include "acquisition/real_time_line.h"
#include "recording/program_state.h"

namespace qv {

ReceiverThread::ReceiverThread(ProgramState& state, std::uint64_t generation, LinePolarity polarity,
                               ReceiverCallbacks callbacks)
    : state_(state), generation_(generation), polarity_(polarity),
      callbacks_(std::move(callbacks)) {}

void ReceiverThread::Execute() {
    RealTimeLine real(state_.port, state_.ReducedCpu);
    LineReceiver receiver(state_, generation_, real.line, real.clock, real.pump, polarity_,
                          std::move(callbacks_));
    receiver.Run();
}

void StartReceiver(ProgramState& state, bool inverted, ReceiverCallbacks callbacks) {
    const std::uint64_t generation = state.handOver.BeginRun();
    if (inverted)
        CriticalThread::Start(std::make_unique<Thread2>(state, generation, std::move(callbacks)));
    else
        CriticalThread::Start(std::make_unique<Thread>(state, generation, std::move(callbacks)));
}

} // namespace qv
