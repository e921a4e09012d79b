// quintovar-cli plot: the picture of the graph window for a span of a recording, drawn by the
// same code as the window.
#include "base/parse_integer.h"
#include "cli/commands.h"
#include "cli/file_command.h"
#include "ui/render/graph_picture.h"
#include "ui/render/labelled_picture.h"

#include <QGuiApplication>
#include <QImage>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv::cli {
namespace {

// Series 1..6 take these colours unless the list names one.
const QColor DefaultColours[GraphSeriesCount] = {
    QColor(0xFF, 0x00, 0x00), QColor(0x00, 0x00, 0xFF), QColor(0x00, 0x80, 0x00),
    QColor(0xFF, 0x00, 0xFF), QColor(0xFF, 0x80, 0x00), QColor(0x00, 0x80, 0x80),
};
constexpr const char* DefaultSeries = "0,3,5"; // injection, engine speed, coolant

int Fail(const std::string& message) {
    PrintProblem("plot", message);
    return 2;
}

bool ParseColour(const std::string& text, QColor& colour) {
    if (text.size() != 6) return false;
    for (const char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    const unsigned long rgb = std::stoul(text, nullptr, 16);
    colour = QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                    static_cast<int>(rgb & 0xFF));
    return true;
}

// "k" or "k:RRGGBB", comma-separated, at most six; an empty string on success, else the reason.
std::string ParseSeries(const std::string& list, SeriesChoices& series) {
    std::vector<std::string> items;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t comma = list.find(',', begin);
        items.push_back(list.substr(begin, comma - begin));
        if (comma == std::string::npos) break;
        begin = comma + 1;
    }
    if (items.size() > static_cast<std::size_t>(GraphSeriesCount))
        return "--series: можно не больше 6 графиков, а указано " + std::to_string(items.size());
    for (std::size_t n = 0; n < items.size(); ++n) {
        const std::string& item = items[n];
        const std::size_t colon = item.find(':');
        const auto k = ParseInteger(item.substr(0, colon));
        if (!k || *k < 0 || *k >= SeriesRowCount)
            return "--series: «" + item + "» — номер должен быть 0..21";
        series[n] = {true, *k, DefaultColours[n]};
        if (colon != std::string::npos && !ParseColour(item.substr(colon + 1), series[n].colour))
            return "--series: «" + item + "» — цвет должен быть RRGGBB, шестнадцатеричный";
    }
    return {};
}

struct RangeCheck {
    const char* name;
    int value;
    int low;
    int high;
};

std::string OutOfRange(const RangeCheck& check) {
    if (check.value >= check.low && check.value <= check.high) return {};
    return std::string(check.name) + " " + std::to_string(check.value) + " вне пределов " +
           std::to_string(check.low) + ".." + std::to_string(check.high);
}

void PrintLabels(std::FILE* out, const GraphFrameSpan& view, const SeriesChoices& series,
                 const SeriesTextSet& labels) {
    std::fprintf(out, "%s\n", GraphCaption(view.first, view.span).toStdString().c_str());
    std::fprintf(out, "Кадр\t%d\n", view.first + view.cursor);
    for (int n = 0; n < GraphSeriesCount; ++n) {
        if (!series[n].on) continue;
        const SeriesTexts& l = labels[n];
        std::fprintf(out, "%d\t%d\t%s\t%s\t%s\t%s\n", n + 1, series[n].k,
                     l.top.toStdString().c_str(), l.mid.toStdString().c_str(),
                     l.bottom.toStdString().c_str(), l.value.toStdString().c_str());
    }
}

// The picture goes to a PNG file or to standard output.
bool IsPictureName(const std::string& name) {
    if (name == "-") return true;
    std::string end = name.size() >= 4 ? name.substr(name.size() - 4) : std::string();
    for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".png";
}

// Texts are drawn in the platform's fonts, which Qt reaches only through an application object;
// the window-less platform is enough (on Windows it reads the fonts from the system's folder).
std::unique_ptr<QGuiApplication> ApplicationForTexts() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", qgetenv("SystemRoot") + "\\Fonts");
#endif
    // Its notes on the session (no runtime folder and the like) are not the command's output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "quintovar-cli plot: %s\n", text.toUtf8().constData());
    });
    static int argc = 1;
    static char name[] = "quintovar-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The picture with its legend and the span's ends, in the program's 13-pixel font.
