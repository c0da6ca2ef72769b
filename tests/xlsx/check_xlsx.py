#!/usr/bin/python3
"""Checks a written .xlsx package with readers independent of ours.

Usage: check_xlsx.py WORKBOOK.xlsx EXPECTED.json [--libreoffice]

EXPECTED.json describes, per sheet in order: its title, the cell values as
written ({"A1": "text" or number}), optionally a generated grid ("grid":
{"rows": R, "cols": C} whose cell (r, c) holds "Řádek r" in column A and the
number r * C + c elsewhere), merged ranges, column widths (characters), print
area and print titles, header and footer texts as header codes, and the
number of pictures, row heights (points) and cell formats ("styles": bold,
size, fill, border, number_format, horizontal, wrap). Prints what it checked and exits non-zero on the first
mismatch.
"""
import csv
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile
import xml.dom.minidom

import openpyxl
from openpyxl.utils import get_column_letter


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def expected_cells(sheet):
    cells = dict(sheet.get("cells", {}))
    grid = sheet.get("grid")
    if grid:
        for r in range(grid["rows"]):
            for c in range(grid["cols"]):
                ref = get_column_letter(c + 1) + str(r + 1)
                cells[ref] = "Řádek %d" % r if c == 0 else r * grid["cols"] + c
    return cells


def same(actual, expected):
    if isinstance(expected, str):
        # XML reads a CR LF line break in text back as LF.
        return actual == expected.replace("\r\n", "\n")
    if isinstance(actual, str):
        try:
            actual = float(actual)
        except ValueError:
            return False
    return actual is not None and abs(float(actual) - float(expected)) <= 1e-9 * max(1.0, abs(float(expected)))


def check_package(path):
    with zipfile.ZipFile(path) as z:
        bad = z.testzip()
        if bad is not None:
            fail("CRC error in " + bad)
        for name in z.namelist():
            if name.endswith(".xml") or name.endswith(".rels"):
                xml.dom.minidom.parseString(z.read(name))  # every part is well-formed XML
        return {name: z.read(name) for name in z.namelist()}


def pictures_of_sheet(parts, number):
    rels = parts.get("xl/worksheets/_rels/sheet%d.xml.rels" % number)
    if rels is None:
        return 0
    m = re.search(rb'Target="/?(xl/drawings/drawing\d+\.xml)"', rels)
    if not m:
        return 0
    drawing = parts[m.group(1).decode()]
    count = drawing.count(b"<xdr:pic>")
    drels = parts[m.group(1).decode().replace("drawings/", "drawings/_rels/") + ".rels"]
    for target in re.findall(rb'Target="/?(xl/media/[^"]+)"', drels):
        data = parts[target.decode()]
        if target.endswith(b".jpg") and not data.startswith(b"\xff\xd8\xff"):
            fail("media %s is not a JPEG" % target)
        if target.endswith(b".png") and not data.startswith(b"\x89PNG"):
            fail("media %s is not a PNG" % target)
    return count


