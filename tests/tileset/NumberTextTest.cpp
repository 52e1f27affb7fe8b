// Which texts the number boxes take as numbers.
#include "tileset/NumberText.h"

#include <gtest/gtest.h>

TEST(DecimalNumber, ReadsSignsFractionsExponentsAndSurroundingBlanks)
{
    const std::pair<const char *, double> numbers[] = {
        {"3", 3.0},       {" 3 ", 3.0},   {"+3", 3.0},     {"-3", -3.0},
        {"2.5", 2.5},     {"2.", 2.0},    {".5", 0.5},     {"1e3", 1000.0},
        {"1.5E-1", 0.15}, {"\t7\t", 7.0}, {"-.5e1", -5.0}, {"007", 7.0},
    };
    for (const auto &[text, value] : numbers) {
        const std::optional<double> read = DecimalNumber(QLatin1String(text));
        ASSERT_TRUE(read.has_value()) << text;
        EXPECT_DOUBLE_EQ(*read, value) << text;
    }
}

TEST(DecimalNumber, RefusesEverythingElse)
{
    for (const char *text : {"", " ", "-", "+", ".", "e3", "1e", "1,5", "+-3", "--3", "3 4", "0x10",
                             "abc", "1e400", "2..5", "١"}) {
        EXPECT_FALSE(DecimalNumber(QString::fromUtf8(text)).has_value()) << text;
    }
}
