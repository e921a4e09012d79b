#pragma once

#include <string>

namespace qv {

// A file's name as the information field shows it: the text after the last path separator,
// "\" or "/" (the whole path when it has none).
std::string FileNameText(const std::string& path);

} // namespace qv
