#include "screens/admin/user_list_page.h"

#include "data/failure_texts.h"
#include "data/list_grid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
constexpr int nipColumn = 2;
constexpr int nameColumn = 3;
} // namespace

UserListPage::UserListPage(Services services, FormEntries form, QWidget *parent)
    : QWidget(parent), btUser_tampildata(new QPushButton("Lihat Daftar User")), sg_user(new StringGrid),
      BitBtn3(new QPushButton("Tambah")), BitBtn4(new QPushButton("Ubah")), BitBtn5(new QPushButton("Hapus")),
      s_(services), form_(std::move(form))
{
    sg_user->setObjectName("sg_user");
    emptyListGrid(*sg_user);
    auto *filter = new QGroupBox("[ Filter Data ]");
    auto *filterLayout = new QHBoxLayout(filter);
    filterLayout->addWidget(btUser_tampildata);
    filterLayout->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn4);
    buttons->addWidget(BitBtn5);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(filter);
    layout->addWidget(sg_user, 1);
    layout->addLayout(buttons);

    connect(btUser_tampildata, &QPushButton::clicked, this, &UserListPage::btUser_tampildataClick);
    connect(BitBtn3, &QPushButton::clicked, this, &UserListPage::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &UserListPage::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &UserListPage::BitBtn5Click);
}

void UserListPage::sbUserClick()
{
    s_.shell.setHeader("Manajemen User");
    btUser_tampildataClick();
    s_.shell.showPage(Page::tabUser);
}

void UserListPage::btUser_tampildataClick()
{
    runStep(s_.host, s_.messages, {texts::adminListConnectionFailure, texts::dataFailure}, [this] {
        emptyListGrid(*sg_user);
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("call `nasn_user_tampildata`()");
        q.open();
        fillListGrid(*sg_user, q,
                     {{"NIP", 120, "nip"},
                      {"Nama Lengkap", 250, "nama_lengkap"},
                      {"User Level", 110, "user_level"},
                      {"Tanggal Aktif", 130, "register_date"}},
                     2);
        return Step::Done;
    });
}

void UserListPage::BitBtn3Click()
{
    form_.add();
}

void UserListPage::BitBtn4Click()
{
    s_.shell.setHeader("Ubah Password User");
    const QString nip = sg_user->selectedCell(nipColumn);
    if (nip.isEmpty()) {
        s_.messages.information("Tidak ada data yang bisa diupdate!");
        return;
    }
    form_.change(nip, sg_user->selectedCell(nameColumn));
}

void UserListPage::BitBtn5Click()
{
    const QString nip = sg_user->selectedCell(nipColumn);
    if (nip.isEmpty()) {
        s_.messages.information("Tidak ada data yang bisa dihapus!");
        return;
    }
    if (!s_.messages.confirm("Hapus Admin dengan nama " + sg_user->selectedCell(nameColumn) + "?"))
        return;
    runStep(s_.host, s_.messages, {texts::accountConnectionFailure, "Gagal menghapus user!"}, [this, nip] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("call `nasn_user_hapus`(:var_nip, :var_nip_pemroses)");
        q.setText("var_nip", nip);
        q.setText("var_nip_pemroses", s_.context.nipLogin);
        q.execute();
        s_.messages.information("User berhasil dihapus!");
        btUser_tampildataClick();
        return Step::Done;
    });
}
