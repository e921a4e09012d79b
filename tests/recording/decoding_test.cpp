#include "recording/decoding.h"

#include "reference_parameters.h"
#include "settings_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace qv {
namespace {

using test::Fraction;
using test::Reference;
using test::ReferenceFixed;

void CheckEveryByte(int p, const DisplaySettings& s) {
    for (int x = 0; x <= 255; ++x) {
        const auto raw = static_cast<std::uint8_t>(x);
        const auto expected = Reference(p, x, s);
        const std::string text = ParameterText(p, raw, s, ",");
        const auto exact = ParameterExact(p, raw, s);
        SCOPED_TRACE("p " + std::to_string(p) + " byte " + std::to_string(x) + " settings " +
                     std::to_string(int(s.KHH)) + "/" + std::to_string(int(s.Temperature)) + "/" +
                     std::to_string(int(s.Vozduh)));
        if (!expected) {
            EXPECT_EQ(text, "");
            EXPECT_FALSE(exact.has_value());
            continue;
        }
        EXPECT_EQ(text,
                  ReferenceFixed(expected->value, expected->P, expected->D, ",") + expected->unit);
        ASSERT_TRUE(exact.has_value());
        EXPECT_EQ(Fraction(exact->num, exact->den).num, expected->value.num);
        EXPECT_EQ(Fraction(exact->num, exact->den).den, expected->value.den);
    }
}

TEST(ParameterDecoding, EveryByteOfTheFixedParameters) {
    for (int p : {1, 2, 4, 7, 8, 9, 10}) CheckEveryByte(p, DisplaySettings{});
}

TEST(ParameterDecoding, EveryByteOfIdleAirUnderEveryUnit) {
    for (int unit = -1; unit <= 5; ++unit) CheckEveryByte(3, SettingsOf(unit, 1, 1));
}

TEST(ParameterDecoding, EveryByteOfIntakeUnderEveryKind) {
    for (int kind = -1; kind <= 7; ++kind) CheckEveryByte(5, SettingsOf(1, 1, kind));
}

TEST(ParameterDecoding, EveryByteOfCoolantUnderEveryDependence) {
    // Any dependence other than 1 reads the byte inverted.
    for (int dependence = -1; dependence <= 4; ++dependence)
        CheckEveryByte(6, SettingsOf(1, dependence, 1));
}

TEST(ParameterDecoding, OtherSettingsDoNotAffectAParameter) {
    const DisplaySettings odd = SettingsOf(3, 2, 4);
    for (int p : {1, 2, 4, 7, 8, 9, 10})
        for (int x = 0; x <= 255; x += 17)
            EXPECT_EQ(ParameterText(p, static_cast<std::uint8_t>(x), odd, ","),
                      ParameterText(p, static_cast<std::uint8_t>(x), DisplaySettings{}, ","));
}

struct ShownText {
    int p;
    int setting; // KHH, Vozduh or Temperature as the parameter needs; 0 when none applies
    int raw;
    const char* text;
};

DisplaySettings SettingsFor(int p, int setting) {
    DisplaySettings s;
    if (p == 3) s.KHH = IdleAirUnit(setting);
    if (p == 5) s.Vozduh = IntakeKind(setting);
    if (p == 6) s.Temperature = CoolantDependence(setting);
    return s;
}

TEST(ParameterDecoding, TableOfShownTexts) {
    const ShownText cases[] = {
        {1, 0, 0, "0,000 мс."},       {1, 0, 1, "0,125 мс."},
        {1, 0, 80, "10,000 мс."},     {1, 0, 255, "31,880 мс."},
        {2, 0, 0, "-30,0 град."},     {2, 0, 64, "0,1 град."},
        {2, 0, 100, "17,0 град."},    {3, 1, 255, "100,0 %"},
        {3, 2, 250, "200,0 %"},       {3, 3, 37, "37 шаг"},
        {4, 0, 32, "800 об/м"},       {4, 0, 255, "6375 об/м"},
        {5, 1, 100, "65,1 kPa"},      {5, 1, 154, "100,0 kPa"},
        {5, 2, 154, "752 мм.рт.ст."}, {5, 2, 255, "1246 мм.рт.ст."},
        {5, 3, 100, "25,6 мс"},       {5, 3, 255, "65,3 мс"},
        {5, 4, 100, "200,0 гр/C"},    {5, 5, 255, "5,00 В"},
        {5, 5, 128, "2,51 В"},        {6, 1, 0, "-70,0 град.С"},
        {6, 1, 14, "-42,0 град.С"},   {6, 1, 15, "-40,0 град.С"},
        {6, 1, 81, "-0,3 град.С"},    {6, 1, 82, "0,0 град.С"},
        {6, 1, 135, "20,0 град.С"},   {6, 1, 180, "40,0 град.С"},
        {6, 1, 228, "80,0 град.С"},   {6, 1, 242, "118,0 град.С"},
        {6, 1, 243, "122,0 град.С"},  {6, 1, 255, "240,0 град.С"},
        {6, 2, 255, "-70,0 град.С"},  {7, 0, 40, "20,0 град."},
        {7, 0, 255, "128,0 град."},   {8, 0, 0, "0 км/ч"},
        {9, 0, 0, "0,00В"},           {9, 0, 128, "2,50В"},
        {10, 0, 255, "4,98В"},
    };
    for (const ShownText& c : cases)
        EXPECT_EQ(
            ParameterText(c.p, static_cast<std::uint8_t>(c.raw), SettingsFor(c.p, c.setting), ","),
            c.text)
            << "p " << c.p << " raw " << c.raw;
}

// Bytes whose exact value is a decimal half at the shown precision: they round away from zero.
TEST(ParameterDecoding, ExactHalvesRoundAwayFromZero) {
    const ShownText cases[] = {
        {2, 0, 5, "-27,7 град."},    {2, 0, 35, "-13,6 град."},   {2, 0, 55, "-4,2 град."},
        {2, 0, 65, "0,6 град."},     {2, 0, 105, "19,4 град."},   {2, 0, 115, "24,1 град."},
        {2, 0, 155, "42,9 град."},   {2, 0, 185, "57,0 град."},   {2, 0, 205, "66,4 град."},
        {2, 0, 235, "80,5 град."},   {2, 0, 255, "89,9 град."},   {6, 1, 20, "-35,9 град.С"},
        {6, 1, 30, "-27,6 град.С"},  {6, 1, 44, "-17,7 град.С"},  {6, 1, 54, "-13,0 град.С"},
        {6, 1, 74, "-3,6 град.С"},   {6, 1, 185, "43,4 град.С"},  {6, 1, 195, "50,1 град.С"},
        {6, 2, 235, "-35,9 град.С"}, {6, 2, 225, "-27,6 град.С"}, {6, 2, 211, "-17,7 град.С"},
        {6, 2, 201, "-13,0 град.С"}, {6, 2, 181, "-3,6 град.С"},  {6, 2, 70, "43,4 град.С"},
        {6, 2, 60, "50,1 град.С"},
    };
    for (const ShownText& c : cases)
        EXPECT_EQ(
            ParameterText(c.p, static_cast<std::uint8_t>(c.raw), SettingsFor(c.p, c.setting), ","),
            c.text)
            << "p " << c.p << " raw " << c.raw;
}

TEST(ParameterDecoding, InverseDependenceMirrorsTheDirectOne) {
    for (int x = 0; x <= 255; ++x)
        EXPECT_EQ(ParameterText(6, static_cast<std::uint8_t>(x), SettingsOf(1, 2, 1), ","),
                  ParameterText(6, static_cast<std::uint8_t>(255 - x), DisplaySettings{}, ","));
}

TEST(ParameterDecoding, TheSeparatorIsPassedThrough) {
    EXPECT_EQ(ParameterText(1, 1, DisplaySettings{}, "."), "0.125 мс.");
    EXPECT_EQ(ParameterText(4, 32, DisplaySettings{}, "."), "800 об/м");
}

TEST(ParameterDecoding, TheFloatingValue) {
    const DisplaySettings s;
    EXPECT_EQ(ParameterValue(1, 80, s), 10.0L);
    EXPECT_NEAR(static_cast<double>(ParameterValue(2, 64, s)), 0.08, 1e-12);
    EXPECT_NEAR(static_cast<double>(ParameterValue(5, 154, s)), 100.3257, 1e-4);
    EXPECT_TRUE(std::isnan(ParameterValue(3, 64, SettingsOf(0, 1, 1))));
    EXPECT_TRUE(std::isnan(ParameterValue(5, 154, SettingsOf(1, 1, 6))));
    EXPECT_TRUE(std::isnan(ParameterValue(11, 0, s)));
}

TEST(FlagDecoding, EachFlagReadsOnlyItsOwnBit) {
    EXPECT_THROW(NamedFlag(NamedFlagCount), std::out_of_range);
    EXPECT_THROW(NamedFlag(-1), std::out_of_range);
    for (int i = 0; i < NamedFlagCount; ++i) {
        const FlagInfo& flag = NamedFlag(i);
        RecordingStore store;
        auto& own = flag.byte == 11 ? store.Row(3).Flags11 : store.Row(3).Flags12;
        auto& other = flag.byte == 11 ? store.Row(3).Flags12 : store.Row(3).Flags11;
        other.fill(1);
        own.fill(1);
        own[flag.bit] = 0;
        EXPECT_EQ(FlagText(store, 3, i), flag.off) << flag.label;
        own.fill(0);
        own[flag.bit] = 7; // any nonzero sample counts as set
        EXPECT_EQ(FlagText(store, 3, i), flag.on) << flag.label;
    }
}

TEST(FlagDecoding, FlagBitOutsideTheFlagBytesIsClear) {
    FrameRow row;
    row.Flags11.fill(1);
    row.Flags12.fill(1);
    EXPECT_TRUE(FlagBit(row, 11, 2));
    EXPECT_TRUE(FlagBit(row, 12, 6));
    EXPECT_FALSE(FlagBit(row, 10, 0));
    EXPECT_FALSE(FlagBit(row, 11, 8));
    EXPECT_FALSE(FlagBit(row, 12, -1));
}

TEST(FlagDecoding, IdentifierIsOneCharacterPerSample) {
    FrameRow row;
    EXPECT_EQ(IdentifierText(row), "000000000000");
    row.Identifier = {1, 0, 0, 1, 1, 0, 2, 0, 0, 0, 0, 255};
    EXPECT_EQ(IdentifierText(row), "100110100001");
}

} // namespace
} // namespace qv
