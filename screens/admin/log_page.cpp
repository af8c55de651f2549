#include "screens/admin/log_page.h"

#include "data/failure_texts.h"
#include "data/list_grid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Shows the date; the time of day it holds is sent along.
QDateTimeEdit *datePicker()
{
    auto *picker = new QDateTimeEdit;
    picker->setCalendarPopup(true);
    picker->setDisplayFormat("dd/MM/yyyy");
    return picker;
}

} // namespace

LogPage::LogPage(Services services, QWidget *parent)
    : QWidget(parent), dt_log_start(datePicker()), dt_log_end(datePicker()),
      btLog_tampilData(new QPushButton("Lihat Daftar Log")), sg_log(new StringGrid), s_(services)
{
    sg_log->setObjectName("sg_log");
    emptyListGrid(*sg_log);
    auto *filter = new QGroupBox("[ Filter Data ]");
    auto *filterLayout = new QHBoxLayout(filter);
    filterLayout->addWidget(new QLabel("Periode"));
    filterLayout->addWidget(dt_log_start);
    filterLayout->addWidget(new QLabel("s/d"));
    filterLayout->addWidget(dt_log_end);
    filterLayout->addWidget(btLog_tampilData);
    filterLayout->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(filter);
    layout->addWidget(sg_log, 1);
    connect(btLog_tampilData, &QPushButton::clicked, this, &LogPage::btLog_tampilDataClick);
}

void LogPage::sbLogClick()
{
    s_.shell.setHeader("Pantauan Log");
    dt_log_start->setDateTime(QDateTime(QDate(2020, 1, 1), QTime(0, 0)));
    dt_log_end->setDateTime(s_.now());
    s_.shell.showPage(Page::tabLog);
}

void LogPage::btLog_tampilDataClick()
{
    runStep(s_.host, s_.messages, {texts::adminListConnectionFailure, texts::dataFailure}, [this] {
        sg_log->clearCells();
        sg_log->setRowCount(1);
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("call `nasn_log_tampildata`(:var_tanggal_start, :var_tanggal_end)");
        q.setDateTime("var_tanggal_start", dt_log_start->dateTime());
        q.setDateTime("var_tanggal_end", dt_log_end->dateTime());
        q.open();
        if (q.rowCount() == 0) {
            emptyListGrid(*sg_log);
            return Step::Done;
        }
        fillListGrid(*sg_log, q,
                     {{"NIP", 120, "nip"},
                      {"Nama Lengkap", 150, "nama_lengkap"},
                      {"Tanggal", 150, "tanggal_aksi"},
                      {"Aksi", 130, "aksi"},
                      {"Keterangan", 530, "keterangan"}},
                     1);
        return Step::Done;
    });
}
