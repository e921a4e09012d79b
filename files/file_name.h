#pragma once

#include <string>

namespace qv {

// A file's name as the information field shows it: the text after the last path separator,
// "\" or "/" (the whole path when it has none).
std::string FileNameText(const std::string& path);

// The information field after a load and after a save or export: "Данные из: " or "Данные в: "
// followed by the file's name.
std::string LoadedFromText(const std::string& path);
std::string SavedToText(const std::string& path);

} // namespace qv
