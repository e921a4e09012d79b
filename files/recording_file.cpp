#include "files/recording_file.h"

#include "base/parse_integer.h"
#include "files/cp1251.h"
#include "files/file_io.h"
#include "files/file_messages.h"
#include "files/line_reader.h"
#include "recording/frame_time.h"

#include <charconv>

namespace qv {
namespace {

// Lines of one frame's record; its last line is the frame's time of day.
constexpr int FrameRecordLines = 41;

constexpr std::string_view AcceptedSignatures[] = {
    "File for Quintovar 1.0.0.1",
    "File for Quintovar 1.0.0.2",
    "File for Quintovar 1.0.0.3",
};

class FileWriter {
public:
    explicit FileWriter(std::string& out) : out_(out) {}
    void Line(std::string_view bytes) {
        out_ += bytes;
        out_ += "\r\n";
    }
    void Text(const std::string& utf8) { Line(Utf8ToCp1251(SingleLine(utf8))); }
    void Number(long long value) {
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        Line(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
    }
    void Flag(std::uint8_t value) { Line(value != 0 ? "1" : "0"); }

private:
    std::string& out_;
};

// A short quotation of a line for an error message. Control bytes (a NUL among them) are shown
// as \xNN, so that the message is whole wherever it is printed and cannot steer a terminal.
std::string Quote(const std::string& line) {
    constexpr std::size_t MaxBytes = 40;
    constexpr char Hex[] = "0123456789ABCDEF";
    std::string shown;
    for (std::size_t i = 0; i < line.size() && i < MaxBytes; ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte < 0x20 || byte == 0x7F)
            shown += std::string("\\x") + Hex[byte >> 4] + Hex[byte & 0xF];
        else
            shown += line[i];
    }
    std::string text = Cp1251ToUtf8(shown);
    if (line.size() > MaxBytes) text += "…";
    return "«" + text + "»";
}

FileStatus ConversionError(const LineReader& reader, const std::string& line, const char* problem) {
    return FileStatus::Error(FileErrorKind::Conversion, "Строка " +
                                                            std::to_string(reader.LineNumber()) +
                                                            ": " + Quote(line) + " — " + problem);
}

bool ReadInteger(LineReader& reader, std::int32_t& value, FileStatus& status) {
    const std::string line = reader.Next();
    const auto parsed = ParseInteger(line);
    if (!parsed) {
        status = ConversionError(reader, line, "не целое число");
        return false;
    }
    value = *parsed;
    return true;
}

std::uint8_t ReadFlag(LineReader& reader) {
    return reader.Next() == "1" ? 1 : 0;
}

bool ReadFrame(LineReader& reader, RecordingDocument& document, int n, FileStatus& status) {
    FrameRow& row = document.frames[static_cast<std::size_t>(n - 1)];
    for (auto& byte : row.Analog) {
        std::int32_t value = 0;
        if (!ReadInteger(reader, value, status)) return false;
        byte = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFFu);
    }
    // The repeated last identifier sample of the previous frame replaces that sample.
    const std::uint8_t previousLast = ReadFlag(reader);
    if (n >= 2) document.frames[static_cast<std::size_t>(n - 2)].Identifier[11] = previousLast;
    for (auto& sample : row.Identifier) sample = ReadFlag(reader);
    for (auto& bit : row.Flags11) bit = ReadFlag(reader);
    for (auto& bit : row.Flags12) bit = ReadFlag(reader);
    row.EndFlag = ReadFlag(reader);
    const std::string timeLine = reader.Next();
    const auto time = ParseTimeOfDay(timeLine);
    if (!time) {
        status = ConversionError(reader, timeLine, "не время суток");
        return false;
    }
    row.FrameTime = *time;
    return true;
}

RecordingLoad ParseRecordingLines(std::string_view bytes) {
    RecordingLoad load;
    LineReader reader(bytes);
    if (!IsAcceptedSignature(reader.Next())) {
        load.status = FileStatus::Error(FileErrorKind::NotThisProgram, NotThisProgramText);
        return load;
    }
    std::int32_t count = 0;
    if (!ReadInteger(reader, count, load.status)) return load;
    if (count < 1 || count > MaxFrames) {
        load.status = FileStatus::Error(FileErrorKind::NotThisProgram, NotThisProgramText);
        return load;
    }
    RecordingDocument& document = load.document;
    document.frames.assign(static_cast<std::size_t>(count), FrameRow{});
    for (int n = 1; n <= count; ++n)
        if (!ReadFrame(reader, document, n, load.status)) return load;

    for (auto& column : document.samples) column.clear();
    for (int r = 0; r < StoredSampleRows; ++r)
        for (auto& column : document.samples) column.push_back(Cp1251ToUtf8(reader.Next()));
    for (std::string& marker : document.markers) {
        marker = Cp1251ToUtf8(reader.Next());
        if (marker.empty()) marker.push_back('0');
    }
    const std::string sizeLine = reader.Next();
    if (!sizeLine.empty()) {
        const auto size = ParseInteger(sizeLine);
        if (!size) {
            load.status = ConversionError(reader, sizeLine, "не целое число");
            return load;
        }
        // Lines missing at the end of the file are not made up, whatever the size says.
        for (std::int64_t i = 0; i <= std::int64_t{*size} && !reader.AtEnd(); ++i)
            document.comment.push_back(Cp1251ToUtf8(reader.Next()));
    }
    return load;
}

} // namespace

