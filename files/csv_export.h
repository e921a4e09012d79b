#pragma once

#include "files/file_status.h"
#include "files/recording_document.h"

#include <string>

namespace qv {

// The spreadsheet export of a recording: ";"-separated, Windows-1251, CR LF, no quoting. The
// markers are not exported.
std::string CsvExportBytes(const RecordingDocument& document);

// Writes the export safely (see WriteFileAtomically).
FileStatus ExportCsvFile(const std::string& path, const RecordingDocument& document);

// The export's default name for a recording file: its extension replaced by ".csv" (or ".csv"
// appended when it has none).
std::string CsvPathFor(const std::string& recordingPath);

} // namespace qv
