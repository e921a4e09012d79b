// The parameters: one table of units each, one row per unit a parameter can be shown in, and
// the table of parameters, which gives each its byte, its big-font caption and its units.
// Adding a unit means adding a row here (and its choice to DisplaySettings); adding a
// parameter, its units and a row of the table of parameters.
#include "recording/parameter_table.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace qv {
namespace {

using Kind = Conversion::Kind;
using Rounding = PixelFormula::Rounding;

constexpr Conversion Linear(long long mul, long long add, long long den) {
    return {Kind::Linear, mul, add, den};
}

// 199 - b: one pixel a count.
constexpr PixelFormula ByteHigh{199, 1, 0, 1};
// ⌈199 - b / 1.28⌉
constexpr PixelFormula ByteOver128{0, 100, -199 * 128, 128, Rounding::Down};

// One row a unit, its fields in the order of ParameterUnit.
// clang-format off
constexpr ParameterUnit Injection{"1.А  Форсунки:", "injection_ms", true, Linear(125, 0, 1000),
    {4, 3, " мс."}, {4, 3, " мс."}, {199, 83, 0, 100}, {"30мс", "15мс", "0мс"}};

constexpr ParameterUnit Ignition{"2.А  Зажигание:", "ignition_deg", true, Linear(47, -3000, 100),
    {3, 1, " град."}, {3, 1, " град."}, {99, 47, -3000, 100}, {"100гр", "0гр", "-100гр"}};

// Indexed by IdleAirUnit; row 0 for a unit outside the listed ones.
constexpr std::array<ParameterUnit, 4> IdleAir{{
    {"3.А  Клапан ХХ:", "idle_air", false, {}, {}, {}, {}, {}},
    {"3.А  Клапан ХХ(% от 255):", "idle_air_pct_of_255", true, Linear(100, 0, 255),
     {3, 1, " %"}, {3, 1, " %"}, ByteOver128, {"100", "50", "0"}, {"% от 255", 1}},
    {"3.А  Клапан ХХ(% от 125):", "idle_air_pct_of_125", true, Linear(100, 0, 125),
     {3, 1, " %"}, {3, 1, " %"}, {0, 16, -1990, 10, Rounding::Down}, {"100", "50", "0"},
     {"% от 125", 2}},
    {"3.А  Клапан ХХ(шаг):", "idle_air_steps", true, Linear(1, 0, 1),
     {3, 0, " шаг"}, {3, 0, " шаг"}, ByteOver128, {"255", "127", "0"}, {"Шаг", 3}},
}};

constexpr ParameterUnit EngineSpeed{"4.А  Частота вращ.:", "rpm", true, Linear(25, 0, 1),
    {4, 0, " об/м"}, {4, 0, " об/м"}, {0, 1, -398, 2, Rounding::Down}, {"10000", "5000", "0"}};

// Indexed by IntakeKind; row 0 for a kind outside the listed ones. The graph shows some kinds
// with formats and units of its own.
constexpr std::array<ParameterUnit, 6> Intake{{
    {"5.А  Датчик на впуске:", "intake", false, {}, {}, {}, {}, {}},
    {"5.А  MAP в кПа:", "map_kPa", true, Linear(1000, 0, 1535),
     {3, 1, " kPa"}, {3, 1, " kPa"}, ByteHigh, {"133кПа", "66кПа", "0кПа"},
     {"MAP давление, кПа", 1}},
    {"5.А  MAP в мм.рт.ст.:", "map_mmHg", true, Linear(4886, 0, 1000),
     {4, 0, " мм.рт.ст."}, {4, 0, " мм"}, ByteHigh, {"1000мм", "500мм", "0мм"},
     {"MAP давление, мм.рт.ст.", 2}},
    {"5.А  MAF в мс:", "maf_period_ms", true, Linear(256, 0, 1000),
     {4, 1, " мс"}, {3, 2, " ms"}, {0, 64, -19900, 100, Rounding::Down}, {"80мс", "40мс", "0мс"},
     {"MAF поток KS,       мс", 4}},
    // The panel's "C" is Latin, the graph's "С" Cyrillic.
    {"5.А  MAF в гр/сек:", "maf_g_s", true, Linear(2, 0, 1),
     {3, 1, " гр/C"}, {4, 1, " г/С"}, ByteHigh, {"400г/С", "200г/С", "0г/С"},
     {"MAF массовый расход, гр/сек", 3, true}},
    {"5.А  Напряжение, В:", "intake_V", true, Linear(5, 0, 255),
     {3, 2, " В"}, {3, 1, " В"}, ByteOver128, {"5", "2,5", "0"},
     {"Напряжение на датчике, В", 5, true}},
}};

// Indexed by CoolantDependence; row 0 for a dependence outside the listed ones, which reads
// inversely. The graph puts 0 °C at y = 149.
constexpr PixelFormula CoolantPixel{149, 1, 0, 1, Rounding::Up, true};
constexpr ScaleTexts CoolantScale{"150С", "50С", "-50С"};
constexpr std::array<ParameterUnit, 3> Coolant{{
    {"6.А  Темпер.ОЖ:", "coolant_C", true, {Kind::CoolantInverse},
     {3, 1, " град.С"}, {3, 1, " град.С"}, CoolantPixel, CoolantScale},
    {"6.А  Темпер.ОЖ(Прям.):", "coolant_C", true, {Kind::CoolantDirect},
     {3, 1, " град.С"}, {3, 1, " град.С"}, CoolantPixel, CoolantScale, {"Прямая", 1}},
    {"6.А  Темпер.ОЖ(Обр.):", "coolant_C", true, {Kind::CoolantInverse},
     {3, 1, " град.С"}, {3, 1, " град.С"}, CoolantPixel, CoolantScale, {"Обратная", 2}},
}};

constexpr ParameterUnit Throttle{"7.А  Дрос.заслонка:", "throttle_deg", true, Linear(1, 0, 2),
    {3, 1, " град."}, {3, 1, " град."}, ByteHigh, {"100гр", "50гр", "0гр"}};

constexpr ParameterUnit Speed{"8.А  Скорость:", "speed_kmh", true, Linear(1, 0, 1),
    {3, 0, " км/ч"}, {3, 0, " км/ч"}, ByteHigh, {"200км/ч", "100км/ч", "0км/ч"}};

// The lambda corrections, 0..5 V in 256 steps; their unit follows the number without a blank.
constexpr PixelFormula CorrectionPixel{199, 100, 0, 128};
constexpr ParameterUnit CorrectionLeft{"9.А  Коррекция Л:", "correction_left_V", true,
    Linear(5, 0, 256), {3, 2, "В"}, {3, 2, "В"}, CorrectionPixel, {"5В", "2,5В", "0В"}};
constexpr ParameterUnit CorrectionRight{"10.А  Коррекция Пр:", "correction_right_V", true,
    Linear(5, 0, 256), {3, 2, "В"}, {3, 2, "В"}, CorrectionPixel, {"5В", "2,5В", "0В"}};
// clang-format on

// The field of DisplaySettings that holds a choice, read and written as its enum's number.
template <auto Field> int ChoiceOf(const DisplaySettings& settings) {
    return static_cast<int>(settings.*Field);
}
template <auto Field> void SetChoice(DisplaySettings& settings, int value) {
    settings.*Field = static_cast<std::remove_cvref_t<decltype(settings.*Field)>>(value);
}
template <auto Field> constexpr UnitSetting::Field FieldOf{&ChoiceOf<Field>, &SetChoice<Field>};

// In the order of the submenus.
constexpr UnitSetting UnitSettingsTable[] = {
    {3, FieldOf<&DisplaySettings::KHH>, "Единица клапана ХХ", "KHH", 3, "--khh", "K"},
    {6, FieldOf<&DisplaySettings::Temperature>, "Температурная зависимость", "Temperature", 2,
     "--temperature", "T"},
    {5, FieldOf<&DisplaySettings::Vozduh>, "Тип измерителя на впуске", "Vozduh", 1, "--vozduh",
     "V"},
};

constexpr std::span<const ParameterUnit> One(const ParameterUnit& unit) {
    return {&unit, 1};
}

// Parameter p is row p - 1, read from data byte `byte`.
constexpr std::array<Parameter, ParameterCount> Parameters{{
    {1, "Впрыск:", One(Injection)},
    {2, "Зажигание:", One(Ignition)},
    {3, "Клапан ХХ:", IdleAir},
    {4, "Обороты:", One(EngineSpeed)},
    {5, "MAP/MAF:", Intake},
    {6, "Темп.ОЖ:", Coolant},
    {7, "Дрос.засл:", One(Throttle)},
    {8, "Скорость:", One(Speed)},
    {9, "Коррекция Л:", One(CorrectionLeft)},
    {10, "Коррекция Пр:", One(CorrectionRight)},
}};
static_assert(std::ranges::all_of(Parameters, [](const Parameter& p) { return p.byte != 0; }),
              "ParameterCount counts the rows of Parameters");

const UnitSetting* UnitSettingOf(int parameter) {
    for (const UnitSetting& setting : UnitSettingsTable)
        if (setting.parameter == parameter) return &setting;
    return nullptr;
}

// The menu items of a parameter's units, in menu order; row i sets the choice i.
std::vector<UnitMenuItem> MenuItems(std::span<const ParameterUnit> units) {
    std::vector<const ParameterUnit*> rows;
    for (const ParameterUnit& row : units)
        if (row.menu.caption) rows.push_back(&row);
    std::sort(rows.begin(), rows.end(), [](const ParameterUnit* a, const ParameterUnit* b) {
        return a->menu.place < b->menu.place;
    });
    std::vector<UnitMenuItem> items;
    for (const ParameterUnit* row : rows)
        items.push_back(
            {static_cast<int>(row - units.data()), row->menu.caption, row->menu.separatorBefore});
    return items;
}

} // namespace

