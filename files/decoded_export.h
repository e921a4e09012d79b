#pragma once

#include "files/file_status.h"
#include "files/recording_document.h"
#include "recording/display_settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The decoded export, for spreadsheets and log viewers that take a plain CSV: a header row
// naming each column with its unit, then one row per frame with the frame number, the time of
// day, the ten parameters as the panel shows their numbers (with "." and without the unit) and
// the twelve named flags as 0/1. UTF-8, comma-separated, CR LF, cells quoted as RFC 4180 asks.
std::string DecodedCsvBytes(const RecordingDocument& document, const DisplaySettings& settings);

// Writes the decoded export safely (see WriteFileAtomically).
FileStatus ExportDecodedCsvFile(const std::string& path, const RecordingDocument& document,
                                const DisplaySettings& settings);

// The column names under these settings: "frame", "time", "injection_ms" and so on.
std::vector<std::string> DecodedCsvHeader(const DisplaySettings& settings);

// One cell as RFC 4180 writes it: quoted, with its quotes doubled, when it holds a comma, a
// quote or a line break; as it is otherwise.
std::string CsvCell(std::string_view text);

} // namespace qv
