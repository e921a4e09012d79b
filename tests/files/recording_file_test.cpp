#include "base/parse_integer.h"
#include "files/cp1251.h"
#include "files/file_io.h"
#include "files/line_reader.h"
#include "files/recording_file.h"
#include "recording/frame_time.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {

// The lines of a file as written: every line must end with CR LF.
std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF";
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

RecordingDocument StartUpDocument() {
    RecordingDocument document;
    FrameRow row;
    row.FrameTime = ToFrameTime({2026, 12, 8, 9, 5, 7, 480});
    document.frames.push_back(row);
    return document;
}

TEST(RecordingFile, StartUpRecordingIs129Lines) {
    const std::vector<std::string> lines = CrLfLines(RecordingFileBytes(StartUpDocument()));
    ASSERT_EQ(lines.size(), 129u);
    EXPECT_EQ(lines[0], "File for Quintovar 1.0.0.3");
    EXPECT_EQ(lines[1], "1");
    for (int i = 2; i < 42; ++i) EXPECT_EQ(lines[i], "0") << "line " << i + 1;
    EXPECT_EQ(lines[42], "9:05:07");
    for (int i = 43; i < 118; ++i) EXPECT_EQ(lines[i], "") << "line " << i + 1;
    for (int i = 118; i < 128; ++i) EXPECT_EQ(lines[i], "0") << "line " << i + 1;
    EXPECT_EQ(lines[128], "-1");
}

TEST(RecordingFile, FrameRecordLayoutAndRepeatedIdentifierSample) {
    RecordingDocument document = StartUpDocument();
    document.frames.push_back(FrameRow{});
    document.frames[0].Analog = {1, 2, 3, 4, 5, 6, 7, 8, 9, 255};
    document.frames[0].Identifier[0] = 7; // any nonzero sample is written as 1
    document.frames[0].Identifier[11] = 1;
    document.frames[1].Flags11[2] = 1;
    document.frames[1].Flags12[7] = 1;
    document.frames[1].EndFlag = 1;
    const auto lines = CrLfLines(RecordingFileBytes(document));
    ASSERT_EQ(lines.size(), 129u + 41u);
    EXPECT_EQ(lines[2], "1");
    EXPECT_EQ(lines[11], "255");
    EXPECT_EQ(lines[12], "0");          // frame 1: the repeated sample is 0
    EXPECT_EQ(lines[13], "1");          // identifier sample 1
    EXPECT_EQ(lines[24], "1");          // identifier sample 12
    const int second = 2 + 41;          // first line of frame 2's record
    EXPECT_EQ(lines[second + 10], "1"); // repeats frame 1's sample 12
    EXPECT_EQ(lines[second + 23 + 2], "1");
    EXPECT_EQ(lines[second + 31 + 7], "1");
    EXPECT_EQ(lines[second + 39], "1");
}

TEST(RecordingFile, RoundTripReproducesEverything) {
    const RecordingDocument original = test::VariedDocument(300, 7);
    const std::string bytes = RecordingFileBytes(original);
    const RecordingLoad load = ParseRecording(bytes);
    ASSERT_TRUE(load.status.ok()) << load.status.message;
    const RecordingDocument& loaded = load.document;
    ASSERT_EQ(loaded.Length(), 300);
    for (int i = 0; i < 300; ++i) {
        const FrameRow& a = original.frames[i];
        const FrameRow& b = loaded.frames[i];
        EXPECT_EQ(a.Analog, b.Analog);
        EXPECT_EQ(a.Identifier, b.Identifier);
        EXPECT_EQ(a.Flags11, b.Flags11);
        EXPECT_EQ(a.Flags12, b.Flags12);
        EXPECT_EQ(a.EndFlag, b.EndFlag);
        EXPECT_EQ(TimeOfDayText(a.FrameTime), TimeOfDayText(b.FrameTime));
        EXPECT_LT(b.FrameTime, 1.0); // the date part is zero
    }
    for (int c = 0; c < 3; ++c) {
        ASSERT_EQ(loaded.samples[c].size(), 25u);
        for (int r = 0; r < 25; ++r)
            EXPECT_EQ(loaded.samples[c][r], SampleRow(original.samples[c], r));
    }
    EXPECT_EQ(loaded.markers, original.markers);
    EXPECT_EQ(loaded.comment, original.comment);
    EXPECT_EQ(RecordingFileBytes(loaded), bytes); // a loaded file saves byte for byte the same
}

