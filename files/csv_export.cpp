#include "files/csv_export.h"

#include "files/cp1251.h"
#include "files/file_io.h"
#include "files/recording_file.h"
#include "recording/frame_time.h"

#include <charconv>

namespace qv {
namespace {

constexpr const char* Title = "Запись с Quintovar;;;;;;";
constexpr const char* FramesWord = " кадров";
constexpr const char* Heading =
    "Кадр;1:A;2:A;3:A;4:A;5:A;6:A;7:A;8:A;9:A;10:A;Идентификатор;11:0;11:1;11:2;11:3;11:4;11:5;"
    "11:6;11:7;12:0;12:1;12:2;12:3;12:4;12:5;12:6;12:7;Нечто;Время";
constexpr const char* SampleHeading = "Отсчёт №1;Отсчёт №2;Отсчёт №3";

void AppendNumber(std::string& out, long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

void AppendBit(std::string& out, std::uint8_t value) {
    out += value != 0 ? '1' : '0';
    out += ';';
}

void AppendFrameRow(std::string& out, int n, const FrameRow& row) {
    AppendNumber(out, n);
    out += ';';
    for (std::uint8_t byte : row.Analog) {
        AppendNumber(out, byte);
        out += ';';
    }
    for (std::uint8_t sample : row.Identifier) out += sample != 0 ? '1' : '0';
    out += ';';
    for (std::uint8_t bit : row.Flags11) AppendBit(out, bit);
    for (std::uint8_t bit : row.Flags12) AppendBit(out, bit);
    AppendBit(out, row.EndFlag);
    out += TimeOfDayText(row.FrameTime);
    out += "\r\n";
}

} // namespace

std::string CsvExportBytes(const RecordingDocument& document) {
    std::string out;
    out.reserve(document.frames.size() * 100 + 1024);
    auto line = [&out](const std::string& utf8) {
        out += Utf8ToCp1251(SingleLine(utf8));
        out += "\r\n";
    };
    line(Title + std::to_string(document.Length()) + FramesWord);
    line(Heading);
    for (std::size_t i = 0; i < document.frames.size(); ++i)
        AppendFrameRow(out, static_cast<int>(i + 1), document.frames[i]);
    line("");
    line(SampleHeading);
    for (int r = 0; r < StoredSampleRows; ++r) {
        std::string row;
        for (const auto& column : document.samples) row += SampleRow(column, r) + ";";
        line(row);
    }
    line("");
    for (const std::string& comment : document.comment) line(comment);
    return out;
}

FileStatus ExportCsvFile(const std::string& path, const RecordingDocument& document) {
    return WriteFileAtomically(path, CsvExportBytes(document));
}

std::string CsvPathFor(const std::string& recordingPath) {
    const std::size_t slash = recordingPath.find_last_of("/\\");
    const std::size_t dot = recordingPath.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? recordingPath.substr(0, dot) : recordingPath) + ".csv";
}

} // namespace qv
