#include "files/cp1251.h"
#include "files/csv_export.h"
#include "recording/frame_time.h"
#include "test_files.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0, end;
    while ((end = bytes.find("\r\n", start)) != std::string::npos) {
        lines.push_back(Cp1251ToUtf8(bytes.substr(start, end - start)));
        start = end + 2;
    }
    EXPECT_EQ(start, bytes.size()) << "every line ends with CR LF";
    return lines;
}

TEST(CsvExport, StartUpFrame) {
    RecordingDocument document;
    document.frames.push_back(FrameRow{});
    document.frames[0].FrameTime = ToFrameTime({2026, 12, 8, 14, 3, 9, 0});
    const std::string bytes = CsvExportBytes(document);
    const auto lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 2u + 1 + 1 + 1 + 25 + 1);
    EXPECT_EQ(lines[0], "Запись с Quintovar;;;;;;1 кадров");
    EXPECT_EQ(lines[1], "Кадр;1:A;2:A;3:A;4:A;5:A;6:A;7:A;8:A;9:A;10:A;Идентификатор;11:0;11:1;"
                        "11:2;11:3;11:4;11:5;11:6;11:7;12:0;12:1;12:2;12:3;12:4;12:5;12:6;12:7;"
                        "Нечто;Время");
    EXPECT_EQ(lines[2], "1;0;0;0;0;0;0;0;0;0;0;000000000000;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;"
                        "14:03:09");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "Отсчёт №1;Отсчёт №2;Отсчёт №3");
    for (int r = 0; r < 25; ++r) EXPECT_EQ(lines[5 + r], ";;;");
    EXPECT_EQ(lines[30], "");
    // Cyrillic is Windows-1251 and "1:A" holds the Latin A.
    EXPECT_EQ(bytes.substr(0, 6), "\xC7\xE0\xEF\xE8\xF1\xFC");
    EXPECT_NE(bytes.find(";1:A;"), std::string::npos);
}

TEST(CsvExport, FrameRowsSamplesAndComment) {
    RecordingDocument document = test::VariedDocument(8, 3);
    FrameRow& seventh = document.frames[6];
    seventh.Identifier = {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    seventh.Analog = {1, 2, 3, 4, 5, 6, 7, 8, 9, 250};
    seventh.Flags11 = {1, 0, 0, 0, 0, 0, 0, 1};
    seventh.Flags12 = {0, 1, 0, 0, 0, 0, 0, 0};
    seventh.EndFlag = 1;
    seventh.FrameTime = ToFrameTime({2000, 1, 1, 23, 59, 59, 999});
    document.comment = {"раз;два", "три"};
    const auto lines = Lines(CsvExportBytes(document));
    ASSERT_EQ(lines.size(), 2u + 8 + 1 + 1 + 25 + 1 + 2);
    EXPECT_EQ(lines[0], "Запись с Quintovar;;;;;;8 кадров");
    EXPECT_EQ(lines[8], "7;1;2;3;4;5;6;7;8;9;250;100000000001;1;0;0;0;0;0;0;1;0;1;0;0;0;0;0;0;1;"
                        "23:59:59");
    EXPECT_EQ(lines[12], ";№0;;");
    EXPECT_EQ(lines[13], "Впрыск;№1;;");
    EXPECT_EQ(lines[15], "ё;Ё;№3;;"); // a ";" in a sample makes a new cell
    EXPECT_EQ(lines[36], ";№24;;");   // row 25 of a taken sample is not written
    EXPECT_EQ(lines[37], "");
    EXPECT_EQ(lines[38], "раз;два");
    EXPECT_EQ(lines[39], "три");
}

TEST(CsvExport, FullStoreTitle) {
    const auto lines = Lines(CsvExportBytes(test::VariedDocument(2000)));
    EXPECT_EQ(lines[0], "Запись с Quintovar;;;;;;2000 кадров");
    EXPECT_EQ(lines[2001].substr(0, 5), "2000;");
}

TEST(CsvExport, FileAndDefaultName) {
    test::TempDir dir;
    const RecordingDocument document = test::VariedDocument(3);
    ASSERT_TRUE(ExportCsvFile(dir.File("out.csv"), document).ok());
    EXPECT_EQ(test::ReadBytes(dir.File("out.csv")), CsvExportBytes(document));
    EXPECT_EQ(ExportCsvFile(dir.File("none/out.csv"), document).kind, FileErrorKind::CannotCreate);

    EXPECT_EQ(CsvPathFor("/data/run1.kvr"), "/data/run1.csv");
    EXPECT_EQ(CsvPathFor("C:\\data\\run1.KVR"), "C:\\data\\run1.csv");
    EXPECT_EQ(CsvPathFor("/data.d/run1"), "/data.d/run1.csv");
    EXPECT_EQ(CsvPathFor("/data/.hidden"), "/data/.hidden.csv");
}

} // namespace
} // namespace qv
