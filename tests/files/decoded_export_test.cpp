#include "files/decoded_export.h"
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

} // namespace
} // namespace qv
