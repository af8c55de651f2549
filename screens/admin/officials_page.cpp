#include "screens/admin/officials_page.h"

#include "data/failure_texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

const StepTexts loadTexts{texts::connectionFailure, texts::dataFailure};

QLabel *nameLabel()
{
    auto *label = new QLabel;
    QFont font = label->font();
    font.setBold(true);
    font.setItalic(true);
    label->setFont(font);
    return label;
}

// The full name for a NIP: first column of the first row, empty when unknown.
QString lookUpName(Query &q, const QString &nip)
{
    q.close();
    q.setSql("CALL nasn_select_nama_lengkap (:nip) ");
    q.setText("nip", nip);
    q.open();
    q.first();
    return q.fieldAt(0);
}

} // namespace

OfficialsPage::OfficialsPage(Services services, QWidget *parent)
    : QWidget(parent), edPA(new QLineEdit), lbPA(nameLabel()), edBP(new QLineEdit), lbBP(nameLabel()),
      btUpdatePejabat(new QPushButton("Update Data")), s_(services)
{
    auto *group = new QGroupBox("[ data pejabat ]");
    auto *grid = new QGridLayout(group);
    grid->addWidget(new QLabel("NIP Pengguna Anggaran"), 0, 0);
    grid->addWidget(edPA, 0, 1);
    grid->addWidget(lbPA, 0, 2);
    grid->addWidget(new QLabel("NIP Bendahara Pengeluaran"), 1, 0);
    grid->addWidget(edBP, 1, 1);
    grid->addWidget(lbBP, 1, 2);
    grid->addWidget(btUpdatePejabat, 2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    connect(btUpdatePejabat, &QPushButton::clicked, this, &OfficialsPage::btUpdatePejabatClick);
}

void OfficialsPage::loadPejabat()
{
    const bool pairStored = runStep(s_.host, s_.messages, loadTexts, [this] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_pejabat_loaddata`() ");
        q.open();
        if (q.rowCount() == 0) {
            edPA->setText("0");
            edBP->setText("0");
            lbPA->clear();
            lbBP->clear();
            return Step::Stopped;
        }
        q.first();
        const QString pa = q.field("pa");
        const QString bp = q.field("bp");
        edPA->setText(pa);
        edBP->setText(bp);
        return Step::Done;
    });
    if (!pairStored)
        return;
    for (auto [edit, label] : {std::pair{edPA, lbPA}, std::pair{edBP, lbBP}}) {
        const bool found = runStep(s_.host, s_.messages, loadTexts, [this, edit, label] {
            label->setText(lookUpName(s_.dm.fdsq1, edit->text()));
            return Step::Done;
        });
        if (!found)
            return;
    }
}

bool OfficialsPage::lookUpNames(QString &paName, QString &bpName)
{
    for (auto [edit, name] : {std::pair{edPA, &paName}, std::pair{edBP, &bpName}}) {
        const bool found = runStep(s_.host, s_.messages, loadTexts, [this, edit, name] {
            *name = lookUpName(s_.dm.fdsq1, edit->text());
            return Step::Done;
        });
        if (!found)
            return false;
    }
    return true;
}

bool OfficialsPage::store(const QString &statement, const QString &failure)
{
    return runStep(s_.host, s_.messages, {texts::connectionFailure, failure}, [&] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql(statement);
        q.setText("var_pa", edPA->text());
        q.setText("var_bp", edBP->text());
        q.execute();
        s_.messages.information("Update data berhasil!");
        return Step::Done;
    });
}

void OfficialsPage::btUpdatePejabatClick()
{
    QString paName, bpName;
    if (!lookUpNames(paName, bpName))
        return;
    if (s_.messages.confirm("Update data " + paName + " sebagai Pengguna Anggaran dan " + bpName +
                            " sebagai Bendahara Pengeluaran?")) {
        // Insert or update by what the server holds now, not by what the page showed.
        int storedPairs = 0;
        bool countFailed = false;
        const bool counted = runStep(s_.host, s_.messages, loadTexts, [&] {
            try {
                Query &q = s_.dm.fdsq1;
                q.close();
                q.setSql("CALL `nasn_pejabat_loaddata`() ");
                q.open();
                storedPairs = q.rowCount();
                return Step::Done;
            } catch (const std::exception &failure) {
                s_.messages.show(MessageKind::Error, "Gagal Update Data!", refusalReason(failure));
                countFailed = true;
                return Step::Stopped;
            }
        });
        if (!counted && !countFailed)
            return;
        if (counted) {
            const bool stored =
                storedPairs == 0
                    ? store("CALL `nasn_pejabat_insert`(:var_pa,:var_bp) ", "Gagal melakukan input data!")
                    : store("CALL `nasn_pejabat_update`(:var_pa,:var_bp) ", "Gagal melakukan update data!");
            if (!stored)
                return;
        }
    }
    loadPejabat();
}