QImage Labelled(const QImage& plot, const RecordingStore& store, const GraphFrameSpan& view,
                const SeriesChoices& series, const DisplaySettings& settings) {
    const auto application = ApplicationForTexts();
    QFont font = QGuiApplication::font();
    font.setPixelSize(13);
    return LabelledPicture(
        plot, GraphPictureTexts(store, view.first, view.span, LegendOf(series), settings), font);
}

} // namespace

const CommandSyntax& PlotSyntax() {
    static const CommandSyntax syntax = [] {
        CommandSyntax plot{
            "plot",
            "IN.kvr OUT.png|-",
            2,
            2,
            {NumberOption("--start", "S", INT_MIN, INT_MAX, "первый кадр отрезка; по умолчанию 1"),
             NumberOption("--span", "N", INT_MIN, INT_MAX,
                          "число кадров отрезка, не меньше 2; по умолчанию до конца записи"),
             NumberOption("--cursor", "C", INT_MIN, INT_MAX,
                          "курсор: кадр отрезка от 0 до N-1; по умолчанию середина, ⌈N/2⌉"),
             TextOption("--series", "LIST",
                        "до шести графиков через запятую, каждый k или k:RRGGBB, где k — номер\n"
                        "в списках окна: 0..9 параметры 1–10, 10..21 двенадцать флагов в порядке\n"
                        "панели; по умолчанию 0,3,5 (впрыск, обороты, температура)"),
             FlagOption("--legend",
                        "картинка с подписями: над графиком названия, единицы, шкалы и цвета\n"
                        "графиков, под ним номера и время первого и последнего кадра")},
            "Рисует картинку окна «Графики» (601 × 201, PNG) для отрезка записи кодом самого окна\n"
            "и печатает заголовок окна, кадр курсора и тексты шкал и значений каждого графика\n"
            "(в stderr, когда картинка идёт в стандартный вывод, OUT — -)."};
        for (const OptionRule& option : DisplayOptions()) plot.options.push_back(option);
        return plot;
    }();
    return syntax;
}

int RunPlot(int argc, char** argv) {
    const CommandSyntax& syntax = PlotSyntax();
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const std::string& in = arguments->positional[0];
    const std::string& out = arguments->positional[1];
    if (!IsPictureName(out))
        return Fail("«" + out + "» — картинка пишется в файл .png или в стандартный вывод (-)");
    const DisplaySettings settings = DisplaySettingsFrom(*arguments);
    SeriesChoices series;
    if (const std::string error = ParseSeries(arguments->Text("--series", DefaultSeries), series);
        !error.empty())
        return Fail(error);

    RecordingDocument document;
    if (!LoadForCommand(syntax.name, in, document)) return 2;
    const int length = document.Length();
    if (length < 2) return Fail("в записи 1 кадр, а графику нужно не меньше 2");
    GraphFrameSpan view;
    view.first = static_cast<int>(arguments->Number("--start", 1));
    if (const std::string error = OutOfRange({"--start", view.first, 1, length - 1});
        !error.empty())
        return Fail(error);
    view.span = static_cast<int>(arguments->Number("--span", length - view.first + 1));
    if (const std::string error = OutOfRange({"--span", view.span, 2, length - view.first + 1});
        !error.empty())
        return Fail(error);
    view.cursor = static_cast<int>(arguments->Number("--cursor", (view.span + 1) / 2));
    if (const std::string error = OutOfRange({"--cursor", view.cursor, 0, view.span - 1});
        !error.empty())
        return Fail(error);

    auto store = std::make_unique<RecordingStore>();
    ApplyToStore(document, *store);
    GraphRenderer renderer;
    const SeriesTextSet labels = RedrawPicture(renderer, *store, view, series, settings, ",");
    const std::string png =
        PngBytes(arguments->Has("--legend")
                     ? Labelled(renderer.GraphBitmap(), *store, view, series, settings)
                     : renderer.GraphBitmap());
    if (png.empty()) return Fail("не удалось закодировать картинку в PNG");
    if (const int status = WriteOutput(syntax.name, in, out, png); status != 0) return status;
    // With the picture on standard output the texts go to stderr, beside it.
    PrintLabels(out == "-" ? stderr : stdout, view, series, labels);
    return 0;
}

} // namespace qv::cli
