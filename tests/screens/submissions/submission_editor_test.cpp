#include "tests/screens/submissions/submissions_fixture.h"

#include <QLineEdit>

namespace {

struct Stored {
    std::string periode, unit, nomor, tanggal, keterangan, jenis;
    bool operator==(const Stored &) const = default;
};

} // namespace

class SubmissionEditorTest : public SubmissionsFixture {
protected:
    SubmissionEditorPage &editor() { return *fmain->tabPengajuanEdit; }

    void openEditor()
    {
        list().btJMTambahClick();
        editor().edKeteranganPengajuan->setText("Iuran Maret");
    }

    // The submissions the demo data did not bring.
    std::vector<Stored> added()
    {
        std::vector<Stored> out;
        for (const Row &row : server.admin().query(
                 "SELECT periode, unit_id, nomor, tanggal_pengajuan, keterangan, jenis FROM nasn_pengajuan "
                 "WHERE keterangan NOT LIKE 'Iuran BPJS%' ORDER BY id"))
            out.push_back({*row[0], *row[1], *row[2], *row[3], *row[4], *row[5]});
        return out;
    }
};

TEST_F(SubmissionEditorTest, PreparingTheEditor)
{
    struct Case {
        QDate today;
        QStringList years;
    };
    for (const Case &c : {Case{{2025, 3, 10}, {"2024", "2025"}},
                          {{2024, 12, 31}, {"2024", "2024"}}, // 365 days back is 1 January of a leap year
                          {{2025, 12, 31}, {"2024", "2025"}}}) {
        clock = QDateTime(c.today, QTime(23, 30));
        editor().edKeteranganPengajuan->setText("left over");
        editor().cbBulanPengajuan->setEditText("x");
        list().btJMTambahClick();
        EXPECT_EQ(fmain->currentPage(), Page::tabPengajuanEdit);
        EXPECT_EQ(fmain->header(), "Tambah Data Pengajuan");
        EXPECT_EQ(fmain->context.jenisPengajuan, "JM");
        const ComboBox &months = *editor().cbBulanPengajuan;
        ASSERT_EQ(months.count(), 12);
        EXPECT_EQ(months.itemText(0), "Januari");
        EXPECT_EQ(months.itemText(4), "Mei");
        EXPECT_EQ(months.itemText(11), "Desember");
        EXPECT_EQ(months.currentText(), "Januari");
        const ComboBox &years = *editor().cbTahunPengajuan;
        EXPECT_EQ((QStringList{years.itemText(0), years.itemText(1)}), c.years)
            << c.today.toString().toStdString();
        EXPECT_EQ(years.count(), 2);
        EXPECT_EQ(years.currentIndex(), 1);
        EXPECT_EQ(editor().edKeteranganPengajuan->text(), "");
        EXPECT_EQ(editor().edNomorPengajuan->text(), "-");
        EXPECT_EQ(editor().dtPengajuan->date(), c.today);
        EXPECT_FALSE(editor().dtPengajuan->isVisibleTo(&editor()));
        EXPECT_FALSE(editor().edNomorPengajuan->isVisibleTo(&editor()));
    }
}

TEST_F(SubmissionEditorTest, SavingStoresTheSubmissionAndReturnsToTheReloadedList)
{
    clock = QDateTime(QDate(2024, 12, 31), QTime(8, 0));
    openEditor();
    editor().cbBulanPengajuan->setCurrentIndex(2);
    editor().btPengajuanEditSimpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Sukses!"}}));
    EXPECT_EQ(added(), (std::vector<Stored>{{"202403", "288", "-", "2024-12-31", "Iuran Maret", "JM"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabJM);
    EXPECT_EQ(fmain->header(), "Data Pengajuan Perhitungan Sarvela");
    EXPECT_EQ(list().cbJMTahun->currentText(), year()) << "the list keeps its own year";
    EXPECT_EQ(grid().rowCount(), 3) << "reloaded, and a 2024 submission is not in this year's list";
    EXPECT_FALSE(dm.fdremunerasi.isOpen());

    editor().btPengajuanEditSimpanClick();
    messages.take();
    EXPECT_EQ(added().size(), 2u) << "nothing on the client stops a second submission for the month";
}

TEST_F(SubmissionEditorTest, TheMonthHasTheFocusAndEnterSaves)
{
    clock = QDateTime(QDate(2024, 12, 31), QTime(8, 0));
    list().btJMTambahClick();
    EXPECT_EQ(fmain->focusWidget(), editor().cbBulanPengajuan);
    press(editor().cbBulanPengajuan, Qt::Key_Return);
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Information, "Ada kolom yang masih kosong, silahkan dilengkapi!"}}));
    EXPECT_EQ(fmain->focusWidget(), editor().edKeteranganPengajuan);

    editor().edKeteranganPengajuan->setText("Iuran Januari");
    press(editor().edKeteranganPengajuan, Qt::Key_Enter);
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Sukses!"}}));
    EXPECT_EQ(added(), (std::vector<Stored>{{"202401", "288", "-", "2024-12-31", "Iuran Januari", "JM"}}));
}

