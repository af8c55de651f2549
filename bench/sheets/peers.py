"""The peer side of bench_sheets, run with Debian's /usr/bin/python3.

  peers.py write-xls PATH ROWS   writes the recipient sheet with xlwt
  peers.py read PATH RUNS        reads it with xlrd (.xls) or openpyxl in
                                 read-only mode (.xlsx) and prints the best
                                 time in milliseconds, start-up excluded
"""
import sys
import time


def recipient(r):
    salary = 3000000 + (r * 7919) % 5000000
    return [f"32{r:014d}", f"Pegawai Nomor {r}", salary, salary * 0.04, salary * 0.01, 750000 + r, r % 3 * 100000]


def write_xls(path, rows):
    import xlwt

    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Data")
    for r in range(rows):
        for c, v in enumerate(recipient(r)):
            sheet.write(r, c, v)
    book.save(path)


def read_xls(path):
    import xlrd

    sheet = xlrd.open_workbook(path).sheet_by_index(0)
    return [sheet.row_values(r)[:7] for r in range(sheet.nrows)]


def read_xlsx(path):
    import openpyxl

    book = openpyxl.load_workbook(path, read_only=True, data_only=True)
    table = [list(row[:7]) for row in book.worksheets[0].iter_rows(values_only=True)]
    book.close()
    return table


def main():
    if sys.argv[1] == "write-xls":
        write_xls(sys.argv[2], int(sys.argv[3]))
        return
    path, runs = sys.argv[2], int(sys.argv[3])
    read = read_xlsx if path.endswith(".xlsx") else read_xls
    best = None
    for _ in range(runs):
        start = time.perf_counter()
        read(path)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    print(f"{best * 1000:.1f}")


if __name__ == "__main__":
    main()
