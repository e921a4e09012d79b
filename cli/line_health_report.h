#pragma once

#include "acquisition/line_health.h"

namespace qv::cli {

// The line's health after a reading, on stderr: one line of counts, and a hint of its own when
// framing faults are frequent.
void PrintLineHealth(const char* command, const LineHealthSummary& summary);

} // namespace qv::cli
