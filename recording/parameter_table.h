#pragma once

#include "recording/display_settings.h"

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
// the decoded export and the "Настройки" menu all read it from here. Each parameter has one table,
// one row per unit it can be shown in; a setting outside the listed ones gets a row of its own that
// has a label and a column name but (`valued` false) no value.
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

// The row of parameter p (1..10) for these settings; nullptr for p outside 1..10.
const ParameterUnit* ParameterUnitOf(int p, const DisplaySettings& settings);

// The caption that names parameter p (1..10) whatever its unit, in the big-font window;
// nullptr for p outside 1..10.
const char* BigFontCaptionOf(int p);

// The submenus of "Настройки" that choose a parameter's unit, in menu order, made from the
// tables: each item sets the parameter's choice to `value`, the number of its enum, which the
// settings file stores and the companion's options take.
struct UnitMenuItem {
    int value;
    const char* caption;
    bool separatorBefore;
};
struct UnitMenu {
    int parameter; // 3 idle air (KHH), 6 coolant (Temperature), 5 intake (Vozduh)
    const char* caption;
    std::vector<UnitMenuItem> items; // in menu order
};
const std::vector<UnitMenu>& UnitMenus();

// The number of the choice that `settings` hold for a parameter of UnitMenus (0 for another).
int UnitChoice(const DisplaySettings& settings, int parameter);
// `settings` with that choice set to `value`.
DisplaySettings WithUnitChoice(DisplaySettings settings, int parameter, int value);

} // namespace qv
