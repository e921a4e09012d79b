#pragma once

#include "recording/display_settings.h"

#include <span>
#include <vector>

namespace qv {

// How a raw byte becomes a value: (mul * raw + add) / den exactly, or the coolant curve read at
// t = raw (direct) or t = 255 - raw (inverse).
struct Conversion {
    enum class Kind { Linear, CoolantDirect, CoolantInverse };
    Kind kind = Kind::Linear;
    long long mul = 1;
    long long add = 0;
    long long den = 1;
};

// A number shown rounded to the coarser of P significant digits or D decimals, then its unit.
struct NumberFormat {
    int P;
    int D;
    const char* unit;
};

// The graph's pixel row: y = base - round((mul * x + add) / den), rounded up or down, where x
// is the raw byte, or the parameter's value when `ofValue`.
struct PixelFormula {
    enum class Rounding { Up, Down };
    int base;
    long long mul;
    long long add;
    long long den;
    Rounding rounding = Rounding::Up;
    bool ofValue = false;
};

// The graph's three scale texts: at the top, on the middle grid line, at the bottom.
struct ScaleTexts {
    const char* top;
    const char* mid;
    const char* bottom;
};

// Where a unit stands in its submenu of "Настройки": the item's caption, its place among the
// submenu's items (1 first) and whether a separator line stands before it. No caption for a
// parameter shown in one unit only, nor for the row of a setting outside the listed ones.
struct MenuPlace {
    const char* caption = nullptr;
    int place = 0;
    bool separatorBefore = false;
};

// Everything that depends on a parameter and the unit it is shown in: the panel, the graph,
// the decoded export and the "Настройки" menu all read it from here. A parameter shown in one
// unit has one row; a parameter whose unit the user chooses has row i for choice i and row 0,
// with a label and a column name but (`valued` false) no value, for a choice outside those.
struct ParameterUnit {
    const char* label;  // the panel's label
    const char* column; // the decoded export's column
    bool valued;
    Conversion conversion;
    NumberFormat panel; // the panel's number and unit
    NumberFormat graph; // the graph's value at the cursor
    PixelFormula pixel;
    ScaleTexts scale;
    MenuPlace menu{};
};

// One parameter: the data byte it is read from, the caption that names it whatever its unit
// (in the big-font window) and its units.
struct Parameter {
    int byte; // 1..12
    const char* bigFontCaption;
    std::span<const ParameterUnit> units;
};

// The parameters, numbered 1..ParameterCount: the panel shows parameter p in row p, the graph
// offers it as series row p - 1, the big-font window in its row p, the export in its column.
constexpr int ParameterCount = 10;
// Parameter p (1..ParameterCount); throws std::out_of_range for another p.
const Parameter& ParameterOf(int p);

// How the user chooses the unit of a parameter shown in several: the field of DisplaySettings
// that holds the choice as the number of its enum (which the settings file stores and the
// companion's option takes), the submenu of "Настройки", the settings file's key and the
// companion's option.
struct UnitSetting {
    int parameter;
    struct Field {
        int (*get)(const DisplaySettings&);
        void (*set)(DisplaySettings&, int);
    } field;
    const char* menu;
    const char* key;
    int keyOrder; // the place of the key among the unit keys of the settings file, 1 first
    const char* option;
    const char* optionValue; // the option value's name in the companion's usage
};
// The unit settings, in the order of the submenus of "Настройки".
std::span<const UnitSetting> UnitSettings();

// The row of parameter p (1..ParameterCount) for these settings; nullptr for another p.
const ParameterUnit* ParameterUnitOf(int p, const DisplaySettings& settings);

// The submenus of "Настройки" that choose a parameter's unit, in menu order, made from the
// tables: each item sets the parameter's choice to `value`, the number of its enum.
struct UnitMenuItem {
    int value;
    const char* caption;
    bool separatorBefore;
};
struct UnitMenu {
    int parameter;
    const char* caption;
    std::vector<UnitMenuItem> items; // in menu order
};
const std::vector<UnitMenu>& UnitMenus();

// The number of the choice that `settings` hold for a parameter of UnitSettings (0 for another).
int UnitChoice(const DisplaySettings& settings, int parameter);
// `settings` with that choice set to `value`.
DisplaySettings WithUnitChoice(DisplaySettings settings, int parameter, int value);

} // namespace qv
