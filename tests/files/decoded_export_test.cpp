#include "files/decoded_export.h"

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
}

TEST(DecodedExport, HeaderNamesEachColumnWithItsUnit) {
    RecordingDocument document;
    document.frames.resize(1);
    document.frames[0].Analog = {80, 64, 255, 32, 154, 255, 40, 0, 128, 255};
    document.frames[0].Flags12[1] = 1;
    document.frames[0].FrameTime = 0.5;
    EXPECT_EQ(DecodedCsvBytes(document, {}),
              "frame,time,injection_ms,ignition_deg,idle_air_pct_of_255,rpm,map_kPa,coolant_C,"
              "throttle_deg,speed_kmh,correction_left_V,correction_right_V,"
              "flag_11_0_after_start_enrichment,flag_11_1_cold_engine,flag_11_4_knock,"
              "flag_11_5_closed_loop,flag_11_6_extra_enrichment,flag_12_0_starter,"
              "flag_12_1_throttle_closed,flag_12_2_air_conditioner,flag_12_3_neutral,"
              "flag_12_4_left_mixture_rich,flag_12_5_right_mixture_rich,flag_12_7_diagnosis_ok\r\n"
              "1,12:00:00,10.000,0.1,100.0,800,100.0,240.0,20.0,0,2.50,4.98,"
              "0,0,0,0,0,0,1,0,0,0,0,0\r\n");
    const DisplaySettings steps{3, 2, 4}; // KHH, Temperature, Vozduh
    const std::vector<std::string> header = DecodedCsvHeader(steps);
    EXPECT_EQ(header[4], "idle_air_steps");
    EXPECT_EQ(header[6], "maf_g_s");
}

} // namespace
} // namespace qv
