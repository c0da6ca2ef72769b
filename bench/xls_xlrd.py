"""Reference side of `nabidka-bench xls`: xlrd opens the workbook and reads
every cell of every sheet, best of REPEAT runs. Run with Debian's
/usr/bin/python3 (python3-xlrd).

Prints `xlrd_seconds: S`, then `cells: N` (non-empty cells) and
`number_sum: X` so the caller can check both readers saw the same data."""
import sys
import time

import xlrd


def read_all(path):
    book = xlrd.open_workbook(path)
    cells = 0
    number_sum = 0.0
    for sheet in book.sheets():
        for r in range(sheet.nrows):
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_NUMBER:
                    cells += 1
                    number_sum += cell.value
                elif cell.ctype == xlrd.XL_CELL_TEXT:
                    if cell.value:
                        cells += 1
    return cells, number_sum


def main():
    path = sys.argv[1]
    repeat = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    best = None
    for _ in range(repeat):
        start = time.perf_counter()
        cells, number_sum = read_all(path)
        seconds = time.perf_counter() - start
        best = seconds if best is None else min(best, seconds)
    print(f"xlrd_seconds: {best:.4f}")
    print(f"cells: {cells}")
    print(f"number_sum: {number_sum:.2f}")


if __name__ == "__main__":
    main()
