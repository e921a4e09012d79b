// The table of values opened by LibreOffice Calc as a spreadsheet of the user's locale opens it
// by default: every value cell must be a number, equal to what the panel shows.
#include "child_process.h"
#include "files/decoded_export.h"
#include "files/recording_file.h"
#include "recording/frame_time.h"
#include "recording/flag_table.h"
#include "recording/panel.h"
#include "settings_numbers.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <regex>
#include <sstream>

namespace qv {
namespace {

struct Cell {
    std::string type; // "float", "date", "time", "string", or empty
    std::string value;
};

// The cells of each row of a flat OpenDocument spreadsheet, repeated cells spelled out.
std::vector<std::vector<Cell>> SheetRows(const std::string& fods) {
    static const std::regex cellTag(R"(<table:table-cell([^>]*)>)");
    static const std::regex attribute(R"(([a-z:-]+)="([^"]*)\")");
    std::vector<std::vector<Cell>> rows;
    for (std::size_t at = 0; (at = fods.find("<table:table-row ", at)) != std::string::npos;) {
        const std::size_t end = fods.find("</table:table-row>", at);
        const std::string row = fods.substr(at, end - at);
        at = end;
        std::vector<Cell>& cells = rows.emplace_back();
        for (std::sregex_iterator tag(row.begin(), row.end(), cellTag), none; tag != none; ++tag) {
            const std::string attributes = (*tag)[1];
            Cell cell;
            int repeated = 1;
            for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute); a != none;
                 ++a) {
                const std::string name = (*a)[1], value = (*a)[2];
                if (name == "office:value-type") cell.type = value;
                if (name == "office:value" || name == "office:date-value" ||
                    name == "office:time-value")
                    cell.value = value;
                if (name == "table:number-columns-repeated") repeated = std::stoi(value);
            }
            cells.insert(cells.end(), static_cast<std::size_t>(repeated), cell);
        }
    }
    return rows;
}

std::string SofficePath() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (access((folder + "/soffice").c_str(), X_OK) == 0) return folder + "/soffice";
    return {};
}

// The panel's number without its unit, as a number.
double PanelNumber(const std::string& shown, const std::string& decimal) {
    std::string number = shown.substr(0, shown.find_first_not_of("-0123456789" + decimal));
    if (const auto comma = number.find(decimal); comma != std::string::npos)
        number.replace(comma, decimal.size(), ".");
    return std::stod(number);
}

TEST(SpreadsheetCalc, OpensEveryValueAsTheNumberThePanelShows) {
    const std::string soffice = SofficePath();
    if (soffice.empty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const RecordingLoad load = LoadRecordingFile(QV_SOURCE_DIR "/samples/demo.kvr");
    ASSERT_TRUE(load.status.ok());
    const double date = ToFrameTime({2026, 12, 9});
    const struct {
        const char* decimal;
        const char* filter; // separator, quote, UTF-8, from line 1, standard columns, language
        DisplaySettings settings;
        double date; // added to the frames' times of day
    } cases[] = {{",", "CSV:59,34,76,1,,1049", {}, date},
                 {".", "CSV:44,34,76,1,,1033", SettingsOf(3, 2, 5), 0}};
    const test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.decimal);
        RecordingDocument document = load.document;
        for (FrameRow& row : document.frames) row.FrameTime += c.date;
        auto store = std::make_unique<RecordingStore>();
        ApplyToStore(document, *store);
        test::WriteBytes(dir.File("table.csv"),
                         SpreadsheetTableBytes(document, c.settings, c.decimal));
        const std::string home = dir.File("home");
        const pid_t calc = test::Spawn(
            {soffice, "--headless", "-env:UserInstallation=file://" + dir.File("profile"),
             std::string("--infilter=") + c.filter, "--convert-to", "fods", "--outdir",
             dir.File("out"), dir.File("table.csv")},
            {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/config",
             "XDG_CACHE_HOME=" + home + "/cache", "XDG_DATA_HOME=" + home + "/data",
             "XDG_RUNTIME_DIR=" + home, "PATH=/usr/bin:/bin", "LC_ALL=C.UTF-8"},
            dir.File("calc.out"), dir.File("calc.err"));
        ASSERT_EQ(test::ExitStatus(calc), 0) << test::ReadBytes(dir.File("calc.err"));
        const std::string sheet = test::ReadBytes(dir.File("out/table.fods"));
        EXPECT_NE(sheet.find("<text:p>Кадр</text:p>"), std::string::npos);
        const auto rows = SheetRows(sheet);
        const int length = document.Length();
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(length) + 1);
        for (int n = 1; n <= length; ++n) {
            const std::vector<Cell>& cells = rows[static_cast<std::size_t>(n)];
            ASSERT_EQ(cells.size(), 24u) << n;
            const PanelLines panel = BuildPanel(*store, n, length, c.settings, c.decimal);
            const LocalDateTime t = FromFrameTime(document.frames[n - 1].FrameTime);
            char when[32];
            if (c.date)
                std::snprintf(when, sizeof when, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month,
                              t.day, t.hour, t.minute, t.second);
            else
                std::snprintf(when, sizeof when, "PT%02dH%02dM%02dS", t.hour, t.minute, t.second);
            EXPECT_EQ(cells[1].type, c.date ? "date" : "time") << n;
            EXPECT_EQ(cells[1].value, when) << n;
            for (std::size_t k = 0; k < 24; ++k) {
                if (k == 1) continue;
                ASSERT_EQ(cells[k].type, "float") << n << " " << k;
                const double expected =
                    k == 0    ? n
                    : k <= 11 ? PanelNumber(panel.values[k - 1], c.decimal)
                              : panel.values[k - 1] == NamedFlag(static_cast<int>(k) - 12).on;
                EXPECT_DOUBLE_EQ(std::stod(cells[k].value), expected) << n << " " << k;
            }
        }
    }
}

} // namespace
} // namespace qv
