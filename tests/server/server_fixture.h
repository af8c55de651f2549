// A fresh database per test with the people and accounts most server tests need.
#pragma once

#include "tests/support/test_server.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char *adminNip = "199001012020011001";
inline constexpr const char *operatorNip = "199202022020012002";
inline constexpr const char *readOnlyNip = "199303032020011003";
inline constexpr const char *password = "rahasia-123";

struct RecipientRow {
    std::string nik, nama, gapok, gapok4, gapok1, remunerasi, insentif;
};

class ServerTest : public ::testing::Test {
protected:
    ServerTest();

    // Text as an SQL literal, for the CALLs below.
    std::string q(const std::string &text) { return root.quote(text); }
    // Runs a statement on the application account and expects the server to refuse it.
    void expectRefused(const std::string &sql);
    // ... with this reason of ours (SQLSTATE 45000).
    void expectRefused(const std::string &sql, const std::string &reason);
    // The reason the server refused the call with; "accepted", or the error's number
    // and text, when it did not refuse by one of our rules.
    static std::string refusalOf(const std::function<void()> &call);

    bool logIn(SqlSession &session, const std::string &nip, const std::string &pass = password);
    // A new submission of type JM; answers its id.
    std::string newSubmission(const std::string &periode = "202405");
    void addRow(const std::string &submission, const RecipientRow &row,
                const std::string &actor = operatorNip);
    std::string count(const std::string &table, const std::string &where = "TRUE");

    // Column names of the first result set, or nothing when the statement gives none.
    std::optional<std::vector<std::string>> resultColumns(const std::string &sql);

    TestServer server;
    SqlSession root;
    SqlSession app;
};
