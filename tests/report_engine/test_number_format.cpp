#include "report_engine/number_format.h"

#include <gtest/gtest.h>

using namespace report_engine;

namespace {

struct Case {
    const char *input;
    const char *expected;
};

TEST(DisplayFormat, GroupedNumberWithoutDecimals)
{
    const DisplayFormat format{QStringLiteral("%2.0n"), QStringLiteral(","), QStringLiteral(".")};
    const Case cases[] = {
        {"0", "0"},
        {"999", "999"},
        {"1000", "1.000"},
        {"1250000", "1.250.000"},
        {"123456789012", "123.456.789.012"},
        {"-1500", "-1.500"},
        {"1499.6", "1.500"},
        {"-0.4", "0"},
        {"", ""},
        {"n/a", "n/a"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(applyDisplayFormat(QString::fromUtf8(c.input), format), QString::fromUtf8(c.expected))
            << c.input;
}

TEST(DisplayFormat, DecimalsAndSeparatorsComeFromTheFormat)
{
    EXPECT_EQ(applyDisplayFormat(QStringLiteral("1234.5"),
                                 {QStringLiteral("%.2n"), QStringLiteral(","), QStringLiteral(".")}),
              QStringLiteral("1.234,50"));
    EXPECT_EQ(applyDisplayFormat(QStringLiteral("1234.5"),
                                 {QStringLiteral("%.1f"), QStringLiteral("."), QStringLiteral(",")}),
              QStringLiteral("1234.5"));
    EXPECT_EQ(applyDisplayFormat(QStringLiteral("1234"), {}), QStringLiteral("1234"));
}

TEST(Terbilang, WholeRupiahInIndonesianWords)
{
    const std::pair<double, const char *> cases[] = {
        {0, "nol"},
        {1, "satu"},
        {10, "sepuluh"},
        {11, "sebelas"},
        {12, "dua belas"},
        {19, "sembilan belas"},
        {20, "dua puluh"},
        {21, "dua puluh satu"},
        {100, "seratus"},
        {111, "seratus sebelas"},
        {250, "dua ratus lima puluh"},
        {1000, "seribu"},
        {1001, "seribu satu"},
        {2000, "dua ribu"},
        {11000, "sebelas ribu"},
        {100000, "seratus ribu"},
        {1000000, "satu juta"},
        {1250000, "satu juta dua ratus lima puluh ribu"},
        {1000000000, "satu miliar"},
        {2000001000, "dua miliar seribu"},
        {1000000000000, "satu triliun"},
        {-5000, "minus lima ribu"},
        {1500.75, "seribu lima ratus"},
    };
    for (const auto &[amount, words] : cases)
        EXPECT_EQ(terbilang(amount), QString::fromUtf8(words)) << amount;
}

} // namespace
