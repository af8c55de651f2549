// Loading a recipient list of 50 000 rows: from the call of the list's refresh to
// the filled and painted grid, beside the server call alone; and the client's peak
// memory, beside its memory before the load. Needs SARVELA_TEST_SOCKET and
// SARVELA_TEST_PORT (scripts/bench sets them) to make its own database.
#include "app/tfmain.h"
#include "tests/support/server_settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int recipientCount = 50000;
constexpr int runs = 5;

// A box during the load would be a failure: count them instead of showing them.
class CountedMessages : public Messages {
public:
    void show(MessageKind, const QString &, const QString &) override { ++shown; }
    bool confirm(const QString &) override { return ++shown, false; }
    int shown = 0;
};

class NoFiles : public FileChooser {
public:
    QString openFileName(const FileDialogRequest &) override { return {}; }
    QString saveFileName(const FileDialogRequest &) override { return {}; }
};

std::string makeSubmission(const TestServer &server)
{
    SqlSession admin = server.admin();
    admin.exec("INSERT INTO nasn_pengajuan (periode, unit_id, nomor, tanggal_pengajuan, keterangan, jenis) "
               "VALUES ('202501', '288', '-', '2025-01-05', 'bench', 'JM')");
    const std::string id = admin.scalar("SELECT MAX(id) FROM nasn_pengajuan");
    admin.exec("INSERT INTO nasn_pengajuan_detail (id_pengajuan, nik, nama_lengkap, gapok, gapok_4, gapok_1, "
               "remunerasi, insentif, nip_operator) SELECT " +
               id +
               ", CONCAT('3273', LPAD(seq, 12, '0')), CONCAT('Pegawai Non ASN Nomor ', seq), 2800000 + seq, "
               "112000 + seq, 28000 + seq, 1500000 + seq * 3, seq * 7, '199202022020012002' FROM seq_1_to_" +
               std::to_string(recipientCount));
    // The server lists rows only for an operator logged in from the client's host.
    admin.exec("CALL adm_person_set('199202022020012002', 'Operator Bench', '')");
    admin.exec("CALL adm_account_set('199202022020012002', 'Admin_skpd', 'bench-password')");
    return id;
}

double mebibytes(long long bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

long long residentBytes()
{
    long long pages = 0, resident = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lld %lld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

long long peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<long long>(usage.ru_maxrss) * 1024;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        TestServer server;
        const QString submission = QString::fromStdString(makeSubmission(server));
        Tdm dm(settingsFor(server));
        CountedMessages messages;
        NoFiles files;
        Tfmain window(dm, messages, files);
        window.resize(1280, 800);
        window.show();
        window.tabLogin->leNIP->setText("199202022020012002");
        window.tabLogin->lePassword->setText("bench-password");
        window.tabLogin->btnloginClick();
        messages.shown = 0;
        window.context.id_pengajuan = submission;
        window.showPage(Page::tabPengajuanProses);
        RecipientListPage &page = *window.tabPengajuanProses;
        QApplication::processEvents();
        const long long before = residentBytes();

        std::vector<double> loads, calls; // seconds
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            page.tabPengajuanProsesTampilDataClick();
            QApplication::processEvents();
            page.sg_pengajuanProses->viewport()->repaint();
            loads.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e9);

            timer.restart();
            dm.fdremunerasi.open();
            Query &q = dm.fdsq1;
            q.close();
            q.setSql("CALL `nasn_pengajuan_detail_tampildata`(:var_id, :var_order) ");
            q.setText("var_id", submission);
            q.setInt("var_order", 0);
            q.open();
            dm.fdremunerasi.close();
            calls.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        }
        if (messages.shown != 0 || page.tabPengajuanProsesJumlah->text() != QString::number(recipientCount) ||
            page.sg_pengajuanProses->rowCount() != recipientCount + 1) {
            std::fprintf(stderr, "bench_recipients: the list did not load (%d boxes, count %s)\n",
                         messages.shown, qPrintable(page.tabPengajuanProsesJumlah->text()));
            return 1;
        }
        std::vector<double> clientShares;
        for (int run = 0; run < runs; ++run)
            clientShares.push_back(loads[static_cast<size_t>(run)] - calls[static_cast<size_t>(run)]);
        std::printf(
            "recipient list of %d rows, call to filled grid: %.2f s   (goal < 1 s; the server call alone: "
            "%.2f s, the client's share: %.2f s)\n",
            recipientCount, median(loads), median(calls), median(clientShares));
        std::printf("peak RSS: %.0f MiB   (goal < 200 MiB; before the first load: %.0f MiB)\n",
                    mebibytes(peakResidentBytes()), mebibytes(before));
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "bench_recipients: %s\n", error.what());
        return 1;
    }
}
