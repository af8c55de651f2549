// The operator with the demo data's January submission open: twelve recipients.
#pragma once

#include "tests/support/app_fixture.h"

class RecipientsFixture : public AppFixture {
protected:
    RecipientsFixture()
    {
        logIn(demoOperator);
        fmain->sbPengajuan->click();
        fmain->tabJM->sg_jm_pengajuan->setCurrentRow(1);
        fmain->tabJM->btJMProsesPengajuanClick();
        submissionId = fmain->context.id_pengajuan.toStdString();
    }

    RecipientListPage &page() { return *fmain->tabPengajuanProses; }
    StringGrid &grid() { return *fmain->tabPengajuanProses->sg_pengajuanProses; }
    QString count() { return fmain->tabPengajuanProses->tabPengajuanProsesJumlah->text(); }
    std::string rowCount() const
    {
        return server.admin().scalar("SELECT COUNT(*) FROM nasn_pengajuan_detail WHERE id_pengajuan = " +
                                     submissionId);
    }
    // A recipient of the open submission, stored behind the client's back (as
    // a row a procedure adds, so it needs no login of the administrator's host).
    void insertRecipient(const std::string &nik, const std::string &name) const
    {
        server.admin().exec(
            "INSERT INTO nasn_pengajuan_detail (id_pengajuan, nik, nama_lengkap, gapok, gapok_4, "
            "gapok_1, remunerasi, insentif, nip_operator) VALUES (" +
            submissionId + ", '" + nik + "', '" + name + "', '3000000', '120000', '30000', '0', '0', '" +
            demoOperator.nip + "')");
    }
    std::string newSubmission() const
    {
        SqlSession admin = server.admin();
        admin.exec(
            "INSERT INTO nasn_pengajuan (periode, unit_id, nomor, tanggal_pengajuan, keterangan, jenis) "
            "VALUES (CONCAT(YEAR(CURDATE()), '03'), '288', '-', CURDATE(), 'Maret', 'JM')");
        return admin.scalar("SELECT MAX(id) FROM nasn_pengajuan");
    }

    std::string submissionId;
};
