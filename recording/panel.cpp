// The two-column text panel of one frame, the raw-bytes column beside it, and the check marks
// of the settings menus.
#include "recording/panel.h"

#include "recording/decoding.h"
#include "recording/frame_time.h"
#include "recording/parameter_table.h"

namespace qv {
namespace {

std::string Bits(const std::array<std::uint8_t, 8>& bits) {
    std::string text;
    for (std::uint8_t bit : bits) text += bit != 0 ? '1' : '0';
    return text;
}

} // namespace

PanelLines BuildPanel(const RecordingStore& store, int n, int length,
                      const DisplaySettings& settings, const std::string& decimalSeparator) {
    const FrameRow& row = store.Row(n);
    PanelLines panel;
    PanelColumn& labels = panel.labels;
    PanelColumn& values = panel.values;

    labels[0] = "Идентификатор:";
    values[0] = IdentifierText(row);

    for (int p = 1; p <= 10; ++p) {
        labels[p] = ParameterUnitOf(p, settings)->label;
        values[p] = ParameterText(store, n, p, settings, decimalSeparator);
    }

    for (int f = 0; f < NamedFlagCount; ++f) {
        labels[11 + f] = NamedFlag(f).label;
        values[11 + f] = FlagText(store, n, f);
    }

    labels[23] = "Что-то ещё";
    values[23] = row.EndFlag != 0 ? "есть" : "нет";
    labels[24] = "Кадр/Всего:";
    values[24] = std::to_string(n) + " / " + std::to_string(length);
    labels[25] = "Время:";
    values[25] = TimeOfDayText(row.FrameTime);
    return panel;
}

PanelColumn RawBytesColumn(const RecordingStore& store, int n) {
    const FrameRow& row = store.Row(n);
    PanelColumn column;
    for (int b = 1; b <= 10; ++b) column[b] = std::to_string(row.Analog[b - 1]);
    column[11] = Bits(row.Flags11);
    column[16] = Bits(row.Flags12);
    column[23] = row.EndFlag != 0 ? "1" : "0";
    return column;
}

} // namespace qv
