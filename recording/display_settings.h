#pragma once

namespace qv {

// The three choices that the conversion of raw bytes depends on.
struct DisplaySettings {
    int KHH = 1;         // idle-air valve unit: 1 % of 255, 2 % of 125, 3 steps
    int Temperature = 1; // coolant dependence: 1 direct, 2 inverse (t = 255 - raw)
    int Vozduh = 1;      // intake sensor: 1 MAP kPa, 2 MAP mm Hg, 3 MAF ms, 4 MAF g/s, 5 volts

    bool operator==(const DisplaySettings&) const = default;
};

} // namespace qv
