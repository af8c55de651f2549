#include "tests/server/server_fixture.h"

#include <mysql.h>

ServerTest::ServerTest() : root(server.admin()), app(server.app())
{
    root.exec("CALL adm_person_set('199001012020011001', 'Rina Kartikasari', 'Penata (III/c)')");
    root.exec("CALL adm_person_set('199202022020012002', 'Dedi Firmansyah', 'Penata Muda (III/a)')");
    root.exec("CALL adm_person_set('199303032020011003', 'Sri Wahyuni', 'Penata Muda (III/a)')");
    root.exec("CALL adm_account_set('199001012020011001', 'Administrator', " + q(password) + ")");
    root.exec("CALL adm_account_set('199202022020012002', 'Admin_skpd', " + q(password) + ")");
    root.exec("CALL adm_account_set('199303032020011003', 'admin_pembangunan', " + q(password) + ")");
}

void ServerTest::expectRefused(const std::string &sql)
{
    EXPECT_THROW(app.exec(sql), SqlError) << sql;
}

void ServerTest::expectRefused(const std::string &sql, const std::string &reason)
{
    EXPECT_EQ(refusalOf([&] { app.exec(sql); }), reason) << sql;
}

std::string ServerTest::refusalOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const SqlError &error) {
        constexpr unsigned signalled = 1644; // ER_SIGNAL_EXCEPTION: SQLSTATE 45000
        return error.code == signalled ? error.serverText
                                       : "error " + std::to_string(error.code) + ": " + error.serverText;
    }
    return "accepted";
}

bool ServerTest::logIn(SqlSession &session, const std::string &nip, const std::string &pass)
{
    return !session.query("CALL nasn_login_cek(" + q(nip) + ", " + q(pass) + ")").empty();
}

std::string ServerTest::newSubmission(const std::string &periode)
{
    app.exec("CALL nasn_pengajuan_tambah(" + q(periode) + ", '288', '-', '2024-05-02', 'Iuran', 'JM')");
    return root.scalar("SELECT MAX(id) FROM nasn_pengajuan");
}

void ServerTest::addRow(const std::string &submission, const RecipientRow &row, const std::string &actor)
{
    app.exec("CALL nasn_pengajuan_detail_tambah(" + q(submission) + ", " + q(row.nik) + ", " + q(row.nama) +
             ", " + q(row.gapok) + ", " + q(row.gapok4) + ", " + q(row.gapok1) + ", " + q(row.remunerasi) +
             ", " + q(row.insentif) + ", " + q(actor) + ")");
}

std::string ServerTest::count(const std::string &table, const std::string &where)
{
    return root.scalar("SELECT COUNT(*) FROM " + table + " WHERE " + where);
}

std::optional<std::vector<std::string>> ServerTest::resultColumns(const std::string &sql)
{
    MYSQL *mysql = mysql_init(nullptr);
    verifyServerWithTestAuthority(mysql);
    if (!mysql_real_connect(mysql, server.host().c_str(), server.user().c_str(), server.password().c_str(),
                            server.database().c_str(), server.port(), nullptr, CLIENT_MULTI_RESULTS)) {
        std::string message = mysql_error(mysql);
        mysql_close(mysql);
        throw SqlError(message, 0);
    }
    std::optional<std::vector<std::string>> columns;
    if (mysql_real_query(mysql, sql.data(), sql.size()) == 0) {
        if (MYSQL_RES *result = mysql_store_result(mysql)) {
            columns.emplace();
            for (unsigned i = 0; i < mysql_num_fields(result); ++i)
                columns->push_back(mysql_fetch_field_direct(result, i)->name);
            mysql_free_result(result);
        }
        while (mysql_next_result(mysql) == 0)
            if (MYSQL_RES *result = mysql_store_result(mysql))
                mysql_free_result(result);
    }
    std::string error = mysql_error(mysql);
    mysql_close(mysql);
    if (!error.empty())
        throw SqlError(error, 0);
    return columns;
}
