// Read by the include check only, never compiled: one include it allows, one against the
// direction.
#pragma once

#include "app/program_state.h"
#include "base/parse_integer.h"
