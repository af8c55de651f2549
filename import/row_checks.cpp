#include "import/row_checks.h"

#include "import/cell_text.h"

#include <QHash>

namespace importing {

namespace {

constexpr uint8_t checkedAsNumber = 0b1111101; // NIK and the five amounts
constexpr int maxAmountDigits = 15;
constexpr int nikDigits = 16;
constexpr int maxNameLength = 100;

const QString columnNames[columns] = {
    QStringLiteral("NIK"),
    QStringLiteral("Nama Lengkap"),
    QStringLiteral("Nominal Gaji"),
    QStringLiteral("Nominal 4% BPJS"),
    QStringLiteral("Nominal 1% BPJS"),
    QStringLiteral("Nominal Remunerasi"),
    QStringLiteral("Nominal Insentif"),
};

bool isDigits(const QString &text, qsizetype minimum, qsizetype maximum)
{
    return text.size() >= minimum && text.size() <= maximum &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The reasons a row fails on its own, without looking at other rows.
QStringList ownReasons(const QStringList &cells, const RowKinds &kinds)
{
    QStringList reasons;
    for (int c = 0; c < columns; ++c)
        if ((kinds.dates & checkedAsNumber) & (1u << c))
            reasons << QStringLiteral(
                           "%1 berformat tanggal atau jam; ubah format sel menjadi General lalu ketik "
                           "ulang nilainya")
                           .arg(columnNames[c]);
    if (!reasons.isEmpty())
        return reasons;
    if (kinds.numbers & (1u << nik))
        reasons << QStringLiteral("NIK tersimpan sebagai angka di Excel sehingga digit terakhirnya hilang; "
                                  "format kolom NIK sebagai Text lalu ketik ulang NIK");
    else if (!isDigits(cells[nik], nikDigits, nikDigits))
        reasons << QStringLiteral("NIK harus 16 digit angka");
    const QString prepared = preparedName(cells[name]);
    if (prepared.isEmpty())
        reasons << QStringLiteral("Nama Lengkap kosong");
    else if (prepared.size() > maxNameLength && prepared.toUcs4().size() > maxNameLength)
        reasons << QStringLiteral("Nama Lengkap lebih dari 100 karakter");
    for (int c = salary; c < columns; ++c)
        if (!isDigits(cells[c], 1, maxAmountDigits))
            reasons << QStringLiteral("%1 harus angka bulat tanpa titik atau koma, paling banyak 15 digit")
                           .arg(columnNames[c]);
    return reasons;
}

} // namespace

bool isSent(const RowKinds &kinds)
{
    return (kinds.dates & checkedAsNumber) == 0;
}

QStringList rowRefusals(const ImportTable &table, const QSet<QString> &alreadyIn)
{
    QStringList refusals;
    refusals.reserve(table.rows.size());
    QHash<QString, qsizetype> firstPassing; // NIK to the row that would store it
    firstPassing.reserve(table.rows.size());
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        const QString &nikCell = table.rows[r][nik];
        QStringList reasons = ownReasons(table.rows[r], table.kinds[r]);
        if (reasons.isEmpty()) {
            if (alreadyIn.contains(nikCell))
                reasons << QStringLiteral("NIK sudah ada di pengajuan");
            else if (auto first = firstPassing.constFind(nikCell); first != firstPassing.cend())
                reasons
                    << QStringLiteral("NIK ganda di file, sama dengan baris %1").arg(table.sheetRow(*first));
            else
                firstPassing.insert(nikCell, r);
        }
        refusals << reasons.join(QStringLiteral("; "));
    }
    return refusals;
}

} // namespace importing
