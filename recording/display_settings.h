#pragma once

namespace qv {

// The unit the idle-air valve is shown in. The numbers are those the settings file stores.
enum class IdleAirUnit : int { PercentOf255 = 1, PercentOf125 = 2, Steps = 3 };

// What the intake sensor measures and in which unit. The numbers are those the settings file
// stores.
enum class IntakeKind : int {
    MapKilopascal = 1,
    MapMillimetreMercury = 2,
    MafPeriodMs = 3,
    MafGramsPerSecond = 4,
    Volts = 5,
};

// How the coolant byte rises with the temperature: directly (t = raw) or inversely
// (t = 255 - raw). The numbers are those the settings file stores.
enum class CoolantDependence : int { Direct = 1, Inverse = 2 };

// The three choices that the conversion of raw bytes depends on. A number read from a settings
// file that names none of the listed choices is kept as it is: such a parameter is then shown
// without a value (the coolant reads inversely).
struct DisplaySettings {
    IdleAirUnit KHH = IdleAirUnit::PercentOf255;
    CoolantDependence Temperature = CoolantDependence::Direct;
    IntakeKind Vozduh = IntakeKind::MapKilopascal;

    bool operator==(const DisplaySettings&) const = default;
};

} // namespace qv
