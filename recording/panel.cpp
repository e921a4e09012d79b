// The two-column text panel of one frame, the raw-bytes column beside it, and the check marks
// of the settings menus.
#include "recording/panel.h"

#include "recording/decoding.h"
#include "recording/frame_time.h"

namespace qv {
namespace {

std::string IdleAirLabel(int unit) {
    switch (unit) {
    case 1:
        return "3.А  Клапан ХХ(% от 255):";
    case 2:
        return "3.А  Клапан ХХ(% от 125):";
    case 3:
        return "3.А  Клапан ХХ(шаг):";
    }
    return "3.А  Клапан ХХ:";
}

std::string IntakeLabel(int kind) {
    switch (kind) {
    case 1:
        return "5.А  MAP в кПа:";
    case 2:
        return "5.А  MAP в мм.рт.ст.:";
    case 3:
        return "5.А  MAF в мс:";
    case 4:
        return "5.А  MAF в гр/сек:";
    case 5:
        return "5.А  Напряжение, В:";
    }
    return "5.А  Датчик на впуске:";
}

std::string CoolantLabel(int dependence) {
    switch (dependence) {
    case 1:
        return "6.А  Темпер.ОЖ(Прям.):";
    case 2:
        return "6.А  Темпер.ОЖ(Обр.):";
    }
    return "6.А  Темпер.ОЖ:";
}

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

    labels[1] = "1.А  Форсунки:";
    labels[2] = "2.А  Зажигание:";
    labels[3] = IdleAirLabel(settings.KHH);
    labels[4] = "4.А  Частота вращ.:";
    labels[5] = IntakeLabel(settings.Vozduh);
    labels[6] = CoolantLabel(settings.Temperature);
    labels[7] = "7.А  Дрос.заслонка:";
    labels[8] = "8.А  Скорость:";
    labels[9] = "9.А  Коррекция Л:";
    labels[10] = "10.А  Коррекция Пр:";
    for (int p = 1; p <= 10; ++p)
        values[p] = ParameterText(p, row.Analog[p - 1], settings, decimalSeparator);

    for (int f = 0; f < NamedFlagCount; ++f) {
        const FlagInfo& flag = NamedFlag(f);
        labels[11 + f] = flag.label;
        values[11 + f] = FlagBit(row, flag.byte, flag.bit) ? flag.on : flag.off;
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

SettingsMenuChecks DisplaySettingsChecks(const DisplaySettings& settings) {
    SettingsMenuChecks checks;
    checks.N16 = settings.KHH == 1;
    checks.N1251 = settings.KHH == 2;
    checks.N17 = settings.KHH == 3;
    checks.N21 = settings.Temperature == 1;
    checks.N22 = settings.Temperature == 2;
    checks.MAP2 = settings.Vozduh == 1;
    checks.MAP3 = settings.Vozduh == 2;
    checks.MAF31 = settings.Vozduh == 3;
    checks.MAF3 = settings.Vozduh == 4;
    checks.MAF2 = settings.Vozduh == 5;
    checks.N3S1 = settings.KHH == 1 && settings.Temperature == 1 && settings.Vozduh == 1;
    return checks;
}

} // namespace qv
