#include "import/number_format_kind.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
    uint32_t id;
    const char *code;
    bool dateOrTime;
};

TEST(NumberFormatKind, DatesAndTimesAmongAmountFormats)
{
    const FormatCase cases[] = {
        {0, "General", false},
        {3, "#,##0", false},
        {14, "mm-dd-yy", true},
        {22, "m/d/yy h:mm", true},
        {46, "[h]:mm:ss", true},
        {30, "", true}, // a built-in date the locale writes
        {50, "", true},
        {49, "@", false},
        {164, "d/m/yyyy", true},
        {164, "dd\\ mmmm\\ yyyy", true},
        {164, "[h]", true},
        {164, "[mm]:ss", true},
        {164, "[$-421]dddd, d mmmm yyyy", true},
        {164, "#,##0;[Red]-#,##0", false},
        {164, "[$Rp-421]#,##0", false},
        {164, "\"Rp\"#,##0", false},
        {164, "0\" hari\"", false},
        {164, "\\d0", false},
        {164, "_-* #,##0_-;\\-* #,##0_-;_-* \"-\"_-;_-@_-", false},
        {164, "#,##0_h", false},
        {164, "*s0", false},
        {164, "0.00E+00", false},
        {164, "[Blue]yyyy", true},
    };
    for (const FormatCase &c : cases)
        EXPECT_EQ(importing::isDateOrTime({c.id, QString::fromUtf8(c.code)}), c.dateOrTime)
            << c.id << " " << c.code;
}

} // namespace
