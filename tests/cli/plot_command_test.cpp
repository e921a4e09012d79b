#include "files/recording_file.h"
#include "ui/render/graph_picture.h"

#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

class CliPlot : public test::CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        document.frames.resize(300);
        for (int n = 1; n <= 300; ++n) {
            FrameRow& row = document.frames[static_cast<std::size_t>(n - 1)];
            row.Analog[0] = static_cast<std::uint8_t>(n % 240);
            row.Analog[3] = static_cast<std::uint8_t>(100 + n % 50);
            row.Analog[4] = 100;
            row.Analog[5] = static_cast<std::uint8_t>(82 + n % 100);
            row.Flags12[7] = n % 3 == 0;
        }
        std::ofstream(File("in.kvr"), std::ios::binary) << RecordingFileBytes(document);
        store = std::make_unique<RecordingStore>();
        ApplyToStore(document, *store);
    }
    std::string Output(const std::string& name) const { return Read(File(name)); }
    int Plot(const std::string& options) {
        return RunCli("plot \"" + File("in.kvr") + "\" \"" + File("out.png") + "\" " + options);
    }
    QImage Expected(const GraphFrameSpan& view, const SeriesChoices& series,
                    const DisplaySettings& settings = {}) {
        GraphRenderer renderer;
        RedrawPicture(renderer, *store, view, series, settings, ",");
        return renderer.GraphBitmap();
    }
    QImage Written() const {
        return QImage(QString::fromStdString(File("out.png")))
            .convertToFormat(QImage::Format_RGB32);
    }

    RecordingDocument document;
    std::unique_ptr<RecordingStore> store;
};

TEST_F(CliPlot, DrawsTheWindowsPictureWithTheDefaults) {
    ASSERT_EQ(Plot(""), 0) << Output("stderr.txt");
    SeriesChoices series;
    series[0] = {true, 0, QColor(0xFF, 0, 0)};
    series[1] = {true, 3, QColor(0, 0, 0xFF)};
    series[2] = {true, 5, QColor(0, 0x80, 0)};
    const QImage written = Written();
    EXPECT_EQ(written.size(), QSize(601, 201));
    EXPECT_EQ(written, Expected({1, 300, 150}, series));
    EXPECT_EQ(Output("stdout.txt"), "Графики  с 1 по 300 кадр\n"
                                    "Кадр\t151\n"
                                    "1\t0\t30мс\t15мс\t0мс\t18,880 мс.\n"
                                    "2\t3\t10000\t5000\t0\t2525 об/м\n"
                                    "3\t5\t150С\t50С\t-50С\t19,4 град.С\n");
}

TEST_F(CliPlot, TakesSpanCursorSeriesColoursAndSettings) {
    ASSERT_EQ(Plot("--start 101 --span 100 --cursor 1 --series 4:123456,21,4 --vozduh 3"), 0)
        << Output("stderr.txt");
    SeriesChoices series;
    series[0] = {true, 4, QColor(0x12, 0x34, 0x56)};
    series[1] = {true, 21, QColor(0, 0, 0xFF)};
    series[2] = {true, 4, QColor(0, 0x80, 0)};
    DisplaySettings settings;
    settings.Vozduh = IntakeKind(3);
    const QImage written = Written();
    EXPECT_EQ(written, Expected({101, 100, 1}, series, settings));
    EXPECT_EQ(written.pixel(7, 135), QColor(0, 0x80, 0).rgb()); // series 3 over series 1
    EXPECT_EQ(Output("stdout.txt"), "Графики  с 101 по 200 кадр\n"
                                    "Кадр\t102\n"
                                    "1\t4\t80мс\t40мс\t0мс\t25,60 ms\n"
                                    "2\t21\t1\t\t0\tНебыл\n"
                                    "3\t4\t80мс\t40мс\t0мс\t25,60 ms\n");
}

TEST_F(CliPlot, LegendFramesTheSamePictureAndPrintsTheSameTexts) {
    ASSERT_EQ(Plot("--legend --span 100 --series 0,21"), 0) << Output("stderr.txt");
    const std::string texts = Output("stdout.txt");
    SeriesChoices series;
    series[0] = {true, 0, QColor(0xFF, 0, 0)};
    series[1] = {true, 21, QColor(0, 0, 0xFF)};
    const QImage plot = Expected({1, 100, 50}, series), written = Written();
    int top = 1; // the window's picture stands whole below the legend
    while (top + plot.height() <= written.height() &&
           written.copy(8, top, plot.width(), plot.height()) != plot)
        ++top;
    EXPECT_LE(top + plot.height() + 20, written.height()) << "no plot, or no room for the ends";
    ASSERT_EQ(Plot("--span 100 --series 0,21"), 0);
    EXPECT_EQ(Output("stdout.txt"), texts);
}

TEST_F(CliPlot, RejectsValuesOutsideTheirRanges) {
    for (const char* options :
         {"--start 0", "--start 300", "--span 1", "--span 301", "--start 250 --span 52",
          "--cursor -1", "--span 10 --cursor 10", "--series 22", "--series -1", "--series x",
          "--series 1:12345", "--series 1:GG0000", "--series 0,1,2,3,4,5,6", "--series ,",
          "--khh 4", "--temperature 0", "--vozduh 6", "--span ten", "--start"}) {
        EXPECT_EQ(Plot(options), 2) << options;
        EXPECT_FALSE(Output("stderr.txt").empty()) << options;
        EXPECT_FALSE(fs::exists(File("out.png"))) << options;
    }
    EXPECT_EQ(Plot("--span 10 --cursor 10"), 2);
    EXPECT_NE(Output("stderr.txt").find("--cursor 10 вне пределов 0..9"), std::string::npos);

    document.frames.resize(1);
    std::ofstream(File("in.kvr"), std::ios::binary) << RecordingFileBytes(document);
    EXPECT_EQ(Plot(""), 2);
    EXPECT_NE(Output("stderr.txt").find("не меньше 2"), std::string::npos);
}

TEST_F(CliPlot, ReportsAnUnwritablePicture) {
    EXPECT_EQ(RunCli("plot \"" + File("in.kvr") + "\" \"" + File("no/such/dir/out.png") + "\""), 2);
}

} // namespace
} // namespace qv
