#include "reports/run_workbook.h"

#include <QFile>
#include <xlsxwriter.h>

namespace {

struct Column {
    const char *field;
    const char *heading;
    double width;
};

// The attachment's columns in its order: the line number, the two texts, then the amounts.
const Column columns[] = {
    {"idx", "No.", 5},
    {"nik", "NIK", 19},
    {"nama_lengkap", "Nama", 32},
    {"gapok", "Gaji Pokok", 14},
    {"gapok_bpjs", "Gaji Pokok yang dilaporkan", 14},
    {"gapok_1", "Iuran dari Gaji PPU (1 %)", 14},
    {"gapok_4", "Iuran dari Gaji PK (4 %)", 14},
    {"remunerasi", "Remunerasi", 14},
    {"insentif", "Insentif", 14},
    {"thp", "Total Take Home Pay", 15},
    {"dpi_bruto", "Dasar Pengenaan Iuran", 15},
    {"bruto_1", "Iuran BPJS Total PPU (1 %)", 14},
    {"bruto_4", "Iuran BPJS Total PK (4 %)", 14},
    {"netto_1", "Iuran Total dikurangi Iuran dari Gaji PPU (1 %)", 16},
    {"netto_4", "Iuran Total dikurangi Iuran dari Gaji PK (4 %)", 16},
    {"remunerasi_1", "Iuran dari Remunerasi PPU (1 %)", 15},
    {"remunerasi_4", "Iuran dari Remunerasi PK (4 %)", 15},
    {"insentif_1", "Iuran dari Insentif PPU (1 %)", 14},
    {"insentif_4", "Iuran dari Insentif PK (4 %)", 14},
};
constexpr lxw_col_t firstAmount = 3;
constexpr lxw_row_t headingRow = 6;

std::string utf8(const QString &text)
{
    return text.toStdString();
}

std::string cellName(lxw_row_t row, lxw_col_t col)
{
    char name[16];
    lxw_rowcol_to_cell(name, row, col);
    return name;
}

} // namespace

bool saveRunWorkbook(const ProcessedRun &run, const QString &path)
{
    // libxlsxwriter writes the file only when closing; a path it cannot open fails there.
    lxw_workbook *book = workbook_new(QFile::encodeName(path).constData());
    if (!book)
        return false;
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Iuran BPJS");
    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format *heading = workbook_add_format(book);
    format_set_bold(heading);
    format_set_text_wrap(heading);
    format_set_align(heading, LXW_ALIGN_CENTER);
    format_set_align(heading, LXW_ALIGN_VERTICAL_CENTER);
    format_set_border(heading, LXW_BORDER_THIN);
    lxw_format *amount = workbook_add_format(book);
    format_set_num_format(amount, "#,##0");
    lxw_format *total = workbook_add_format(book);
    format_set_num_format(total, "#,##0");
    format_set_bold(total);

    const QueryResult &rows = run.rows;
    const int nameUnit = rows.indexOf("nama_unit");
    const QString unit = rows.rows.empty() || nameUnit < 0 ? QString() : rows.rows.front()[nameUnit];
    const Officials &o = run.officials;
    const QString top[][4] = {
        {"DAFTAR PERHITUNGAN BPJS KESEHATAN REMUNERASI NON ASN"},
        {"Perangkat Daerah", unit},
        {"Bulan", run.periodLabel},
        {"Kuasa Pengguna Anggaran", o.pa_nama, "NIP. " + o.pa_nip, o.pa_pangkat},
        {"Bendahara Pengeluaran", o.bp_nama, "NIP. " + o.bp_nip, o.bp_pangkat},
    };
    for (lxw_row_t r = 0; r < std::size(top); ++r)
        for (lxw_col_t c = 0; c < 4; ++c)
            if (!top[r][c].isEmpty())
                worksheet_write_string(sheet, r, c, utf8(top[r][c]).c_str(),
                                       r == 0 || c == 0 ? bold : nullptr);

    worksheet_set_row(sheet, headingRow, 45, nullptr);
    int fieldColumn[std::size(columns)];
    for (lxw_col_t c = 0; c < std::size(columns); ++c) {
        worksheet_set_column(sheet, c, c, columns[c].width, nullptr);
        worksheet_write_string(sheet, headingRow, c, columns[c].heading, heading);
        fieldColumn[c] = rows.indexOf(columns[c].field);
    }
    worksheet_freeze_panes(sheet, headingRow + 1, firstAmount);

    std::vector<double> sums(std::size(columns), 0);
    lxw_row_t r = headingRow + 1;
    for (const QStringList &row : rows.rows) {
        for (lxw_col_t c = 0; c < std::size(columns); ++c) {
            const QString text = fieldColumn[c] < 0 ? QString() : row[fieldColumn[c]];
            if (c == 1 || c == 2) {
                worksheet_write_string(sheet, r, c, utf8(text).c_str(), nullptr);
                continue;
            }
            const double value = text.toDouble();
            worksheet_write_number(sheet, r, c, value, c == 0 ? nullptr : amount);
            sums[c] += value;
        }
        ++r;
    }
    worksheet_write_string(sheet, r, 2, "Jumlah", bold);
    for (lxw_col_t c = firstAmount; c < std::size(columns); ++c) {
        // A formula, so an edited line updates the total, with its value for readers that do not compute.
        const std::string formula =
            rows.rows.empty() ? std::string("=0")
                              : "=SUM(" + cellName(headingRow + 1, c) + ":" + cellName(r - 1, c) + ")";
        worksheet_write_formula_num(sheet, r, c, formula.c_str(), total, sums[c]);
    }
    return workbook_close(book) == LXW_NO_ERROR;
}
