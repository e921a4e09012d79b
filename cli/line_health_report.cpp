#include "cli/line_health_report.h"

#include "cli/decimal_separator.h"

#include <cstdio>

namespace qv::cli {

void PrintLineHealth(const char* command, const LineHealthSummary& summary) {
    std::fprintf(stderr, "quintovar-cli %s: %s\n", command,
                 LineHealthText(summary, WindowDecimalSeparator()).c_str());
    if (const std::string hint = LineHealthHint(summary); !hint.empty())
        std::fprintf(stderr, "quintovar-cli %s: %s\n", command, hint.c_str());
}

} // namespace qv::cli
