#pragma once

#include <string>

namespace qv::cli {

// The folder of this program's executable file (UTF-8); empty when it cannot be found.
std::string ProgramFolder();

} // namespace qv::cli
