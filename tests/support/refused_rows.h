// A recipient sheet with one row for each way the import refuses a row, and
// the reasons it gives, for the import screen and sheetdump --check alike.
// The data starts on the sheet's third row, so row numbers are the sheet's own.
#pragma once

#include "tests/support/sheet_writer.h"

struct RefusedRowsSheet {
    std::vector<QStringList> rows;
    CellFormats formats;
    // Beside each sheet row from row 3 on: "" for a row that passes, else the reason.
    QStringList reasons;
};

inline RefusedRowsSheet refusedRowsSheet()
{
    RefusedRowsSheet sheet;
    auto row = [&](QStringList cells, const QString &reason) {
        sheet.rows.push_back(std::move(cells));
        sheet.reasons << reason;
    };
    const QString amountRule = " harus angka bulat tanpa titik atau koma, paling banyak 15 digit";
    sheet.rows = {{}, {}};
    row({"3273000000000101", "Siti Aminah", "5000000", "200000", "50000", "750000", "0"}, "");
    row({"32730000000001020", "Budi", "5000000", "200000", "50000", "750000", "0"},
        "NIK harus 16 digit angka");
    row({"3273000000000103", "Cici", "5000000", "200000", "50000", "750000", "0"},
        "NIK tersimpan sebagai angka di Excel sehingga digit terakhirnya hilang; format kolom NIK sebagai "
        "Text "
        "lalu ketik ulang NIK");
    sheet.formats[{4, 0}] = "0";
    row({"3273000000000104", "Dedi", "45306", "200000", "50000", "750000", "0"},
        "Nominal Gaji berformat tanggal atau jam; ubah format sel menjadi General lalu ketik ulang nilainya");
    sheet.formats[{5, 2}] = "d/m/yyyy";
    row({"3273000000000105", "Euis", "1.250.000,50", "200000", "50000", "750000", "0"},
        "Nominal Gaji" + amountRule);
    row({"3273000000000106", "  ", "5000000", "200000", "50000", "750000", "0"}, "Nama Lengkap kosong");
    row({"3273000000000101", "Siti Kedua", "5000000", "200000", "50000", "750000", "0"},
        "NIK ganda di file, sama dengan baris 3");
    row({"3273000000000108", QString(101, 'N'), "5000000", "200000", "50000", "750000", "0"},
        "Nama Lengkap lebih dari 100 karakter");
    row({"3273000000000109", "Gita", "5000000", "200000", "50000", "750000", "1234567890123456"},
        "Nominal Insentif" + amountRule);
    // the same NIK as the refused row 7: this one is stored
    row({"3273000000000105", "Euis", "4000000", "160000", "40000", "750000", "0"}, "");
    // number formats that only look like dates stay amounts
    row({"3273000000000111", "Hadi", "5000000", "200000", "50000", "750000", "0"}, "");
    sheet.formats[{12, 2}] = "#,##0;[Red]-#,##0";
    row({"3273000000000112", "Indah", "5000000", "200000", "50000", "750000", "0"}, "");
    sheet.formats[{13, 2}] = "[$Rp-421]#,##0";
    // two reasons at once, and a time of day in the 1 % column
    row({"12a", "", "5000000", "200000", "50000", "750000", "0"},
        "NIK harus 16 digit angka; Nama Lengkap kosong");
    row({"3273000000000114", "Joko", "5000000", "200000", "0.5", "750000", "0"},
        "Nominal 1% BPJS berformat tanggal atau jam; ubah format sel menjadi General lalu ketik ulang "
        "nilainya");
    sheet.formats[{15, 4}] = "h:mm";
    return sheet;
}
