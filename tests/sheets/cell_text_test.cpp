#include "import/cell_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

struct NumberCase {
    double value;
    const char *text;
};

void PrintTo(const NumberCase &c, std::ostream *os)
{
    *os << c.text;
}

class NumberText : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberText, GeneralFormWithFifteenDigits)
{
    EXPECT_EQ(importing::numberText(GetParam().value, QLatin1Char('.')).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberText,
    ::testing::Values(NumberCase{5000000, "5000000"}, NumberCase{0.5, "0.5"}, NumberCase{-0.0, "0"},
                      NumberCase{0, "0"}, NumberCase{-2.5, "-2.5"},
                      // a 16-digit NIK held as a number
                      NumberCase{3201234567890123.0, "3.20123456789012E+15"},
                      NumberCase{999999999999999, "999999999999999"}, NumberCase{1e15, "1E+15"},
                      // rounding to 15 digits carries into a new digit
                      NumberCase{9999999999999999.0, "1E+16"}, NumberCase{0.1 + 0.2, "0.3"},
                      NumberCase{1.0 / 3, "0.333333333333333"}, NumberCase{170000.02000000002, "170000.02"},
                      NumberCase{0.00001, "0.00001"}, NumberCase{0.000001, "1E-6"},
                      NumberCase{-1.5e-300, "-1.5E-300"},
                      NumberCase{1.7976931348623157e308, "1.79769313486232E+308"},
                      NumberCase{123456.789, "123456.789"}, NumberCase{100, "100"}));

// Against printf's rounding to 15 significant digits, both read back (two
// different 15-digit numbers never read as the same double): amounts with
// cents, whole numbers and arbitrary bit patterns, where a shortcut in the
// rounding would show.
TEST(NumberTextRounding, AgreesWithPrintfRoundingToFifteenDigits)
{
    std::mt19937_64 random(20261211);
    for (int i = 0; i < 300000; ++i) {
        double value;
        switch (i % 3) {
        case 0:
            value = double(random() % 100000000000) / 100;
            break;
        case 1:
            value = double(random() % 10000000000000000);
            break;
        default:
            value = std::bit_cast<double>(random());
            if (!std::isfinite(value) || value == 0)
                continue;
        }
        char reference[40];
        std::snprintf(reference, sizeof reference, "%.14e", value);
        const std::string ours = importing::numberText(value, QLatin1Char('.')).toStdString();
        ASSERT_EQ(std::strtod(ours.c_str(), nullptr), std::strtod(reference, nullptr))
            << ours << " " << reference;
    }
}

TEST(NumberTextSeparator, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(importing::numberText(4250000.5, QLatin1Char(',')), QStringLiteral("4250000,5"));
    EXPECT_EQ(importing::numberText(1.5e20, QLatin1Char(',')), QStringLiteral("1,5E+20"));
}

TEST(CellName, LettersThenOneBasedRow)
{
    EXPECT_EQ(sheets::cellName(4, 2), QStringLiteral("C5"));
    EXPECT_EQ(sheets::cellName(0, 25), QStringLiteral("Z1"));
    EXPECT_EQ(sheets::cellName(0, 26), QStringLiteral("AA1"));
    EXPECT_EQ(sheets::cellName(1048575, 16383), QStringLiteral("XFD1048576"));
}

} // namespace
