#include "reports/processing_actions.h"

#include "builtin_values.h"
#include "data/failure_texts.h"
#include "data/guards.h"
#include "reports/period_label.h"

#include <QDir>
#include <QFileInfo>

namespace {
const StepTexts officialTexts{texts::connectionFailure, texts::dataFailure};
} // namespace

ProcessingActions::ProcessingActions(Services services, ReportData &report, PrintButtons buttons,
                                     QString templateFolder)
    : templateDir(std::move(templateFolder)), s_(services), report_(report), buttons_(buttons),
      previewHost_(services.messages, services.files)
{
}

// Copies the three values in order: one copied before an error stays.
bool ProcessingActions::fetchOfficial(const QString &statement, QString &nama, QString &nip, QString &pangkat)
{
    return runStep(s_.host, s_.messages, officialTexts, [&] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql(statement);
        q.setText("var_id", builtin::unitId);
        q.open();
        q.first();
        nama = q.field("nama_lengkap");
        nip = q.field("nip");
        pangkat = q.field("pangkat");
        return Step::Done;
    });
}

// The level as the server stores it: the server lets this level process a locked
// submission, so asking the lock first would refuse what the server allows.
void ProcessingActions::btProsesCetakClick()
{
    if (s_.context.levelUser != QLatin1String("Administrator") &&
        !submissionGuardsAllow(s_.dm, s_.host, s_.messages, deleteAndProcessGuards, s_.context.id_pengajuan))
        return;
    Officials &o = report_.officials;
    if (!fetchOfficial("CALL `nasn_pejabat_specimen_select_pa`(:var_id) ", o.pa_nama, o.pa_nip,
                       o.pa_pangkat) ||
        !fetchOfficial("CALL `nasn_pejabat_specimen_select_bp`(:var_id) ", o.bp_nama, o.bp_nip, o.bp_pangkat))
        return;
    s_.context.periode_tpp_label = periodLabel(s_.context.periode_pengajuan, s_.context.periode_tpp_label);
    process();
}

void ProcessingActions::process()
{
    runStep(s_.host, s_.messages, {texts::connectionFailure, "Gagal mengambil data! Errorcode: 01"}, [this] {
        Query &q = s_.dm.qreport;
        q.close();
        q.setSql("CALL `nasn_proses`(:var_id, :var_nip) ");
        q.setText("var_id", s_.context.id_pengajuan);
        q.setText("var_nip", s_.context.nipLogin);
        q.open();
        report_.keepRun(q.result(), s_.context.periode_tpp_label);
        s_.messages.information("Pemrosesan data selesai, siap dicetak!");
        buttons_.btCetak->setEnabled(true);
        buttons_.btCetakBank->setEnabled(true);
        return Step::Done;
    });
}

// Shows the rows kept from the last successful processing.
void ProcessingActions::btCetakClick()
{
    print(attachmentTemplate, report_.keptRun());
}

void ProcessingActions::btCetakBankClick()
{
    print(bankOrderTemplate, report_.keptRun());
}

void ProcessingActions::print(const QString &fileName, const ProcessedRun &run)
{
    const QString path = QDir(templateDir).filePath(fileName);
    if (!QFileInfo::exists(path)) {
        s_.messages.warning("File template laporan tidak ditemukan:\r" + QDir::toNativeSeparators(path));
        return;
    }
    if (!report_.fr.loadFromFile(path)) {
        s_.messages.warning("File template laporan tidak dapat dibaca:\r" + QDir::toNativeSeparators(path) +
                            "\r" + report_.fr.lastError());
        return;
    }
    // Exports are named after the document and its month, so one month does not overwrite another.
    const QString document = fileName == attachmentTemplate ? QStringLiteral("Lampiran BPJS Kesehatan")
                                                            : QStringLiteral("Pemindahbukuan Bank");
    report_.fr.setDocumentName((document + ' ' + run.periodLabel).trimmed());
    report_.showRun(run, previewHost_);
}
