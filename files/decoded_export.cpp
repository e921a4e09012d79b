#include "files/decoded_export.h"

#include "files/file_io.h"
#include "recording/decoding.h"
#include "recording/frame_time.h"
#include "recording/parameter_table.h"

namespace qv {
namespace {

void AppendRow(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += ',';
        out += CsvCell(cells[i]);
    }
    out += "\r\n";
}

} // namespace

std::string CsvCell(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string cell = "\"";
    for (const char c : text) {
        if (c == '"') cell += '"';
        cell += c;
    }
    return cell + '"';
}

std::vector<std::string> DecodedCsvHeader(const DisplaySettings& settings) {
    std::vector<std::string> header{"frame", "time"};
    for (int p = 1; p <= 10; ++p) header.push_back(ParameterUnitOf(p, settings)->column);
    for (int f = 0; f < NamedFlagCount; ++f) {
        const FlagInfo& flag = NamedFlag(f);
        header.push_back("flag_" + std::to_string(flag.byte) + "_" + std::to_string(flag.bit) +
                         "_" + flag.name);
    }
    return header;
}

std::string DecodedCsvBytes(const RecordingDocument& document, const DisplaySettings& settings) {
    std::string out;
    out.reserve(document.frames.size() * 120 + 512);
    AppendRow(out, DecodedCsvHeader(settings));
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < document.frames.size(); ++i) {
        const FrameRow& row = document.frames[i];
        cells.assign({std::to_string(i + 1), TimeOfDayText(row.FrameTime)});
        for (int p = 1; p <= 10; ++p)
            cells.push_back(ParameterNumberText(p, row.Analog[p - 1], settings, "."));
        for (int f = 0; f < NamedFlagCount; ++f) {
            const FlagInfo& flag = NamedFlag(f);
            cells.push_back(FlagBit(row, flag.byte, flag.bit) ? "1" : "0");
        }
        AppendRow(out, cells);
    }
    return out;
}

FileStatus ExportDecodedCsvFile(const std::string& path, const RecordingDocument& document,
                                const DisplaySettings& settings) {
    return WriteFileAtomically(path, DecodedCsvBytes(document, settings));
}

} // namespace qv
