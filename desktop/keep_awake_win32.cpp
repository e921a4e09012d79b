// Keeping the machine awake on Windows: the thread's execution state asks for the system to
// stay on until it is set back (or the thread ends).
#include "desktop/machine_keep_awake.h"

#include <windows.h>

namespace qv {
namespace {

class ExecutionStateKeepAwake : public KeepAwake {
public:
    void Hold() override { SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED); }
    void Release() override { SetThreadExecutionState(ES_CONTINUOUS); }
};

} // namespace

std::shared_ptr<KeepAwake> MachineKeepAwake() {
    return std::make_shared<ExecutionStateKeepAwake>();
}

} // namespace qv
