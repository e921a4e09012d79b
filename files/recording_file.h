#pragma once

#include "files/file_status.h"
#include "files/recording_document.h"

#include <string>
#include <string_view>

namespace qv {

// The signature line that the program writes, and the ones it reads.
inline constexpr const char* kRecordingSignature = "File for Quintovar 1.0.0.3";
bool IsAcceptedSignature(std::string_view line);

// The result of reading a recording file. `document` is complete and valid only when
// `status.ok()`; otherwise nothing of the file may be used.
struct RecordingLoad {
    FileStatus status;
    RecordingDocument document;
};

// Writes a successfully loaded recording into rows 1..N of the store (rows above N stay as they
// were) and returns true; returns false and changes nothing when the load failed.
bool ApplyLoad(const RecordingLoad& load, RecordingStore& store);

// The bytes of a recording file (Windows-1251, CR LF after every line).
std::string RecordingFileBytes(const RecordingDocument& document);

// Reads a recording file's bytes. Errors: NotThisProgram for a wrong signature or a frame count
// outside 1..MaxFrames; Conversion for a number or time line that does not convert.
RecordingLoad ParseRecording(std::string_view bytes);

// ParseRecording of a file's contents; Io when the file cannot be read.
RecordingLoad LoadRecordingFile(const std::string& path);

// Writes the document safely (see WriteFileAtomically). A document without frames or with more
// than MaxFrames is refused with Io and nothing is written.
FileStatus SaveRecordingFile(const std::string& path, const RecordingDocument& document);

// A text line as it can be stored in a line-based file: a line break or an end-of-file byte
// inside it becomes a blank.
std::string SingleLine(std::string_view text);

} // namespace qv
