"""Writes the reader fixtures made by xlwt (.xls) and openpyxl (.xlsx) into a folder.

Run with Debian's /usr/bin/python3, which has both packages. Every sheet is
written in both forms from one description, so the two readers must agree.
"""
import sys

import openpyxl
import xlwt

NAMES = ["NIK", "Nama Lengkap", "Nominal Gaji", "Nominal 4%", "Nominal 1%", "Remunerasi", "Insentif"]


def recipient(nik, name, salary):
    return [nik, name, salary, salary * 0.04, salary * 0.01, 750000, 0]


# name -> (cells as {(row, col): value}, styled empty cells)
SHEETS = {
    # starts at B3, a title row sent as data, a blank row inside, a formatted blank far outside
    "offset": (
        {
            **{(2, 1 + c): v for c, v in enumerate(NAMES)},
            **{(3, 1 + c): v for c, v in enumerate(recipient(3201234567890123, "Siti Aminah", 5000000))},
            **{(5, 1 + c): v for c, v in enumerate(recipient("3201234567890124", "  O'Neil  ", 4250000.5))},
            (6, 1): "3201234567890125",
            (6, 2): "Budi",
            (6, 3): "5'000\\",
        },
        [(40, 30)],
    ),
    "numbers": (
        {
            (0, c): v
            for c, v in enumerate(
                [0.5, -0.0, 1e20, 1e-7, 0.00001, 123456789012345, 1234567890123456, -2.5, 1 / 3, 2.0**53, True, False]
            )
        },
        [],
    ),
    "cols6": ({(r, c): r * 10 + c for r in range(3) for c in range(6)}, [(1, 6), (1, 8)]),
    "cols7": ({(r, c): f"r{r}c{c}" for r in range(3) for c in range(7)}, []),
    "cols9": ({(r, c): r * 10 + c + 1 for r in range(4) for c in range(9)}, []),
    "single": ({(3, 2): "satu"}, [(0, 0)]),
    "empty": ({}, [(2, 2)]),
    "unicode": (
        {(0, 0): "Ñoño", (0, 1): "Ā ā Ž", (0, 2): "日本", (0, 3): "tab\there", (1, 0): "x" * 300, (1, 6): ""},
        [],
    ),
}


def write_xls(path, cells, styled):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Data")
    for (r, c), v in cells.items():
        sheet.write(r, c, v)
    bold = xlwt.easyxf("font: bold on; pattern: pattern solid, fore_colour yellow")
    for r, c in styled:
        sheet.write(r, c, None, bold)
    book.save(path)


def write_xlsx(path, cells, styled):
    book = openpyxl.Workbook()
    sheet = book.active
    for (r, c), v in cells.items():
        sheet.cell(row=r + 1, column=c + 1, value=v)
    for r, c in styled:
        sheet.cell(row=r + 1, column=c + 1).font = openpyxl.styles.Font(bold=True)
    book.save(path)


def write_xls_extras(folder):
    # many strings: the shared-string table runs over several CONTINUE records,
    # with strings (one-byte and two-byte) split across them
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Banyak")
    for r in range(120):
        sheet.write(r, 0, f"Pegawai nomor {r} " + ("ā" if r % 3 == 0 else "a") * (r % 40))
        sheet.write(r, 6, ("Ž" if r % 2 else "z") * (r * 211 % 9000))
    book.save(f"{folder}/many_strings.xls")

    # rich text and a boolean
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Data")
    sheet.write_rich_text(0, 1, ("Siti ", ("Aminah", xlwt.easyfont("bold on"))))
    for c in (0, 2, 3, 4, 5, 6):
        sheet.write(0, c, c)
    sheet.write(1, 1, True)
    book.save(f"{folder}/rich.xls")

    # an error cell at C5
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Data")
    for c in range(7):
        sheet.write(0, c, c)
    sheet.row(4).set_cell_error(2, 0x2A)  # #N/A
    book.save(f"{folder}/error_c5.xls")

    # a second sheet first in name order but second in the workbook
    book = xlwt.Workbook(encoding="utf-8")
    book.add_sheet("Zulu").write(0, 0, "first")
    book.add_sheet("Alpha").write(0, 0, "second")
    book.save(f"{folder}/two_sheets.xls")


def write_xlsx_extras(folder):
    book = openpyxl.Workbook()
    sheet = book.active
    for c in range(7):
        sheet.cell(row=1, column=c + 1, value=c)
    sheet["C5"] = "#N/A"
    book.save(f"{folder}/error_c5.xlsx")

    # the first sheet of the workbook is written second and has the higher id
    book = openpyxl.Workbook()
    book.active.title = "Later"
    book.active["A1"] = "second"
    first = book.create_sheet("Sooner", 0)
    first["A1"] = "first"
    book.save(f"{folder}/two_sheets.xlsx")


def main(folder):
    for name, (cells, styled) in SHEETS.items():
        write_xls(f"{folder}/{name}.xls", cells, styled)
        write_xlsx(f"{folder}/{name}.xlsx", cells, styled)
    write_xls_extras(folder)
    write_xlsx_extras(folder)


if __name__ == "__main__":
    main(sys.argv[1])
