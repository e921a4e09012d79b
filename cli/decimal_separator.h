#pragma once

#include <string>

namespace qv::cli {

// The decimal separator the window shows numbers with: that of the system's locale (on Linux
// LC_ALL, LC_NUMERIC or LANG; on Windows the user's regional settings).
std::string WindowDecimalSeparator();

} // namespace qv::cli
