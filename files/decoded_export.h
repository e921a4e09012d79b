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

// The column names under these settings: "frame", "time", "injection_ms" and so on.
std::vector<std::string> DecodedCsvHeader(const DisplaySettings& settings);

// The same table for a spreadsheet in the user's locale ("Таблица значений"), which opens it
// as numbers: with the decimal separator "," the cells are separated by ";" and the numbers
// written with ","; with any other by "," and ".". UTF-8 with a byte-order mark, so that the
// spreadsheet knows the encoding; the header in Russian (SpreadsheetHeader); each frame's date
// and time as "2026-12-09 14:03:11", which spreadsheets read in every locale, or its time of
// day alone when the frame carries no date (a loaded recording).
std::string SpreadsheetTableBytes(const RecordingDocument& document,
                                  const DisplaySettings& settings,
                                  const std::string& decimalSeparator);

// "Кадр", "Дата и время", then each parameter by its panel label with its unit ("1.А  Форсунки,
// мс.") and each flag by its panel label with the word that its 1 stands for ("11.0
// Переоб.посл.зап. (1 = Да)").
std::vector<std::string> SpreadsheetHeader(const DisplaySettings& settings);

// Writes the spreadsheet table safely (see WriteFileAtomically).
FileStatus ExportSpreadsheetTableFile(const std::string& path, const RecordingDocument& document,
                                      const DisplaySettings& settings,
                                      const std::string& decimalSeparator);

// One cell as RFC 4180 writes it: quoted, with its quotes doubled, when it holds the separator,
// a quote or a line break; as it is otherwise.
std::string CsvCell(std::string_view text, char separator = ',');

} // namespace qv
