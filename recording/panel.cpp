// The two-column text panel of one frame and the raw-bytes column beside it.
#include "recording/panel.h"

#include "recording/decoding.h"
#include "recording/frame_time.h"

namespace qv {

PanelLines BuildPanel(const RecordingStore& store, int n, int length,
                      const DisplaySettings& settings, const std::string& decimalSeparator) {
    const FrameRow& row = store.Row(n);
    PanelLines panel;
    PanelColumn& labels = panel.labels;
    PanelColumn& values = panel.values;

    labels[IdentifierRow] = "Идентификатор:";
    values[IdentifierRow] = IdentifierText(row);

    for (int p = 1; p <= ParameterCount; ++p) {
        labels[p] = ParameterUnitOf(p, settings)->label;
        values[p] = ParameterText(store, n, p, settings, decimalSeparator);
    }

    for (int f = 0; f < NamedFlagCount; ++f) {
        labels[FirstFlagRow + f] = NamedFlag(f).label;
        values[FirstFlagRow + f] = FlagText(store, n, f);
    }

    labels[EndFlagRow] = "Что-то ещё";
    values[EndFlagRow] = row.EndFlag != 0 ? "есть" : "нет";
    labels[FrameNumberRow] = "Кадр/Всего:";
    values[FrameNumberRow] = std::to_string(n) + " / " + std::to_string(length);
    labels[TimeRow] = "Время:";
    values[TimeRow] = TimeOfDayText(row.FrameTime);
    return panel;
}

PanelColumn RawBytesColumn(const RecordingStore& store, int n) {
    const FrameRow& row = store.Row(n);
    PanelColumn column;
    for (int p = 1; p <= ParameterCount; ++p) column[p] = std::to_string(ParameterByte(row, p));
    // The named flags are in byte order: a byte's bits stand beside the first flag of the byte.
    for (int f = 0; f < NamedFlagCount; ++f) {
        const int byte = NamedFlag(f).byte;
        if (f == 0 || NamedFlag(f - 1).byte != byte)
            column[FirstFlagRow + f] = SamplesText(FlagByteBits(row, byte));
    }
    column[EndFlagRow] = row.EndFlag != 0 ? "1" : "0";
    return column;
}

} // namespace qv
