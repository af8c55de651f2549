#include "tests/support/app_fixture.h"

class UsersTest : public AppFixture {
protected:
    UserListPage &list() { return *fmain->tabUser; }
    UserFormPage &form() { return *fmain->tabUserNew; }
    void fill(const QString &nip, const QString &p1, const QString &p2)
    {
        form().tab_useradd_nip->setText(nip);
        form().tab_useradd_password1->setText(p1);
        form().tab_useradd_password2->setText(p2);
    }
    int selectRow(const char *nip)
    {
        for (int r = 1; r < list().sg_user->rowCount(); ++r)
            if (list().sg_user->cell(2, r) == nip) {
                list().sg_user->setCurrentRow(r);
                return r;
            }
        return 0;
    }
    std::string accounts() { return server.admin().scalar("SELECT COUNT(*) FROM nasn_user"); }
};

TEST_F(UsersTest, TheListLayout)
{
    logIn(demoAdministrator);
    fmain->sbUser->click();
    EXPECT_EQ(fmain->header(), "Manajemen User");
    EXPECT_EQ(fmain->currentPage(), Page::tabUser);
    StringGrid &grid = *list().sg_user;
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.colCount(), 6);
    EXPECT_EQ(grid.fixedCols(), 2);
    EXPECT_EQ(grid.fixedRows(), 1);
    const std::vector<std::pair<QString, int>> titles = {{"", 0},
                                                         {"No.", 30},
                                                         {"NIP", 120},
                                                         {"Nama Lengkap", 250},
                                                         {"User Level", 110},
                                                         {"Tanggal Aktif", 130}};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(grid.cell(c, 0), titles[c].first);
        EXPECT_EQ(grid.colWidth(c), titles[c].second);
    }
    const int row = selectRow(demoOperator.nip);
    ASSERT_GT(row, 0);
    EXPECT_EQ(grid.cell(1, row), QString::number(row));
    EXPECT_EQ(grid.cell(3, row), "Dedi Firmansyah, S.E.");
    EXPECT_EQ(grid.cell(4, row), "Admin_skpd");
    EXPECT_FALSE(grid.cell(0, row).isEmpty());
    EXPECT_FALSE(grid.cell(5, row).isEmpty());
}

TEST_F(UsersTest, AddAnAccount)
{
    logIn(demoAdministrator);
    list().BitBtn3Click();
    EXPECT_EQ(fmain->header(), "Tambah User");
    EXPECT_EQ(fmain->currentPage(), Page::tabUserNew);
    EXPECT_FALSE(form().tab_useradd_nip->isReadOnly());
    fill("197505152000031004", "rahasia-baru", "rahasia-baru");
    form().tab_useradd_simpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "User berhasil ditambahkan!"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabUser);
    EXPECT_EQ(list().sg_user->rowCount(), 5);
    EXPECT_EQ(fmain->header(), "Tambah User");
    EXPECT_EQ(accounts(), "4");
}

TEST_F(UsersTest, AddingFocusesTheNipAndEnterSaves)
{
    logIn(demoAdministrator);
    list().BitBtn3Click();
    EXPECT_EQ(fmain->focusWidget(), form().tab_useradd_nip);
    fill("197505152000031004", "rahasia-baru", "rahasia-bar");
    press(form().tab_useradd_password2, Qt::Key_Return);
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "password 1 dan 2 tidak match!"}}));
    form().tab_useradd_password2->setText("rahasia-baru");
    press(form().tab_useradd_nip, Qt::Key_Enter);
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "User berhasil ditambahkan!"}}));
    EXPECT_EQ(accounts(), "4");
}

TEST_F(UsersTest, TheServerRefusesAnAccountChangeByANonAdministrator)
{
    logIn(demoOperator);
    list().BitBtn3Click();
    fill("197505152000031004", "rahasia-baru", "rahasia-baru");
    form().tab_useradd_simpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal menambah user!",
                                       "Hanya Administrator yang boleh mengelola user"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabUserNew);
    EXPECT_EQ(form().tab_useradd_nip->text(), "197505152000031004");
    EXPECT_EQ(accounts(), "3");
}

