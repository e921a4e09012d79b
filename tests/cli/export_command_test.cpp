#include "files/decoded_export.h"
#include "files/recording_file.h"
#include "recording/decoding.h"
#include "recording/panel.h"

#include "cli_test_support.h"
#include "settings_numbers.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <memory>
#include <sstream>

namespace qv {
namespace {

const std::string kDemo = QV_SOURCE_DIR "/samples/demo.kvr";

std::vector<std::vector<std::string>> CsvRows(const std::string& bytes) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_TRUE(!line.empty() && line.back() == '\r');
        line.pop_back();
        std::vector<std::string>& cells = rows.emplace_back();
        std::istringstream split(line + ",");
        for (std::string cell; std::getline(split, cell, ',');) cells.push_back(cell);
    }
    return rows;
}

using CliExport = test::CliTest;

// Every value of every frame of the demo recording, read back from the export, is the number
// the panel shows for it, under the default and under other units.
TEST_F(CliExport, RoundTripsTheDemoRecordingAgainstThePanel) {
    const RecordingLoad load = LoadRecordingFile(kDemo);
    ASSERT_TRUE(load.status.ok());
    auto store = std::make_unique<RecordingStore>();
    ApplyToStore(load.document, *store);
    const int length = load.document.Length();

    for (const auto& [options, settings] :
         {std::pair{std::string(), DisplaySettings{}},
          std::pair{std::string(" --khh 3 --temperature 2 --vozduh 2"), SettingsOf(3, 2, 2)}}) {
        SCOPED_TRACE(options);
        ASSERT_EQ(RunCli("export \"" + kDemo + "\" \"" + File("demo.csv") + "\"" + options), 0)
            << Read(File("stderr.txt"));
        const auto rows = CsvRows(Read(File("demo.csv")));
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(length) + 1);
        ASSERT_EQ(rows[0].size(), 24u);
        for (int n = 1; n <= length; ++n) {
            const std::vector<std::string>& cells = rows[static_cast<std::size_t>(n)];
            ASSERT_EQ(cells.size(), 24u) << n;
            const PanelLines panel = BuildPanel(*store, n, length, settings, ".");
            EXPECT_EQ(cells[0], std::to_string(n));
            EXPECT_EQ(cells[1], panel.values[25]) << n;
            for (int p = 1; p <= 10; ++p) {
                // The panel's text is the cell followed by the unit.
                const std::string& shown = panel.values[static_cast<std::size_t>(p)];
                ASSERT_FALSE(cells[p + 1].empty()) << n << " " << p;
                EXPECT_EQ(shown.rfind(cells[p + 1], 0), 0u) << n << " " << p << " " << shown;
                EXPECT_TRUE(shown.size() > cells[p + 1].size() &&
                            !std::isdigit(static_cast<unsigned char>(shown[cells[p + 1].size()])))
                    << shown;
            }
            for (int f = 0; f < NamedFlagCount; ++f)
                EXPECT_EQ(cells[static_cast<std::size_t>(f + 12)],
                          panel.values[static_cast<std::size_t>(f + 11)] == NamedFlag(f).on ? "1"
                                                                                            : "0");
        }
    }
}

// --spreadsheet writes the window's table of values.
TEST_F(CliExport, WritesTheSpreadsheetTableOnRequest) {
    const RecordingLoad load = LoadRecordingFile(kDemo);
    ASSERT_EQ(RunCli("export \"" + kDemo + "\" \"" + File("t.csv") +
                     "\" --spreadsheet --khh 2 --decimal ,"),
              0);
    EXPECT_EQ(Read(File("t.csv")), SpreadsheetTableBytes(load.document, SettingsOf(2, 1, 1), ","));
}

TEST_F(CliExport, RejectsBadOptionsAndWritesNothing) {
    for (const char* options : {"", " --khh 4", " --vozduh 0", " --temperature x", " --speed 1",
                                " --khh", " --decimal ,", " --spreadsheet --decimal x"}) {
        const std::string out = options[0] ? " \"" + File("out.csv") + "\"" : "";
        EXPECT_EQ(RunCli("export \"" + kDemo + "\"" + out + options), 2) << options;
        EXPECT_FALSE(Read(File("stderr.txt")).empty()) << options;
    }
    EXPECT_EQ(RunCli("export \"" + File("missing.kvr") + "\" \"" + File("out.csv") + "\""), 2);
    EXPECT_FALSE(std::filesystem::exists(File("out.csv")));
}

} // namespace
} // namespace qv
