"""Prints the first worksheet's used range as another reader sees it, as JSON.

xlrd reads .xls, openpyxl .xlsx (chosen by the first bytes, as our reader
does). Each cell is null (empty), ["s", text], ["n", number], ["b", bool] or
["e", code]; "top" and "left" give the used range's first cell, zero-based.
Run with Debian's /usr/bin/python3.
"""
import datetime
import json
import re
import sys


def unescape(text):
    # openpyxl leaves the _xHHHH_ escapes of the file in the text; a spreadsheet shows the characters
    return re.sub(r"_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), text)


def xls_cells(path):
    import xlrd

    book = xlrd.open_workbook(path)
    sheet = book.sheet_by_index(0)
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            kind = {
                xlrd.XL_CELL_TEXT: "s",
                xlrd.XL_CELL_NUMBER: "n",
                xlrd.XL_CELL_DATE: "n",
                xlrd.XL_CELL_BOOLEAN: "b",
                xlrd.XL_CELL_ERROR: "e",
            }.get(cell.ctype)
            if kind == "b":
                yield r, c, [kind, bool(cell.value)]
            elif kind == "e":
                yield r, c, [kind, xlrd.error_text_from_code[cell.value]]
            elif kind:
                yield r, c, [kind, cell.value]


def xlsx_cells(path):
    import openpyxl
    from openpyxl.utils.datetime import to_excel

    sheet = openpyxl.load_workbook(path, data_only=True).worksheets[0]
    for row in sheet.iter_rows():
        for cell in row:
            v = cell.value
            if v is None:
                continue
            if cell.data_type == "e":
                yield cell.row - 1, cell.column - 1, ["e", v]
            elif isinstance(v, bool):
                yield cell.row - 1, cell.column - 1, ["b", v]
            elif isinstance(v, (int, float)):
                yield cell.row - 1, cell.column - 1, ["n", v]
            elif isinstance(v, (datetime.datetime, datetime.date)):
                yield cell.row - 1, cell.column - 1, ["n", to_excel(v)]
            else:
                yield cell.row - 1, cell.column - 1, ["s", unescape(str(v))]


def main(path):
    with open(path, "rb") as f:
        head = f.read(4)
    cells = [c for c in (xlsx_cells if head == b"PK\x03\x04" else xls_cells)(path) if c[2] != ["s", ""]]
    if not cells:
        print(json.dumps({"top": 0, "left": 0, "rows": [[None]]}))
        return
    top = min(r for r, _, _ in cells)
    left = min(c for _, c, _ in cells)
    rows = [[None] * (max(c for _, c, _ in cells) - left + 1) for _ in range(max(r for r, _, _ in cells) - top + 1)]
    for r, c, v in cells:
        rows[r - top][c - left] = v
    print(json.dumps({"top": top, "left": left, "rows": rows}))


if __name__ == "__main__":
    main(sys.argv[1])