TEST(RecordingFile, AFullStoreIsSavedAndLoadsAgain) {
    const RecordingDocument full = test::VariedDocument(MaxFrames, 3);
    std::string bytes;
    ASSERT_TRUE(RecordingBytesForSaving(full, bytes).ok());
    const RecordingLoad load = ParseRecording(bytes);
    ASSERT_TRUE(load.status.ok()) << load.status.message;
    ASSERT_EQ(load.document.Length(), MaxFrames);
    EXPECT_EQ(load.document.frames.back().Analog, full.frames.back().Analog);
}

TEST(RecordingFile, CommentSizeIsLineCountMinusOne) {
    for (const std::vector<std::string>& comment :
         {std::vector<std::string>{}, {"раз", "два"}, {"a", "", "c"}}) {
        RecordingDocument document = StartUpDocument();
        document.comment = comment;
        const auto lines = CrLfLines(RecordingFileBytes(document));
        ASSERT_EQ(lines.size(), 129u + comment.size());
        EXPECT_EQ(lines[128], std::to_string(static_cast<int>(comment.size()) - 1));
        const RecordingLoad load = ParseRecording(JoinCrLf(lines));
        ASSERT_TRUE(load.status.ok());
        EXPECT_EQ(load.document.comment, comment);
    }
}

TEST(RecordingFile, LineBreaksInsideTextsCannotShiftTheLayout) {
    RecordingDocument document = StartUpDocument();
    document.comment = {"one\ntwo", "x\r\x1Ay"};
    document.samples[0] = {"a\r\nb"};
    const RecordingLoad load = ParseRecording(RecordingFileBytes(document));
    ASSERT_TRUE(load.status.ok());
    EXPECT_EQ(load.document.comment, (std::vector<std::string>{"one two", "x  y"}));
    EXPECT_EQ(load.document.samples[0][0], "a  b");
}

class RecordingReader : public ::testing::Test {
protected:
    std::vector<std::string> lines = CrLfLines(RecordingFileBytes(StartUpDocument()));
    RecordingLoad Load() const { return ParseRecording(JoinCrLf(lines)); }
};

TEST_F(RecordingReader, AcceptsTheThreeSignaturesExactly) {
    for (const char* signature : {"File for Quintovar 1.0.0.1", "File for Quintovar 1.0.0.2",
                                  "File for Quintovar 1.0.0.3"}) {
        lines[0] = signature;
        EXPECT_TRUE(Load().status.ok()) << signature;
    }
    for (const char* signature : {"File for Quintovar 1.0.0.3 ", "file for quintovar 1.0.0.3", "",
                                  " File for Quintovar 1.0.0.3", "File for Quintovar 1.0.0.4"}) {
        lines[0] = signature;
        const RecordingLoad load = Load();
        EXPECT_EQ(load.status.kind, FileErrorKind::NotThisProgram) << signature;
        EXPECT_EQ(load.status.message, "Файл не этой программы");
    }
    EXPECT_EQ(ParseRecording("").status.kind, FileErrorKind::NotThisProgram);
}

TEST_F(RecordingReader, FrameCountOutsideTheStoreIsNotThisProgramsFile) {
    for (const char* count : {"0", "-1", "2001", "99999999999"}) {
        lines[1] = count;
        EXPECT_EQ(Load().status.kind, std::string(count) == "99999999999"
                                          ? FileErrorKind::Conversion
                                          : FileErrorKind::NotThisProgram)
            << count;
    }
    lines[1] = "";
    const RecordingLoad load = Load();
    EXPECT_EQ(load.status.kind, FileErrorKind::Conversion);
    EXPECT_NE(load.status.message.find("Строка 2"), std::string::npos) << load.status.message;
}

TEST_F(RecordingReader, DataBytesKeepTheirLowEightBits) {
    lines[2] = "300";
    lines[3] = "-1";
    lines[4] = "256";
    lines[5] = "+7";
    const RecordingLoad load = Load();
    ASSERT_TRUE(load.status.ok()) << load.status.message;
    EXPECT_EQ(load.document.frames[0].Analog[0], 44);
    EXPECT_EQ(load.document.frames[0].Analog[1], 255);
    EXPECT_EQ(load.document.frames[0].Analog[2], 0);
    EXPECT_EQ(load.document.frames[0].Analog[3], 7);
}

