#include "files/decoded_export.h"
#include "recording/frame_time.h"
#include "settings_numbers.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(DecodedExport, QuotesCellsAsRfc4180Asks) {
    const std::pair<const char*, const char*> cells[] = {{"12.5", "12.5"},
                                                         {"", ""},
                                                         {"a,b", "\"a,b\""},
                                                         {"say \"hi\"", "\"say \"\"hi\"\"\""},
                                                         {"two\r\nlines", "\"two\r\nlines\""}};
    for (const auto& [text, cell] : cells) EXPECT_EQ(CsvCell(text), cell) << text;
    EXPECT_EQ(CsvCell("a,b", ';'), "a,b");
    EXPECT_EQ(CsvCell("a;b", ';'), "\"a;b\"");
}

TEST(DecodedExport, HeaderNamesEachColumnWithItsUnit) {
    RecordingDocument document;
    document.frames.resize(1);
    const std::string bytes = DecodedCsvBytes(document, {});
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")),
              "frame,time,injection_ms,ignition_deg,idle_air_pct_of_255,rpm,map_kPa,coolant_C,"
              "throttle_deg,speed_kmh,correction_left_V,correction_right_V,"
              "flag_11_0_after_start_enrichment,flag_11_1_cold_engine,flag_11_4_knock,"
              "flag_11_5_closed_loop,flag_11_6_extra_enrichment,flag_12_0_starter,"
              "flag_12_1_throttle_closed,flag_12_2_air_conditioner,flag_12_3_neutral,"
              "flag_12_4_left_mixture_rich,flag_12_5_right_mixture_rich,flag_12_7_diagnosis_ok");
    const std::vector<std::string> header = DecodedCsvHeader(SettingsOf(3, 2, 4)); // KHH, T, Vozduh
    EXPECT_EQ(header[4], "idle_air_steps");
    EXPECT_EQ(header[6], "maf_g_s");
}

// The table for spreadsheets under both decimal separators: a frame with a date and one
// without (a loaded recording's), values at the ends of their ranges.
TEST(DecodedExport, SpreadsheetTableForEitherDecimalSeparator) {
    RecordingDocument document;
    document.frames.resize(2);
    document.frames[0].Analog = {80, 0, 255, 32, 154, 243, 40, 0, 128, 255};
    document.frames[0].Flags11[0] = document.frames[0].Flags12[7] = 1;
    document.frames[0].FrameTime = ToFrameTime({2026, 12, 9, 14, 3, 11, 750});
    document.frames[1].Analog = {1, 64, 250, 255, 100, 0, 255, 0, 0, 0};
    document.frames[1].FrameTime = ToFrameTime({1899, 12, 30, 9, 5, 7, 0});
    const struct {
        DisplaySettings settings;
        const char* decimal;
        std::string header; // its start
        const char* rows;
    } cases[] = {
        {{},
         ",",
         "\xEF\xBB\xBFКадр;Дата и время;1.А  Форсунки, мс.;2.А  Зажигание, град.;"
         "3.А  Клапан ХХ(% от 255), %;4.А  Частота вращ., об/м;5.А  MAP в кПа, kPa;"
         "6.А  Темпер.ОЖ(Прям.), град.С;7.А  Дрос.заслонка, град.;8.А  Скорость, км/ч;"
         "9.А  Коррекция Л, В;10.А  Коррекция Пр, В;11.0  Переоб.посл.зап. (1 = Да);",
         "1;2026-12-09 14:03:11;10,000;-30,0;100,0;800;100,0;122,0;20,0;0;2,50;4,98;"
         "1;0;0;0;0;0;0;0;0;0;0;1\r\n"
         "2;9:05:07;0,125;0,1;98,0;6375;65,1;-70,0;128,0;0;0,00;0,00;0;0;0;0;0;0;0;0;0;0;0;0\r\n"},
        {SettingsOf(3, 2, 5), ".",
         "\xEF\xBB\xBFКадр,Дата и время,\"1.А  Форсунки, мс.\",\"2.А  Зажигание, град.\","
         "\"3.А  Клапан ХХ(шаг), шаг\",\"4.А  Частота вращ., об/м\",\"5.А  Напряжение, В\","
         "\"6.А  Темпер.ОЖ(Обр.), град.С\",",
         "1,2026-12-09 14:03:11,10.000,-30.0,255,800,3.02,-46.0,20.0,0,2.50,4.98,"
         "1,0,0,0,0,0,0,0,0,0,0,1\r\n"
         "2,9:05:07,0.125,0.1,250,6375,1.96,240.0,128.0,0,0.00,0.00,0,0,0,0,0,0,0,0,0,0,0,0\r\n"},
    };
    for (const auto& c : cases) {
        const std::string bytes = SpreadsheetTableBytes(document, c.settings, c.decimal);
        EXPECT_EQ(bytes.substr(0, c.header.size()), c.header);
        EXPECT_EQ(bytes.substr(bytes.find("\r\n") + 2), c.rows);
    }
}

} // namespace
} // namespace qv