TEST_F(UsersTest, FormChecksInTheirOrder)
{
    logIn(demoAdministrator);
    list().BitBtn3Click();
    struct Case {
        const char *nip, *p1, *p2, *text;
    };
    for (const Case &c :
         std::vector<Case>{{"19900101202001100", "12345678", "12345678", "NIP wajib 18 digit tanpa spasi!"},
                           {"199001012020011001", "", "", "password minimal 8 karakter!"},
                           {"199001012020011001", "abc", "abd", "password 1 dan 2 tidak match!"},
                           {"199001012020011001", "Abcdefgh", "abcdefgh", "password 1 dan 2 tidak match!"},
                           {"199001012020011001", "1234567", "1234567", "password minimal 8 karakter!"}}) {
        fill(c.nip, c.p1, c.p2);
        form().tab_useradd_simpanClick();
        EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, c.text}})) << c.nip << " " << c.p1;
    }
    // Letters and blanks pass the client's length check and reach the server.
    fill("abcdefghijklmnop r", "12345678", "12345678");
    form().tab_useradd_simpanClick();
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Warning, "Gagal menambah user!", "NIP tidak ada di data pegawai"}}));
}

TEST_F(UsersTest, ChangeAndDeleteNeedASelectedAccount)
{
    logIn(demoAdministrator);
    list().BitBtn4Click();
    list().BitBtn5Click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Tidak ada data yang bisa diupdate!"},
                                      {MessageKind::Information, "Tidak ada data yang bisa dihapus!"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabProfil);
}

TEST_F(UsersTest, ChangeThePasswordOfTheSelectedAccount)
{
    logIn(demoAdministrator);
    list().btUser_tampildataClick();
    selectRow(demoOperator.nip);
    list().BitBtn4Click();
    EXPECT_EQ(fmain->header(), "Ubah Password User");
    EXPECT_TRUE(form().tab_useradd_nip->isReadOnly());
    EXPECT_EQ(form().tab_useradd_nip->text(), demoOperator.nip);
    EXPECT_EQ(form().tab_useradd_nama->text(), "Dedi Firmansyah, S.E.");
    EXPECT_EQ(form().tab_useradd_nip->palette().color(QPalette::Base), QColor(128, 128, 128));
    form().tab_useradd_password1->setText("operator-baru");
    form().tab_useradd_password2->setText("operator-baru");
    form().tab_useradd_simpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Password berhasil diubah!"}}));
    SqlSession app = server.app();
    EXPECT_EQ(app.query("CALL nasn_login_cek('199202022020012002', 'operator-baru')").size(), 1u);
}

TEST_F(UsersTest, DeleteAfterConfirmation)
{
    logIn(demoAdministrator);
    list().btUser_tampildataClick();
    selectRow(demoReadOnly.nip);
    messages.answer(false);
    list().BitBtn5Click();
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Confirm, "Hapus Admin dengan nama Sri Wahyuni, S.AP.?"}}));
    EXPECT_EQ(accounts(), "3");
    messages.answer(true);
    list().BitBtn5Click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Confirm, "Hapus Admin dengan nama Sri Wahyuni, S.AP.?"},
                                      {MessageKind::Information, "User berhasil dihapus!"}}));
    EXPECT_EQ(accounts(), "2");
    EXPECT_EQ(list().sg_user->rowCount(), 3);
}

TEST_F(UsersTest, DeletingTheOwnAccountIsSentAndTheServerDecides)
{
    logIn(demoAdministrator);
    list().btUser_tampildataClick();
    selectRow(demoAdministrator.nip);
    messages.answer(true);
    list().BitBtn5Click();
    const Boxes boxes = messages.take();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], (Box{MessageKind::Warning, "Gagal menghapus user!",
                             "User yang sedang dipakai tidak bisa dihapus"}));
    EXPECT_EQ(server.admin().scalar("SELECT COUNT(*) FROM nasn_log WHERE aksi = 'hapus user'"), "1")
        << "the refusal reached the server's log";
}
