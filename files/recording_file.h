#pragma once

#include "files/file_status.h"
#include "files/recording_document.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The signature line that the program writes, and the ones it reads.
inline constexpr const char* RecordingSignature = "File for Quintovar 1.0.0.3";

// The largest recording file the program reads, and so writes: 10 MB. A full recording of 2000
// frames takes about 300 KB; the rest is room for samples and a long comment.
inline constexpr std::size_t MaxRecordingFileBytes = 10 * 1024 * 1024;
bool IsAcceptedSignature(std::string_view line);

// The result of reading a recording file. `document` is complete and valid only when
// `status.ok()`; otherwise nothing of the file may be used.
struct RecordingLoad {
    FileStatus status;
    RecordingDocument document;
};

// The bytes of a recording file (Windows-1251, CR LF after every line).
std::string RecordingFileBytes(const RecordingDocument& document);

// Reads a recording file's bytes. Errors: NotThisProgram for a wrong signature or a frame count
// outside 1..MaxFrames; Conversion for a number or time line that does not convert.
RecordingLoad ParseRecording(std::string_view bytes);

// What a list of recordings shows of a file, read without taking in its frames: the frame count,
// the times of day of the first and the last frame and the comment's first line.
struct RecordingHeader {
    bool ours = false; // an accepted signature and a frame count of 1..MaxFrames
    int frames = 0;
    std::optional<double> firstTime, lastTime;   // nothing when the line is no time of day
    std::optional<std::string> commentFirstLine; // UTF-8; nothing when there is no comment
};
// Reads the lines that hold them, as ParseRecording would, and passes over the rest.
RecordingHeader ReadRecordingHeader(std::string_view bytes);

// ParseRecording of a file's contents; Io when the file cannot be read, Refused when it is not
// a regular file or larger than MaxRecordingFileBytes (see ReadWholeFile).
RecordingLoad LoadRecordingFile(const std::string& path);

// The bytes of the file for a document that can be saved and loaded again: Refused for a
// document without frames, with more than MaxFrames, or whose file would be larger than
// MaxRecordingFileBytes.
FileStatus RecordingBytesForSaving(const RecordingDocument& document, std::string& bytes);

// Writes the document safely (see WriteFileAtomically); a document that RecordingBytesForSaving
// refuses is not written.
FileStatus SaveRecordingFile(const std::string& path, const RecordingDocument& document);

// A text line as it can be stored in a line-based file: a line break or an end-of-file byte
// inside it becomes a blank.
std::string SingleLine(std::string_view text);

} // namespace qv