bool IsAcceptedSignature(std::string_view line) {
    for (std::string_view accepted : AcceptedSignatures)
        if (line == accepted) return true;
    return false;
}

std::string SingleLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n' || c == '\x1A') c = ' ';
    return line;
}

std::string RecordingFileBytes(const RecordingDocument& document) {
    std::string out;
    out.reserve(document.frames.size() * 100 + 1024);
    FileWriter writer(out);
    writer.Line(RecordingSignature);
    writer.Number(document.Length());
    for (std::size_t i = 0; i < document.frames.size(); ++i) {
        const FrameRow& row = document.frames[i];
        for (std::uint8_t byte : row.Analog) writer.Number(byte);
        writer.Flag(i == 0 ? 0 : document.frames[i - 1].Identifier[11]);
        for (std::uint8_t sample : row.Identifier) writer.Flag(sample);
        for (std::uint8_t bit : row.Flags11) writer.Flag(bit);
        for (std::uint8_t bit : row.Flags12) writer.Flag(bit);
        writer.Flag(row.EndFlag);
        writer.Line(TimeOfDayText(row.FrameTime));
    }
    for (int r = 0; r < StoredSampleRows; ++r)
        for (const auto& column : document.samples) writer.Text(SampleRow(column, r));
    for (const std::string& marker : document.markers) writer.Text(marker);
    writer.Number(static_cast<long long>(document.comment.size()) - 1);
    for (const std::string& line : document.comment) writer.Text(line);
    return out;
}

RecordingLoad ParseRecording(std::string_view bytes) {
    RecordingLoad load = ParseRecordingLines(bytes);
    if (!load.status.ok()) load.document = RecordingDocument{}; // nothing half-read escapes
    return load;
}

RecordingHeader ReadRecordingHeader(std::string_view bytes) {
    RecordingHeader header;
    LineReader reader(bytes);
    if (!IsAcceptedSignature(reader.Next())) return header;
    const auto count = ParseInteger(reader.Next());
    if (!count || *count < 1 || *count > MaxFrames) return header;
    header.ours = true;
    header.frames = *count;
    reader.Skip(FrameRecordLines - 1);
    header.firstTime = ParseTimeOfDay(reader.Next());
    header.lastTime = header.firstTime;
    if (header.frames > 1) {
        reader.Skip(FrameRecordLines * (header.frames - 1) - 1);
        header.lastTime = ParseTimeOfDay(reader.Next());
    }
    reader.Skip(StoredSampleRows * SampleColumnCount + FrameMarkerCount);
    const auto size = ParseInteger(reader.Next());
    if (size && *size >= 0 && !reader.AtEnd())
        header.commentFirstLine = Cp1251ToUtf8(reader.Next());
    return header;
}

RecordingLoad LoadRecordingFile(const std::string& path) {
    std::string bytes;
    RecordingLoad load;
    load.status = ReadWholeFile(path, bytes, MaxRecordingFileBytes);
    if (!load.status.ok()) return load;
    return ParseRecording(bytes);
}

FileStatus RecordingBytesForSaving(const RecordingDocument& document, std::string& bytes) {
    bytes.clear();
    if (document.Length() < 1 || document.Length() > MaxFrames)
        return FileStatus::Error(FileErrorKind::Refused, "В записи должно быть от 1 до " +
                                                             std::to_string(MaxFrames) + " кадров");
    std::string file = RecordingFileBytes(document);
    // A file the program could not open again is not written.
    if (file.size() > MaxRecordingFileBytes)
        return FileStatus::Error(FileErrorKind::Refused,
                                 "Запись с отсчётами и комментарием заняла бы больше " +
                                     SizeText(MaxRecordingFileBytes) +
                                     ": такой файл программа не откроет. Сократите комментарий.");
    bytes = std::move(file);
    return {};
}

FileStatus SaveRecordingFile(const std::string& path, const RecordingDocument& document) {
    std::string bytes;
    if (FileStatus status = RecordingBytesForSaving(document, bytes); !status.ok()) return status;
    return WriteFileAtomically(path, bytes);
}

} // namespace qv
