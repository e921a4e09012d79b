#include "recording/help_text.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

// Characters, not bytes: the guide is Cyrillic.
std::size_t Characters(const std::string& utf8) {
    std::size_t count = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++count;
    return count;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

TEST(HelpText, HasFiveSectionsOf48LinesSeparatedByOneEmptyLine) {
    const std::vector<std::string>& lines = HelpLines();
    ASSERT_EQ(lines.size(), 48u);
    for (int i = 1; i <= 48; ++i) {
        const bool gap = i == 9 || i == 31 || i == 39 || i == 46;
        EXPECT_EQ(lines[i - 1].empty(), gap) << "line " << i;
        EXPECT_LE(Characters(lines[i - 1]), 80u) << "line " << i;
        EXPECT_EQ(lines[i - 1].find('\n'), std::string::npos) << "line " << i;
    }
    EXPECT_EQ(lines[0], "Что надо для начала:");
    EXPECT_EQ(lines[9], "Как начать:");
    EXPECT_EQ(lines[31], "Графики:");
    EXPECT_EQ(lines[39], "Работа с файлами:");
    EXPECT_TRUE(StartsWith(lines[46], "Примечание:"));
}

TEST(HelpText, SectionsCarryTheirKeyFacts) {
    const std::vector<std::string>& lines = HelpLines();
    auto section = [&](int first, int last) {
        std::string text;
        for (int i = first; i <= last; ++i) text += lines[i - 1] + " ";
        return text;
    };
    const std::string wiring = section(1, 8);
    for (const char* fact : {"Te2", "E1", "Vf1", "3,3 нФ", "контактом 5", "контактом 6"})
        EXPECT_NE(wiring.find(fact), std::string::npos) << fact;
    const std::string start = section(10, 30);
    for (const char* fact : {"\"Читать\"", "220 В", "заземл", "зажигание", "SIM", "DTR",
                             "Инверсный адаптер", "Пониженная загрузка ЦП"})
        EXPECT_NE(start.find(fact), std::string::npos) << fact;
    // "Quintovarа" ends in the Cyrillic а (genitive), not the Latin a.
    const std::string files = section(40, 45);
    EXPECT_NE(files.find("Quintovar\xD0\xB0"), std::string::npos);
    EXPECT_EQ(files.find("Quintovara"), std::string::npos);
    EXPECT_NE(files.find("Excel"), std::string::npos);
}

} // namespace
} // namespace qv
