#pragma once

#include "app/keep_awake.h"

#include <memory>

namespace qv {

// Keeps this machine awake while a reading runs. Windows: the system's execution state
// (system required, held from the calling thread until released). Linux: an inhibitor lock of
// logind for sleep and idle, taken over the system bus; where there is no system bus or no
// logind nothing is held and nothing is reported.
std::shared_ptr<KeepAwake> MachineKeepAwake();

} // namespace qv
