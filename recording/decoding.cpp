// What each byte and bit of a frame means: conversions, units and flag words.
//
// Every conversion is kept as an exact fraction built from the decimal constants, in the order
// the conversion is defined (a division of the raw byte, then a product), so that a value that
// is exactly a decimal half is shown rounded away from zero rather than at the mercy of binary
// floating point.
#include "recording/decoding.h"

#include <array>
#include <limits>

namespace qv {
namespace {

// One linear piece of the coolant curve: (slope * (t - from) + intercept) / 100 degrees.
struct CoolantSegment {
    int from;
    long long slope;     // hundredths of a degree per count
    long long intercept; // hundredths of a degree at t = from
};

// The first piece is 2 × (t − 5) − 60 = 2t − 70 on whole degrees.
constexpr std::array<CoolantSegment, 10> CoolantSegments{{
    {0, 200, -7000},
    {15, 83, -4000},
    {39, 47, -2000},
    {82, 38, 0},
    {135, 44, 2000},
    {180, 67, 4000},
    {210, 111, 6000},
    {228, 211, 8000},
    {237, 383, 9900},
    {243, 980, 12200},
}};

ExactValue CoolantExact(int t) {
    const CoolantSegment* segment = &CoolantSegments.front();
    for (const CoolantSegment& s : CoolantSegments)
        if (t >= s.from) segment = &s;
    return {segment->slope * (t - segment->from) + segment->intercept, 100};
}

} // namespace

std::optional<ExactValue> UnitValue(const ParameterUnit& unit, std::uint8_t raw) {
    if (!unit.valued) return std::nullopt;
    const Conversion& c = unit.conversion;
    switch (c.kind) {
    case Conversion::Kind::CoolantDirect:
        return CoolantExact(raw);
    case Conversion::Kind::CoolantInverse:
        return CoolantExact(255 - raw);
    case Conversion::Kind::Linear:
        break;
    }
    return ExactValue{c.mul * raw + c.add, c.den};
}

std::uint8_t ParameterByte(const FrameRow& row, int p) {
    return DataByte(row, ParameterOf(p).byte);
}

std::optional<ExactValue> ParameterExact(int p, std::uint8_t raw, const DisplaySettings& settings) {
    const ParameterUnit* unit = ParameterUnitOf(p, settings);
    if (!unit) return std::nullopt;
    return UnitValue(*unit, raw);
}

long double ParameterValue(int p, std::uint8_t raw, const DisplaySettings& settings) {
    const auto exact = ParameterExact(p, raw, settings);
    if (!exact) return std::numeric_limits<long double>::quiet_NaN();
    return static_cast<long double>(exact->num) / static_cast<long double>(exact->den);
}

std::string ParameterNumberText(int p, std::uint8_t raw, const DisplaySettings& settings,
                                const std::string& decimalSeparator) {
    const ParameterUnit* unit = ParameterUnitOf(p, settings);
    const auto exact = unit ? UnitValue(*unit, raw) : std::nullopt;
    if (!exact) return {};
    return FixedText(*exact, unit->panel.P, unit->panel.D, decimalSeparator);
}

std::string ParameterText(int p, std::uint8_t raw, const DisplaySettings& settings,
                          const std::string& decimalSeparator) {
    const std::string number = ParameterNumberText(p, raw, settings, decimalSeparator);
    return number.empty() ? number : number + ParameterUnitOf(p, settings)->panel.unit;
}

std::string ParameterText(const RecordingStore& store, int n, int p,
                          const DisplaySettings& settings, const std::string& decimalSeparator) {
    if (p < 1 || p > ParameterCount) return {};
    return ParameterText(p, ParameterByte(store.Row(n), p), settings, decimalSeparator);
}

bool FlagBit(const FrameRow& row, int byte, int bit) {
    if (bit < 0 || bit >= SamplesPerByte || byte <= AnalogByteCount || byte > DataByteCount)
        return false;
    return FlagByteBits(row, byte)[static_cast<std::size_t>(bit)] != 0;
}

std::string FlagText(const RecordingStore& store, int n, int flagIndex) {
    const FlagInfo& flag = NamedFlag(flagIndex);
    return FlagBit(store.Row(n), flag.byte, flag.bit) ? flag.on : flag.off;
}

std::string IdentifierText(const FrameRow& row) {
    return SamplesText(row.Identifier);
}

} // namespace qv
