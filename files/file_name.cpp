#include "files/file_name.h"

namespace qv {

std::string FileNameText(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string LoadedFromText(const std::string& path) {
    return "Данные из: " + FileNameText(path);
}

std::string SavedToText(const std::string& path) {
    return "Данные в: " + FileNameText(path);
}

} // namespace qv