TEST_F(SubmissionEditorTest, ThePeriodCodeAndDescriptionAreSentAsTyped)
{
    struct Case {
        const char *year;
        const char *month; // typed into the month box; nullptr keeps "Maret" selected
        const char *description;
        const char *periode;
    };
    const Case cases[] = {
        {"25", nullptr, "Iuran", "2503"},
        {"2025", "Mar", "Iuran", ""}, // no month item selected: no code at all
        {"2025", "maret", "Iuran", ""},
        {"2025", nullptr, "   ", "202503"},
    };
    for (const Case &c : cases) {
        openEditor();
        editor().cbBulanPengajuan->setCurrentIndex(2);
        if (c.month)
            editor().cbBulanPengajuan->setEditText(c.month);
        editor().cbTahunPengajuan->setEditText(c.year);
        editor().edKeteranganPengajuan->setText(c.description);
        editor().btPengajuanEditSimpanClick();
        EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Sukses!"}})) << c.periode;
        ASSERT_FALSE(added().empty());
        EXPECT_EQ(added().back().periode, c.periode);
        EXPECT_EQ(added().back().keterangan, c.description);
    }
}

TEST_F(SubmissionEditorTest, TheInputWindowIsAskedBeforeTheDescription)
{
    openEditor();
    editor().edKeteranganPengajuan->clear();
    server.replaceProcedure("CREATE PROCEDURE nasn_waktu_input_cek() SELECT '0' AS nilai, '1' AS restricted");
    editor().btPengajuanEditSimpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, outsideInputWindow}}));

    server.replaceProcedure("CREATE PROCEDURE nasn_waktu_input_cek() SELECT '0' AS nilai");
    editor().btPengajuanEditSimpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal mengambil data jadwal input!"}}));

    server.replaceProcedure("CREATE PROCEDURE nasn_waktu_input_cek() SELECT '0' AS nilai, '0' AS restricted");
    editor().btPengajuanEditSimpanClick();
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Information, "Ada kolom yang masih kosong, silahkan dilengkapi!"}}));
    EXPECT_TRUE(added().empty());
    EXPECT_EQ(fmain->currentPage(), Page::tabPengajuanEdit);
}

TEST_F(SubmissionEditorTest, AFailedSaveKeepsTheEditor)
{
    openEditor();
    editor().cbTahunPengajuan->setEditText("2031");
    server.replaceProcedure(
        "CREATE PROCEDURE nasn_pengajuan_tambah(a TEXT, b TEXT, c TEXT, d TEXT, e TEXT, f TEXT) "
        "SIGNAL SQLSTATE '45000'");
    editor().btPengajuanEditSimpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal menyimpan data pengajuan!"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabPengajuanEdit);
    EXPECT_EQ(editor().edKeteranganPengajuan->text(), "Iuran Maret");
    EXPECT_EQ(editor().cbTahunPengajuan->currentText(), "2031");
    EXPECT_FALSE(dm.fdremunerasi.isOpen());

    server.refuseConnections();
    editor().btPengajuanEditSimpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal terhubung ke database Belunta!"}}));
}

TEST_F(SubmissionEditorTest, CancelReturnsWithoutSavingOrReloading)
{
    openEditor();
    server.admin().exec("DELETE FROM nasn_pengajuan_detail");
    server.admin().exec("DELETE FROM nasn_pengajuan");
    editor().btPengajuanEditBatalClick();
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_EQ(fmain->currentPage(), Page::tabJM);
    EXPECT_EQ(fmain->header(), "Data Pengajuan Perhitungan Sarvela");
    EXPECT_EQ(grid().rowCount(), 3) << "not reloaded";
    EXPECT_EQ(editor().edKeteranganPengajuan->text(), "Iuran Maret");
}