TEST_F(RecordingReader, BadNumberOrTimeNamesTheLine) {
    lines[6] = "12a";
    RecordingLoad load = Load();
    EXPECT_EQ(load.status.kind, FileErrorKind::Conversion);
    EXPECT_NE(load.status.message.find("Строка 7"), std::string::npos) << load.status.message;
    EXPECT_NE(load.status.message.find("12a"), std::string::npos);

    // Control bytes are shown, not passed on: the message stays whole and harmless.
    lines[6] = std::string("1\0\x1B[2J", 6);
    load = Load();
    EXPECT_NE(load.status.message.find("«1\\x00\\x1B[2J» — не целое число"), std::string::npos)
        << load.status.message;

    lines[6] = "12";
    for (const char* time : {"", "25:00:00", "9:5:07", "09:05:07 ", "полдень"}) {
        lines[42] = time;
        load = Load();
        EXPECT_EQ(load.status.kind, FileErrorKind::Conversion) << time;
        EXPECT_NE(load.status.message.find("Строка 43"), std::string::npos);
    }
    lines[42] = "09:05:07";
    EXPECT_TRUE(Load().status.ok());
}

TEST_F(RecordingReader, FlagIsSetOnlyByExactlyOne) {
    lines[13] = "1";
    lines[14] = "1 ";
    lines[15] = "да";
    lines[16] = "2";
    lines[25] = "1"; // Flags11 bit 0
    lines[41] = "1"; // EndFlag
    const RecordingLoad load = Load();
    ASSERT_TRUE(load.status.ok());
    const FrameRow& row = load.document.frames[0];
    EXPECT_EQ(row.Identifier[0], 1);
    EXPECT_EQ(row.Identifier[1], 0);
    EXPECT_EQ(row.Identifier[2], 0);
    EXPECT_EQ(row.Identifier[3], 0);
    EXPECT_EQ(row.Flags11[0], 1);
    EXPECT_EQ(row.EndFlag, 1);
}

TEST_F(RecordingReader, RepeatedSampleReplacesThePreviousFramesLastSample) {
    std::vector<std::string> two = CrLfLines(RecordingFileBytes(RecordingDocument{
        {FrameRow{}, FrameRow{}}, {}, {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}, {}}));
    two[2 + 41 + 10] = "1"; // frame 2's first identifier line
    const RecordingLoad load = ParseRecording(JoinCrLf(two));
    ASSERT_TRUE(load.status.ok());
    EXPECT_EQ(load.document.frames[0].Identifier[11], 1);
}

TEST_F(RecordingReader, FileMayEndAfterAnyBlockFollowingTheFrames) {
    lines[43] = Utf8ToCp1251("Обороты");
    lines[118] = "15";
    lines.resize(43 + 75); // ends after the samples
    RecordingLoad load = Load();
    ASSERT_TRUE(load.status.ok()) << load.status.message;
    EXPECT_EQ(load.document.samples[0][0], "Обороты");
    for (const auto& marker : load.document.markers) EXPECT_EQ(marker, "0");
    EXPECT_TRUE(load.document.comment.empty());

    lines.resize(43 + 75 + 10); // ends after the markers
    lines[118] = "15";
    load = Load();
    ASSERT_TRUE(load.status.ok());
    EXPECT_EQ(load.document.markers[0], "15");
    EXPECT_TRUE(load.document.comment.empty());

    lines.resize(43); // ends right after the frames
    load = Load();
    ASSERT_TRUE(load.status.ok());
    for (const auto& column : load.document.samples) EXPECT_EQ(column.size(), 25u);
}

TEST_F(RecordingReader, TruncatedFrameBlockIsAConversionError) {
    lines.resize(30);
    const RecordingLoad load = Load();
    EXPECT_EQ(load.status.kind, FileErrorKind::Conversion);
    EXPECT_EQ(load.document.Length(), 0); // nothing half-read is handed out
    EXPECT_NE(load.status.message.find("Строка 43"), std::string::npos) << load.status.message;
}

TEST_F(RecordingReader, EmptyMarkerReadsAsZeroAndCommentSizeIsOptional) {
    lines[118] = "";
    lines[119] = Utf8ToCp1251("Ё");
    lines[128] = "";
    lines.push_back("not a comment");
    RecordingLoad load = Load();
    ASSERT_TRUE(load.status.ok());
    EXPECT_EQ(load.document.markers[0], "0");
    EXPECT_EQ(load.document.markers[1], "Ё");
    EXPECT_TRUE(load.document.comment.empty());

    lines[128] = "x";
    EXPECT_EQ(Load().status.kind, FileErrorKind::Conversion);
    lines[128] = "1000000"; // a size beyond the file's end takes only what is there
    load = Load();
    ASSERT_TRUE(load.status.ok());
    EXPECT_EQ(load.document.comment, std::vector<std::string>{"not a comment"});
}

