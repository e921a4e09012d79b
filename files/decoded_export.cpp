#include "files/decoded_export.h"

#include "files/file_io.h"
#include "recording/decoding.h"
#include "recording/frame_time.h"
#include "recording/parameter_table.h"

#include <cmath>
#include <cstdio>

namespace qv {
namespace {

// How a decoded table is written: its cell separator, decimal separator and time cells.
struct TableFormat {
    char separator;
    std::string decimal;
    std::string (*time)(double frameTime);
};

void AppendRow(std::string& out, const std::vector<std::string>& cells, char separator) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += separator;
        out += CsvCell(cells[i], separator);
    }
    out += "\r\n";
}

// The header, then per frame its number, time, the parameters' numbers and the flags as 0/1.
std::string TableBytes(const RecordingDocument& document, const DisplaySettings& settings,
                       const std::vector<std::string>& header, const TableFormat& format,
                       std::string out) {
    out.reserve(out.size() + document.frames.size() * 120 + 1024);
    AppendRow(out, header, format.separator);
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < document.frames.size(); ++i) {
        const FrameRow& row = document.frames[i];
        cells.assign({std::to_string(i + 1), format.time(row.FrameTime)});
        for (int p = 1; p <= ParameterCount; ++p)
            cells.push_back(
                ParameterNumberText(p, ParameterByte(row, p), settings, format.decimal));
        for (int f = 0; f < NamedFlagCount; ++f) {
            const FlagInfo& flag = NamedFlag(f);
            cells.push_back(FlagBit(row, flag.byte, flag.bit) ? "1" : "0");
        }
        AppendRow(out, cells, format.separator);
    }
    return out;
}

// "2026-12-09 14:03:11"; the time of day alone for a time without a date.
std::string SpreadsheetDateTime(double frameTime) {
    if (std::floor(frameTime) == 0) return TimeOfDayText(frameTime);
    const LocalDateTime t = FromFrameTime(frameTime);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

std::string WithoutColon(std::string label) {
    if (!label.empty() && label.back() == ':') label.pop_back();
    return label;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::string CsvCell(std::string_view text, char separator) {
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    if (text.find_first_of(special) == std::string_view::npos) return std::string(text);
    std::string cell = "\"";
    for (const char c : text) {
        if (c == '"') cell += '"';
        cell += c;
    }
    return cell + '"';
}

std::vector<std::string> DecodedCsvHeader(const DisplaySettings& settings) {
    std::vector<std::string> header{"frame", "time"};
    for (int p = 1; p <= ParameterCount; ++p)
        header.push_back(ParameterUnitOf(p, settings)->column);
    for (int f = 0; f < NamedFlagCount; ++f) {
        const FlagInfo& flag = NamedFlag(f);
        header.push_back("flag_" + std::to_string(flag.byte) + "_" + std::to_string(flag.bit) +
                         "_" + flag.name);
    }
    return header;
}

std::vector<std::string> SpreadsheetHeader(const DisplaySettings& settings) {
    std::vector<std::string> header{"Кадр", "Дата и время"};
    for (int p = 1; p <= ParameterCount; ++p) {
        const ParameterUnit& unit = *ParameterUnitOf(p, settings);
        std::string caption = WithoutColon(unit.label);
        std::string symbol = unit.panel.unit ? unit.panel.unit : "";
        symbol.erase(0, symbol.find_first_not_of(' '));
        // A label that names its unit already ("Напряжение, В") keeps it once.
        if (!symbol.empty() && !EndsWith(caption, symbol)) caption += ", " + symbol;
        header.push_back(caption);
    }
    for (int f = 0; f < NamedFlagCount; ++f) {
        const FlagInfo& flag = NamedFlag(f);
        header.push_back(WithoutColon(flag.label) + " (1 = " + flag.on + ")");
    }
    return header;
}

std::string DecodedCsvBytes(const RecordingDocument& document, const DisplaySettings& settings) {
    return TableBytes(document, settings, DecodedCsvHeader(settings), {',', ".", TimeOfDayText},
                      {});
}

std::string SpreadsheetTableBytes(const RecordingDocument& document,
                                  const DisplaySettings& settings,
                                  const std::string& decimalSeparator) {
    const TableFormat format = decimalSeparator == "," ? TableFormat{';', ",", SpreadsheetDateTime}
                                                       : TableFormat{',', ".", SpreadsheetDateTime};
    return TableBytes(document, settings, SpreadsheetHeader(settings), format, "\xEF\xBB\xBF");
}

FileStatus ExportSpreadsheetTableFile(const std::string& path, const RecordingDocument& document,
                                      const DisplaySettings& settings,
                                      const std::string& decimalSeparator) {
    return WriteFileAtomically(path, SpreadsheetTableBytes(document, settings, decimalSeparator));
}

} // namespace qv
