// The table of values opened by LibreOffice Calc as a spreadsheet of the user's locale opens it
// by default: every value cell must be a number, equal to what the panel shows.
#include "files/decoded_export.h"
#include "files/recording_file.h"
#include "recording/flag_table.h"
#include "recording/frame_time.h"
#include "recording/panel.h"
#include "settings_numbers.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <regex>

namespace qv {
namespace {

// Each row of a flat OpenDocument sheet as its cells' {type, value}, repeated cells spelled out.
std::vector<std::vector<std::pair<std::string, std::string>>> SheetRows(const std::string& sheet) {
    static const std::regex cell(R"re(<table:table-cell[^>]*?(?:columns-repeated="(\d+)"[^>]*?)?)re"
                                 R"re(value-type="(\w+)"(?: office:[a-z-]*value="([^"]*)")?)re");
    std::vector<std::vector<std::pair<std::string, std::string>>> rows;
    for (std::size_t at = 0; (at = sheet.find("<table:table-row ", at + 1)) != std::string::npos;) {
        const std::string row = sheet.substr(at, sheet.find("</table:table-row>", at) - at);
        auto& cells = rows.emplace_back();
        for (std::sregex_iterator c(row.begin(), row.end(), cell), end; c != end; ++c)
            cells.insert(cells.end(), (*c)[1].matched ? std::stoul((*c)[1]) : 1,
                         {(*c)[2], (*c)[3]});
    }
    return rows;
}

TEST(SpreadsheetCalc, OpensEveryValueAsTheNumberThePanelShows) {
    const std::string soffice = "/usr/bin/soffice";
    if (access(soffice.c_str(), X_OK) != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const RecordingLoad load = LoadRecordingFile(QV_SOURCE_DIR "/samples/demo.kvr");
    ASSERT_TRUE(load.status.ok());
    const struct {
        std::string decimal;
        const char* filter; // separator, quote, UTF-8 (from the BOM), line 1, columns, language
        DisplaySettings settings;
        double date; // added to the frames' times of day
    } cases[] = {{",", "CSV:59,34,76,1,,1049", {}, ToFrameTime({2026, 12, 9})},
                 {".", "CSV:44,34,76,1,,1033", SettingsOf(3, 2, 5), 0}};
    const test::TempDir dir;
    for (const auto& c : cases) {
        RecordingDocument document = load.document;
        for (FrameRow& row : document.frames) row.FrameTime += c.date;
        test::WriteBytes(dir.File("t.csv"), SpreadsheetTableBytes(document, c.settings, c.decimal));
        const std::string calc =
            "cd '" + dir.File("") + "' && env -i HOME=$PWD XDG_CONFIG_HOME=$PWD " +
            "XDG_CACHE_HOME=$PWD XDG_DATA_HOME=$PWD XDG_RUNTIME_DIR=$PWD " + soffice +
            " --headless -env:UserInstallation=file://" + dir.File("p") +
            " --infilter=" + c.filter + " --convert-to fods t.csv >o 2>e";
        ASSERT_EQ(std::system(calc.c_str()), 0) << test::ReadBytes(dir.File("e"));
        const std::string sheet = test::ReadBytes(dir.File("t.fods"));
        EXPECT_NE(sheet.find("<text:p>Кадр</text:p>"), std::string::npos) << c.decimal;
        const auto rows = SheetRows(sheet);
        const int length = document.Length();
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(length) + 1) << c.decimal;
        auto store = std::make_unique<RecordingStore>();
        ApplyToStore(document, *store);
        for (int n = 1; n <= length; ++n) {
            const auto& cells = rows[static_cast<std::size_t>(n)];
            ASSERT_EQ(cells.size(), 24u) << n;
            // The date and time as one value, a time of day alone as a time (the demo's hours
            // have two digits).
            const PanelLines panel = BuildPanel(*store, n, length, c.settings, c.decimal);
            std::string when = panel.values[25];
            when = c.date ? "2026-12-09T" + when
                          : "PT" + when.replace(5, 1, "M").replace(2, 1, "H") + "S";
            EXPECT_EQ(cells[1], std::pair(std::string(c.date ? "date" : "time"), when)) << n;
            // The frame, then the panel's values (with its separator and unit), flags as 1/0.
            for (std::size_t k = 0; k < 24; ++k) {
                std::string shown = k == 0 ? std::to_string(n) : panel.values[k - 1];
                if (const auto at = shown.find(c.decimal); k <= 11 && at != std::string::npos)
                    shown[at] = '.';
                if (k >= 12) shown = shown == NamedFlag(static_cast<int>(k) - 12).on ? "1" : "0";
                if (k == 1) continue;
                EXPECT_EQ(cells[k].first, "float") << n << " " << k;
                EXPECT_DOUBLE_EQ(std::stod(cells[k].second), std::stod(shown)) << n << " " << k;
            }
        }
    }
}

} // namespace
} // namespace qv
