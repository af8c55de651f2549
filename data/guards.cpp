#include "data/guards.h"

#include "data/failure_texts.h"
#include "data/tdm.h"

const QString inputWindowRefusal =
    QStringLiteral("Saat ini bukan waktu yang diizinkan untuk input dan proses data di Aplikasi ini!\r"
                   "Silahkan cek di halaman informasi untuk melihat jadwal maintenance.\r\r"
                   "Terima kasih, dan mohon maaf atas ketidaknyamanan ini!");

const SubmissionGuards deleteAndProcessGuards{
    "CALL `nasn_cek_waktu_input`() ", texts::connectionFailure, texts::dataFailure,
    "Pengajuan Remunerasi tidak bisa ditambah data!\r\rStatus : `Locked by Administrator` ",
    texts::dataFailure};

bool inputWindowAllows(Tdm &dm, ConnectionHost &host, Messages &messages, const InputWindowGuard &guard)
{
    return runStep(host, messages, {guard.connectionFailure, guard.callFailure}, [&] {
        Query &q = dm.fdsq1;
        q.close();
        q.setSql(guard.statement);
        q.open();
        q.first();
        if (q.field("nilai") == QLatin1String("1") || q.field("restricted") == QLatin1String("1")) {
            messages.warning(inputWindowRefusal);
            return Step::Stopped;
        }
        return Step::Done;
    });
}

bool lockAllows(Tdm &dm, ConnectionHost &host, Messages &messages, const LockGuard &guard,
                const QString &submissionId)
{
    return runStep(host, messages, {guard.connectionFailure, guard.callFailure}, [&] {
        Query &q = dm.fdsq1;
        q.close();
        q.setSql(QStringLiteral("CALL `nasn_cek_status_pengajuan`(:var_id) "));
        q.setText("var_id", submissionId);
        q.open();
        q.first();
        if (q.field("status") == QLatin1String("F")) {
            messages.error(guard.refusal);
            return Step::Stopped;
        }
        return Step::Done;
    });
}

bool submissionGuardsAllow(Tdm &dm, ConnectionHost &host, Messages &messages, const SubmissionGuards &guards,
                           const QString &submissionId)
{
    return inputWindowAllows(
               dm, host, messages,
               {guards.inputWindowStatement, guards.connectionFailure, guards.inputWindowFailure}) &&
           lockAllows(dm, host, messages, {guards.connectionFailure, guards.lockRefusal, guards.lockFailure},
                      submissionId);
}