def check_openpyxl(path, expected, parts):
    wb = openpyxl.load_workbook(path)
    if wb.sheetnames != [s["title"] for s in expected["sheets"]]:
        fail("sheet names %r" % wb.sheetnames)
    for number, sheet in enumerate(expected["sheets"], start=1):
        ws = wb[sheet["title"]]
        cells = expected_cells(sheet)
        for ref, value in cells.items():
            actual = ws[ref].value
            if isinstance(actual, str) and not same(actual, value):
                # openpyxl leaves some _xHHHH_ escapes of control characters undecoded.
                actual = re.sub("_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), actual)
            if not same(actual, value):
                fail("%s!%s is %r, expected %r" % (sheet["title"], ref, ws[ref].value, value))
        if "merged" in sheet and sorted(str(r) for r in ws.merged_cells.ranges) != sorted(sheet["merged"]):
            fail("merged ranges %r" % sorted(str(r) for r in ws.merged_cells.ranges))
        for row, height in sheet.get("row_heights", {}).items():
            actual = ws.row_dimensions[int(row)].height
            if actual is None or abs(actual - height) > 1e-6:
                fail("row %s height %r, expected %r" % (row, actual, height))
        for ref, style in sheet.get("styles", {}).items():
            cell = ws[ref]
            if "bold" in style and bool(cell.font.b) != style["bold"]:
                fail("%s bold is %r" % (ref, cell.font.b))
            if "size" in style and cell.font.sz != style["size"]:
                fail("%s font size is %r" % (ref, cell.font.sz))
            if "fill" in style and (cell.fill.fill_type != "solid" or cell.fill.fgColor.rgb != style["fill"]):
                fail("%s fill is %r %r" % (ref, cell.fill.fill_type, cell.fill.fgColor.rgb))
            if "border" in style:
                sides = [cell.border.left.style, cell.border.right.style, cell.border.top.style, cell.border.bottom.style]
                if sides != [style["border"]] * 4:
                    fail("%s borders are %r" % (ref, sides))
            if "number_format" in style and cell.number_format != style["number_format"]:
                fail("%s number format is %r" % (ref, cell.number_format))
            if "horizontal" in style and cell.alignment.horizontal != style["horizontal"]:
                fail("%s alignment is %r" % (ref, cell.alignment.horizontal))
            if "wrap" in style and bool(cell.alignment.wrap_text) != style["wrap"]:
                fail("%s wrap is %r" % (ref, cell.alignment.wrap_text))
        for letter, width in sheet.get("col_widths", {}).items():
            actual = ws.column_dimensions[letter].width
            if abs(actual - width) > 1e-6:
                fail("column %s width %r, expected %r" % (letter, actual, width))
        if "print_area" in sheet:
            area = ws.print_area or ""
            area = ",".join(area) if isinstance(area, list) else area
            area = area.split("!")[-1].replace("$", "")
            if area != sheet["print_area"]:
                fail("print area %r" % ws.print_area)
        if "print_title_rows" in sheet and (ws.print_title_rows or "").replace("$", "") != sheet["print_title_rows"]:
            fail("print title rows %r" % ws.print_title_rows)
        if "print_title_cols" in sheet and (ws.print_title_cols or "").replace("$", "") != sheet["print_title_cols"]:
            fail("print title cols %r" % ws.print_title_cols)
        for part in ("left", "center", "right"):
            for kind, hf in (("header", ws.oddHeader), ("footer", ws.oddFooter)):
                key = kind + "_" + part
                if key in sheet:
                    text = getattr(hf, part).text
                    if text != sheet[key]:
                        fail("%s %s is %r, expected %r" % (sheet["title"], key, text, sheet[key]))
        pictures = pictures_of_sheet(parts, number)
        if pictures != sheet.get("pictures", 0):
            fail("%s has %d pictures, expected %d" % (sheet["title"], pictures, sheet.get("pictures", 0)))
        if hasattr(ws, "_images") and ws._images and len(ws._images) != pictures:
            fail("openpyxl sees %d pictures" % len(ws._images))
        print("openpyxl: %s: %d cells, %d pictures ok" % (sheet["title"], len(cells), pictures))


def check_libreoffice(path, expected):
    work = tempfile.mkdtemp(prefix="nabidka-lo-")
    try:
        profile = "file://" + os.path.join(work, "profile")
        base = ["soffice", "-env:UserInstallation=" + profile, "--headless", "--norestore"]
        # All sheets, one file each; raw values, not as shown.
        csv_filter = "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,false,false,false,-1"
        # LibreOffice writes numbers in its user-interface locale: pin it, our file does not depend on it.
        env = dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8", LANGUAGE="")
        for target in (csv_filter, "pdf"):
            run = subprocess.run(base + ["--convert-to", target, "--outdir", work, path], capture_output=True, timeout=600,
                                 env=env)
            if run.returncode != 0:
                fail("LibreOffice failed: %r" % run.stderr)
        stem = os.path.splitext(os.path.basename(path))[0]
        pdf = os.path.join(work, stem + ".pdf")
        with open(pdf, "rb") as f:
            if not f.read(5) == b"%PDF-" or os.path.getsize(pdf) < 1000:
                fail("no PDF written")
        for sheet in expected["sheets"]:
            files = glob.glob(os.path.join(work, stem + "-" + sheet["title"] + ".csv"))
            if len(expected["sheets"]) == 1 and not files:
                files = glob.glob(os.path.join(work, stem + "*.csv"))
            if not files:
                fail("no CSV for sheet %s: %r" % (sheet["title"], os.listdir(work)))
            with open(files[0], newline="", encoding="utf-8") as f:
                rows = list(csv.reader(f))
            cells = expected_cells(sheet)
            for ref, value in cells.items():
                m = re.match(r"([A-Z]+)(\d+)$", ref)
                col = openpyxl.utils.column_index_from_string(m.group(1)) - 1
                row = int(m.group(2)) - 1
                actual = rows[row][col] if row < len(rows) and col < len(rows[row]) else None
                if isinstance(value, str):
                    ok = actual == value.replace("\r\n", "\n")
                else:
                    ok = same(actual, value)
                if not ok:
                    fail("LibreOffice %s!%s is %r, expected %r" % (sheet["title"], ref, actual, value))
            print("LibreOffice: %s: %d cells ok" % (sheet["title"], len(cells)))
        print("LibreOffice: PDF ok")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    path, expected_path = sys.argv[1], sys.argv[2]
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    parts = check_package(path)
    print("zipfile: %d entries ok" % len(parts))
    check_openpyxl(path, expected, parts)
    if "--libreoffice" in sys.argv:
        check_libreoffice(path, expected)
    print("OK")


if __name__ == "__main__":
    main()
