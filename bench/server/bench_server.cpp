// Times the import's one insert statement (10 000 rows, and once 100 000) beside
// the same insert into a copy of the table without its triggers, then processing
// and the recipient list of 10 000 recipients beside a plain read of the rows.
// Goal: under 1 s each at 10 000. Then one login check at the installation's
// hash cost, beside one for a NIP without an account: each between 0.05 and
// 0.5 s, and alike, so the time does not tell which NIPs have accounts.
#include "tests/support/test_server.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr int recipients = 10000;
constexpr int rounds = 3;
const std::string operatorNip = "199202022020012002";

// Best of a few rounds, in seconds: the machine is shared.
double seconds(const std::function<void()> &work)
{
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        best =
            std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

std::string importStatement(const std::string &submission, int rows = recipients,
                            const std::string &table = "nasn_pengajuan_detail")
{
    std::string sql = "insert ignore into " + table +
                      " (`id_pengajuan`,`nik`,`nama_lengkap`,`gapok`,"
                      "`gapok_4`,`gapok_1`,`remunerasi`,`insentif`) values ";
    for (int i = 0; i < rows; ++i) {
        std::string n = std::to_string(i);
        sql += "\n('" + submission + "','" + std::to_string(3273000000000000LL + i * 7919LL) + "','Pegawai " +
               n + "','" + std::to_string(2500000 + i * 700 % 9000000) + "','120000','30000','" +
               std::to_string(1000000 + i * 13 % 5000000) + "','" + std::to_string(i % 3 * 250000) + "')" +
               (i + 1 < rows ? "," : ";");
    }
    return sql;
}

void report(const char *what, double value, const char *peer, double peerValue)
{
    std::printf("%-52s %7.3f s   (%s: %.3f s)\n", what, value, peer, peerValue);
}

} // namespace

double once(const std::function<void()> &work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int main()
{
    TestServer server;
    SqlSession root = server.admin();
    SqlSession app = server.app();
    root.exec("CALL adm_person_set('" + operatorNip + "', 'Operator Bench', '')");
    root.exec("CALL adm_account_set('" + operatorNip + "', 'Admin_skpd', 'bench-password')");
    app.query("CALL nasn_login_cek('" + operatorNip + "', 'bench-password')");
    auto newSubmission = [&] {
        app.exec("CALL nasn_pengajuan_tambah('202405', '288', '-', '2024-05-02', 'Bench', 'JM')");
        return root.scalar("SELECT MAX(id) FROM nasn_pengajuan");
    };
    // Same columns, checks and keys; no triggers, so no guard and no log.
    root.exec("CREATE TABLE bench_plain_detail LIKE nasn_pengajuan_detail");

    // Each round imports into a submission of its own; the first one is kept for the rest.
    std::string submission = newSubmission();
    double imported = once([&] { app.exec(importStatement(submission)); });
    for (int i = 1; i < rounds; ++i) {
        std::string sql = importStatement(newSubmission());
        imported = std::min(imported, once([&] { app.exec(sql); }));
    }
    if (root.scalar("SELECT COUNT(*) FROM nasn_pengajuan_detail WHERE id_pengajuan = " + submission) !=
        std::to_string(recipients)) {
        std::fprintf(stderr, "bench_server: the import did not store %d rows\n", recipients);
        return 1;
    }
    std::string plainSql = importStatement(submission, recipients, "bench_plain_detail");
    double plainInsert = seconds([&] {
        root.exec("TRUNCATE bench_plain_detail");
        root.exec(plainSql);
    });

    std::string big = newSubmission();
    std::string bigSql = importStatement(big, 10 * recipients);
    double importedBig = once([&] { app.exec(bigSql); });
    std::string bigPlainSql = importStatement(big, 10 * recipients, "bench_plain_detail");
    root.exec("TRUNCATE bench_plain_detail");
    double plainBig = once([&] { root.exec(bigPlainSql); });
    if (root.scalar("SELECT COUNT(*) FROM nasn_pengajuan_detail WHERE id_pengajuan = " + big) !=
        std::to_string(10 * recipients)) {
        std::fprintf(stderr, "bench_server: the import did not store %d rows\n", 10 * recipients);
        return 1;
    }

    double plainRead = seconds([&] {
        root.query("SELECT * FROM nasn_pengajuan_detail WHERE id_pengajuan = " + submission +
                   " ORDER BY nama_lengkap");
    });
    double processing =
        seconds([&] { app.query("CALL nasn_proses('" + submission + "', '" + operatorNip + "')"); });
    double listing =
        seconds([&] { app.query("CALL nasn_pengajuan_detail_tampildata('" + submission + "', 1)"); });

    // The installation's cost, not the tests' cheap one.
    root.exec("UPDATE nasn_konfigurasi SET hash_cost = DEFAULT(hash_cost)");
    root.exec("CALL adm_account_set('" + operatorNip + "', 'Admin_skpd', 'bench-password')");
    const std::string cost = root.scalar("SELECT hash_cost FROM nasn_konfigurasi");
    double login =
        seconds([&] { app.query("CALL nasn_login_cek('" + operatorNip + "', 'bench-password')"); });
    int stranger = 0;
    double noAccount = seconds([&] {
        app.query("CALL nasn_login_cek('19990909202001100" + std::to_string(stranger++) +
                  "', 'bench-password')");
    });

    report("import insert of 10000 recipients (one statement)", imported, "copy without triggers",
           plainInsert);
    report("import insert of 100000 recipients (one statement)", importedBig, "copy without triggers",
           plainBig);
    report("nasn_proses, 10000 recipients", processing, "plain read of the rows", plainRead);
    report("nasn_pengajuan_detail_tampildata, 10000 recipients", listing, "plain read of the rows",
           plainRead);
    report(("login check, " + cost + " hash rounds (goal 0.05 to 0.5 s)").c_str(), login,
           "NIP without an account", noAccount);
    report("login check of a NIP without an account", noAccount, "with an account", login);
    const bool loginInRange = login >= 0.05 && login <= 0.5 && noAccount >= 0.05 && noAccount <= 0.5;
    return imported < 1.0 && processing < 1.0 && listing < 1.0 && loginInRange ? 0 : 1;
}
