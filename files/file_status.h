#pragma once

#include <string>

namespace qv {

// Why a file operation failed.
enum class FileErrorKind {
    None,           // success
    NotThisProgram, // a rejected recording file: "Файл не этой программы"
    Conversion,     // a line that does not convert (the message names it and its line number)
    CannotCreate,   // the target cannot be created: "Ошибка записи в файл."
    Io,             // any other input/output failure, with the system's error text
    Refused,        // not a regular file, the input itself, or too large: nothing was touched
};

// The outcome of a file operation: ok, or the kind of failure and a text for the user.
struct [[nodiscard]] FileStatus {
    FileErrorKind kind = FileErrorKind::None;
    std::string message; // UTF-8

    bool ok() const { return kind == FileErrorKind::None; }
    static FileStatus Error(FileErrorKind kind, std::string message) {
        return {kind, std::move(message)};
    }
};

// The message box text for a target that cannot be created.
inline constexpr const char* CannotCreateText = "Ошибка записи в файл.";
// The information-field text for a file that is not a recording of this program.
inline constexpr const char* NotThisProgramText = "Файл не этой программы";

} // namespace qv
