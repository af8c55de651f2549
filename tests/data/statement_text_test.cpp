#include "data/statement_text.h"

#include <gtest/gtest.h>

struct ParseCase {
    const char *text;
    const char *sql;
    QStringList names;
};

class StatementTextTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StatementTextTest, NamesBecomePlaceholdersOutsideQuotesAndComments)
{
    const StatementText parsed = StatementText::parse(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(parsed.sql.toStdString(), GetParam().sql);
    EXPECT_EQ(parsed.parameterNames, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatementTextTest,
    ::testing::Values(
        ParseCase{"CALL `nasn_login_cek`(:nip, :pass)", "CALL `nasn_login_cek`(?, ?)", {"nip", "pass"}},
        ParseCase{"CALL `a:b`(:x)", "CALL `a:b`(?)", {"x"}},
        ParseCase{
            "SELECT ':no', \"::no\", 'it''s :no' , :yes", "SELECT ':no', \"::no\", 'it''s :no' , ?", {"yes"}},
        ParseCase{"SELECT 'a\\':no', :v", "SELECT 'a\\':no', ?", {"v"}},
        ParseCase{"SELECT 1 -- :no\n, :v /* :no */ # :no", "SELECT 1 -- :no\n, ? /* :no */ # :no", {"v"}},
        ParseCase{"CALL p(:var_id, :var_id)", "CALL p(?, ?)", {"var_id", "var_id"}},
        ParseCase{"SELECT '12:30', : x", "SELECT '12:30', : x", {}},
        ParseCase{"CALL `nasn_informasi`()", "CALL `nasn_informasi`()", {}}),
    [](const auto &test) { return "case" + std::to_string(test.index); });