TEST_F(RecordingReader, LineEndsAreReadTolerantly) {
    lines[119] = "a\rb"; // a lone CR is dropped
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\n"; // LF only
    bytes += "\x1A"
             "garbage\r\n";
    const RecordingLoad load = ParseRecording(bytes);
    ASSERT_TRUE(load.status.ok()) << load.status.message;
    EXPECT_EQ(load.document.markers[1], "ab");
    EXPECT_TRUE(load.document.comment.empty());

    std::string noFinalBreak = JoinCrLf(lines);
    noFinalBreak.resize(noFinalBreak.size() - 2);
    EXPECT_TRUE(ParseRecording(noFinalBreak).status.ok());
}

TEST(LineReader, LongLinesAndIntegers) {
    const std::string longLine(100000, 'x');
    const std::string bytes = longLine + "\r\nsecond";
    LineReader reader(bytes);
    EXPECT_EQ(reader.Next(), longLine);
    EXPECT_EQ(reader.Next(), "second");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.Next(), "");
    EXPECT_EQ(reader.LineNumber(), 3);

    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseInteger(" 5"), 5);
    for (const char* bad : {"", "-", "5 ", "0x10", "1e3", "٣"})
        EXPECT_EQ(ParseInteger(bad), std::nullopt) << bad;
}

TEST(RecordingFileOnDisk, SaveLoadAndFailures) {
    test::TempDir dir;
    const std::string path = dir.File("запись.kvr");
    const RecordingDocument document = test::VariedDocument(20);
    ASSERT_TRUE(SaveRecordingFile(path, document).ok());
    EXPECT_EQ(test::ReadBytes(path), RecordingFileBytes(document));
    const RecordingLoad load = LoadRecordingFile(path);
    ASSERT_TRUE(load.status.ok());
    EXPECT_EQ(load.document.markers, document.markers);

    EXPECT_EQ(LoadRecordingFile(dir.File("missing.kvr")).status.kind, FileErrorKind::Io);

    const FileStatus noDir = SaveRecordingFile(dir.File("no/such/dir.kvr"), document);
    EXPECT_EQ(noDir.kind, FileErrorKind::CannotCreate);
    EXPECT_EQ(noDir.message, "Ошибка записи в файл. Причина: нет такого файла или папки");
    EXPECT_EQ(SaveRecordingFile(dir.path().string(), document).kind, FileErrorKind::Refused);

    // A refused save leaves the good file as it was.
    const std::string before = test::ReadBytes(path);
    EXPECT_FALSE(SaveRecordingFile(path, RecordingDocument{}).ok());
    EXPECT_EQ(test::ReadBytes(path), before);
}

TEST(RecordingFileOnDisk, NothingLargerThanTheReadersBoundIsWrittenOrRead) {
    test::TempDir dir;
    RecordingDocument document = test::VariedDocument(1);
    document.comment = {std::string(MaxRecordingFileBytes, 'x')};
    const std::string path = dir.File("huge.kvr");
    const FileStatus saved = SaveRecordingFile(path, document);
    EXPECT_EQ(saved.kind, FileErrorKind::Refused);
    EXPECT_NE(saved.message.find("10 МБ"), std::string::npos) << saved.message;
    EXPECT_FALSE(std::filesystem::exists(path));

    // A file one byte over the bound (sparse: no disk space needed) is refused unread.
    test::WriteBytes(path, "File for Quintovar 1.0.0.3\r\n");
    std::filesystem::resize_file(path, MaxRecordingFileBytes + 1);
    const RecordingLoad load = LoadRecordingFile(path);
    EXPECT_EQ(load.status.kind, FileErrorKind::Refused);
    EXPECT_NE(load.status.message.find("больше 10 МБ"), std::string::npos) << load.status.message;
}

TEST(RecordingDocument, ApplyToStoreWritesOnlyTheLoadedRows) {
    RecordingStore store;
    store.Row(3).Analog[0] = 99;
    store.Row(3).EndFlag = 1;
    const RecordingDocument document = test::VariedDocument(2);
    ApplyToStore(document, store);
    EXPECT_EQ(store.Row(1), document.frames[0]);
    EXPECT_EQ(store.Row(2), document.frames[1]);
    EXPECT_EQ(store.Row(3).Analog[0], 99);
    EXPECT_EQ(store.Row(3).EndFlag, 1);

    const RecordingDocument back =
        DocumentFromStore(store, 3, document.samples, document.markers, document.comment);
    ASSERT_EQ(back.Length(), 3);
    EXPECT_EQ(back.frames[2], store.Row(3));
    EXPECT_EQ(DocumentFromStore(store, 0, {}, {}, {}).Length(), 1);
    EXPECT_EQ(DocumentFromStore(store, 5000, {}, {}, {}).Length(), MaxFrames);
}

} // namespace
} // namespace qv