const Parameter& ParameterOf(int p) {
    if (p < 1 || p > ParameterCount) throw std::out_of_range("parameter " + std::to_string(p));
    return Parameters[static_cast<std::size_t>(p - 1)];
}

std::span<const UnitSetting> UnitSettings() {
    return UnitSettingsTable;
}

const ParameterUnit* ParameterUnitOf(int p, const DisplaySettings& settings) {
    if (p < 1 || p > ParameterCount) return nullptr;
    const std::span<const ParameterUnit> units = ParameterOf(p).units;
    const int choice = UnitChoice(settings, p);
    return &units[choice >= 1 && choice < static_cast<int>(units.size())
                      ? static_cast<std::size_t>(choice)
                      : 0];
}

const std::vector<UnitMenu>& UnitMenus() {
    static const std::vector<UnitMenu> menus = [] {
        std::vector<UnitMenu> made;
        for (const UnitSetting& setting : UnitSettingsTable)
            made.push_back(
                {setting.parameter, setting.menu, MenuItems(ParameterOf(setting.parameter).units)});
        return made;
    }();
    return menus;
}

int UnitChoice(const DisplaySettings& settings, int parameter) {
    const UnitSetting* setting = UnitSettingOf(parameter);
    return setting ? setting->field.get(settings) : 0;
}

DisplaySettings WithUnitChoice(DisplaySettings settings, int parameter, int value) {
    if (const UnitSetting* setting = UnitSettingOf(parameter)) setting->field.set(settings, value);
    return settings;
}

} // namespace qv
