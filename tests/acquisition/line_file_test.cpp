#include "acquisition/line_file.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(LineFile, ReadsChangesInNanoseconds) {
    const LineFileResult result = ParseLineFile("0 1\r\n\n0.1 0\n  0.000000001 1 \n"
                                                "\t1.5\t1\n2.123456789 0");
    // The third line is earlier than the second: rejected with its number.
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.ErrorLine, 4);
    EXPECT_EQ(result.Error, "строка 4: время должно возрастать");

    const LineFileResult good = ParseLineFile("0 1\r\n\n0.1 0\n  0.100000001 1 \n"
                                              "\t1.5\t1\n2.123456789 0");
    ASSERT_TRUE(good.Ok) << good.Error;
    const std::vector<LevelChange> expected{
        {0, 1}, {100'000'000, 0}, {100'000'001, 1}, {1'500'000'000, 1}, {2'123'456'789, 0}};
    ASSERT_EQ(good.Recording.Changes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(good.Recording.Changes[i].TimeNs, expected[i].TimeNs) << i;
        EXPECT_EQ(good.Recording.Changes[i].Level, expected[i].Level) << i;
    }
    std::size_t cursor = 0;
    EXPECT_EQ(good.Recording.LevelAt(100'000'000, cursor), 0);
    EXPECT_EQ(good.Recording.LevelAt(9'000'000'000, cursor), 0);
    EXPECT_EQ(good.Recording.LevelAt(50, cursor), 1);
}

TEST(LineFile, NamesTheLineOfEveryKindOfMistake) {
    struct Case {
        const char* text;
        int line;
        const char* error;
    } cases[] = {
        {"", 0, "в файле нет ни одного уровня"},
        {"\n\n", 0, "в файле нет ни одного уровня"},
        {"0.5 1\n", 1, "первая строка должна задавать уровень в момент 0"},
        {"0 2\n", 1, "уровень должен быть 0 или 1"},
        {"0 1\n1 01\n", 2, "уровень должен быть 0 или 1"},
        {"0 1\n1\n", 2, "ожидается «<секунды> <уровень>»"},
        {"0 1\n1 0 0\n", 2, "лишний текст после уровня"},
        {"0 1\n-1 0\n", 2, "время должно начинаться с цифры"},
        {"0 1\n1. 0\n", 2, "во времени нет цифр после точки"},
        {"0 1\n1.0000000001 0\n", 2, "во времени больше девяти знаков после точки"},
        {"0 1\n1e3 0\n", 2, "время — не десятичное число секунд"},
        {"0 1\n1234567890 0\n", 2, "время больше 999999999 секунд"},
        {"0 1\n1 0\n1 1\n", 3, "время должно возрастать"},
        {"0 1\n1,5 0\n", 2, "время — не десятичное число секунд"},
    };
    for (const Case& c : cases) {
        const LineFileResult result = ParseLineFile(c.text);
        EXPECT_FALSE(result.Ok) << c.text;
        EXPECT_EQ(result.ErrorLine, c.line) << c.text;
        const std::string prefix = c.line ? "строка " + std::to_string(c.line) + ": " : "";
        EXPECT_EQ(result.Error, prefix + c.error) << c.text;
        EXPECT_TRUE(result.Recording.Changes.empty());
    }
}

} // namespace
} // namespace qv
