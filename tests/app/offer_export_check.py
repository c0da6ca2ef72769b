#!/usr/bin/python3
"""Exports the example offer with nabidka-cli and checks the workbook with
independent readers: openpyxl for cells, merges, print area, header and
footer, the package's drawing part for the pictures, LibreOffice and poppler
for printing.

usage: offer_export_check.py NABIDKA_CLI EXAMPLE_FOLDER [--png OUT.png]
Exit code 77 when openpyxl is not installed (the test is skipped)."""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile
import xml.etree.ElementTree as ET

try:
    import openpyxl
except ImportError:
    print("openpyxl is not installed; skipped")
    sys.exit(77)

import warnings

# Readers must not have to repair anything: a warning fails the check.
warnings.simplefilter("error")

FAILURES = []


def check(condition, message):
    if not condition:
        FAILURES.append(message)


def single(value):
    """The value rounded to IEEE single precision, as the offer computes money."""
    return struct.unpack("<f", struct.pack("<f", value))[0]


def parse_number(text):
    return float(text.replace(" ", "").replace("\u00a0", "").replace(",", "."))


def read_items(csv_path):
    """Items of an article list: code, count, price, description, property lines."""
    with open(csv_path, "rb") as f:
        lines = [l for l in f.read().decode("cp1250").splitlines() if l.strip()]
    items = []
    for line in lines[1:]:
        first = line.find(";")
        if 1 <= first <= 3:
            fields = line.split(";")
            items.append({"code": fields[1].strip(), "count": int(parse_number(fields[2])),
                          "price": parse_number(fields[3]), "lines": []})
        elif first == 0 and items:
            items[-1]["lines"].append(line[1:].rstrip())
    for item in items:
        item["description"] = item["lines"][0] if item["lines"] else ""
        item["properties"] = item["lines"][1:]
    return items


# A4 with 2 cm margins prints this many pixels of rows; rows are 17 px
# (header, item, customer, empty, totals) and 14 px (property, filler).
PAGE_HEIGHT = (29.7 - 4) / 2.54 * 96
LINE, SMALL = 17, 14


def expected_rows(items, customer, offer):
    """Row kinds the export must produce: an item's rows never split, a page
    broken before the block that does not fit, the header repeated."""
    rows = ["customer", "customer-line", "customer-line", "empty"] if customer else []
    rows.append("header")
    used = LINE * len(rows)
    blocks_on_page = 0

    def place(block_rows, height):
        nonlocal used, blocks_on_page
        if offer and used + height > PAGE_HEIGHT and (blocks_on_page or height <= PAGE_HEIGHT - LINE):
            rows.append("break-header")
            used, blocks_on_page = LINE, 0
        rows.extend(block_rows)
        used += height
        blocks_on_page += 1

    for index, item in enumerate(items):
        block = [("item", index)]
        if not offer:
            block.append("empty")
            place(block, 2 * LINE)
            continue
        k = len(item["properties"])
        block += [("property", index, p) for p in range(k)]
        fillers = 1 if k >= 12 else 12 - k
        block += [("filler", index, f) for f in range(fillers)]
        place(block, LINE + SMALL * (k + fillers))
    place(["empty", ("total", 0), ("total", 1), ("total", 2)], 4 * LINE)
    return rows


def jpeg_size(path):
    """Width and height from a JPEG's frame header."""
    with open(path, "rb") as f:
        data = f.read()
    pos = 2
    while pos + 9 < len(data):
        marker, length = data[pos + 1], int.from_bytes(data[pos + 2:pos + 4], "big")
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            return int.from_bytes(data[pos + 7:pos + 9], "big"), int.from_bytes(data[pos + 5:pos + 7], "big")
        pos += 2 + length
    return None


def picture_box(size):
    if not size:
        return 150, 150
    w, h = size
    return (150, round(150 * h / w + 1e-9)) if w >= h else (round(150 * w / h + 1e-9), 150)


def run(args):
    result = subprocess.run(args, capture_output=True, text=True)
    if result.returncode != 0:
        print("command failed:", " ".join(args), result.stderr, file=sys.stderr)
        sys.exit(1)
    return result.stdout


def totals_from_show(cli, folder):
    out = run([cli, "show", "--folder", folder, "--decimal-separator", ","])
    values = []
    for label in ("Celková cena bez DPH:", "DPH 21%:", "Celková cena s DPH:"):
        match = re.search(re.escape(label) + r"\s+(\S+)", out)
        values.append(single(parse_number(match.group(1))))
    return values


def pixel_width(ws, col):
    letter = openpyxl.utils.get_column_letter(col + 1)
    return round(ws.column_dimensions[letter].width * 7)


def pixel_height(ws, row):
    height = ws.row_dimensions[row + 1].height
    return (height if height is not None else 12.75) * 4 / 3


def picture_anchors(path):
    """(from col, from row, width px, height px, media name) per picture, from the drawing part."""
    ns = {"xdr": "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing",
          "a": "http://schemas.openxmlformats.org/drawingml/2006/main",
          "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships"}
    with zipfile.ZipFile(path) as z:
        names = z.namelist()
        if "xl/drawings/drawing1.xml" not in names:
            return [], {}
        drawing = ET.fromstring(z.read("xl/drawings/drawing1.xml"))
        rels = ET.fromstring(z.read("xl/drawings/_rels/drawing1.xml.rels"))
        targets = {r.get("Id"): r.get("Target") for r in rels}
        media = {n: z.read(n) for n in names if n.startswith("xl/media/")}
    anchors = []
    for anchor in drawing:
        def pos(tag):
            node = anchor.find("xdr:" + tag, ns)
            return [int(node.find("xdr:" + t, ns).text) for t in ("col", "colOff", "row", "rowOff")]
        blip = anchor.find(".//a:blip", ns)
        target = targets[blip.get("{%s}embed" % ns["r"])]
        # Targets are absolute ("/xl/media/…") or relative to xl/drawings ("../media/…").
        part = target.lstrip("/") if target.startswith("/") else "xl/" + target.replace("../", "")
        anchors.append((pos("from"), pos("to"), part))
    return anchors, media


def check_offer(cli, folder, out_dir):
    path = os.path.join(out_dir, "nabidka.xlsx")
    printed = run([cli, "export", "--folder", folder, "--decimal-separator", ",", "-o", path])
    check(printed.strip() == path, "export prints the written path: %r" % printed)

    csv = max((f for f in os.listdir(folder) if f.lower().endswith(".csv")),
              key=lambda f: os.path.getmtime(os.path.join(folder, f)))
    items = read_items(os.path.join(folder, csv))
    rows = expected_rows(items, customer=True, offer=True)
    totals = totals_from_show(cli, folder)

    wb = openpyxl.load_workbook(path)
    ws = wb.worksheets[0]
    check(ws.page_setup.fitToWidth == 1 and ws.page_setup.fitToHeight == 0 and ws.sheet_properties.pageSetUpPr.fitToPage,
          "one page wide: %r %r" % (ws.page_setup.fitToWidth, ws.page_setup.fitToHeight))
    breaks = [b.id for b in ws.row_breaks.brk]
    expected_breaks = [r for r, kind in enumerate(rows) if kind == "break-header"]
    check(breaks == expected_breaks, "page breaks %r, expected %r" % (breaks, expected_breaks))
    description = ws.oddHeader.left.text
    check(ws.title == description[:31], "title is the description cut to 31 characters: %r" % ws.title)
    check(ws.max_row == len(rows), "row count %d, expected %d" % (ws.max_row, len(rows)))
    check([a.replace("$", "") for a in ws.print_area] == ["A1:F%d" % len(rows)], "print area %r" % ws.print_area)
    check(ws.oddHeader.left.font == "Arial Black" and ws.oddHeader.left.size == 10, "left header font")
    check(ws.oddHeader.right.text == "Datum: &D", "right header %r" % ws.oddHeader.right.text)
    check(ws.oddFooter.center.text == "Strana &P z &N", "footer %r" % ws.oddFooter.center.text)
    check(not ws.oddFooter.left.text and not ws.oddFooter.right.text and not ws.oddHeader.center.text,
          "other header and footer parts are empty")
    with zipfile.ZipFile(path) as z:
        sheet_xml = z.read("xl/worksheets/sheet1.xml").decode("utf-8")
    odd_header = re.search(r"<oddHeader>(.*?)</oddHeader>", sheet_xml).group(1).replace("&amp;", "&")
    odd_footer = re.search(r"<oddFooter>(.*?)</oddFooter>", sheet_xml).group(1).replace("&amp;", "&")
    check(odd_header.startswith('&L&"Arial Black"&10&K000000' + description + "&R") and
          odd_header.endswith("Datum: &D"), "header code %r" % odd_header)
    check(odd_footer.startswith("&C") and odd_footer.endswith("Strana &P z &N"), "footer code %r" % odd_footer)
    widths = [pixel_width(ws, c) for c in range(6)]
    check(widths == [150, 100, 200, 40, 70, 80], "column widths %r" % widths)

    merged = set(str(r) for r in ws.merged_cells.ranges)
    expected_merged = set()
    first_property_rows = []
    for r, kind in enumerate(rows, start=1):
        values = [ws.cell(r, c).value for c in range(1, 7)]
        label = kind if isinstance(kind, str) else kind[0]
        if label == "customer":
            check(values[0] == "Zákazník", "row %d: customer title %r" % (r, values))
            expected_merged.add("A%d:F%d" % (r, r))
        elif label == "customer-line":
            expected = (["Firma", None, "IČO IČO   DIČ DIČ", "Kontaktní jméno", None, None] if r == 2
                        else ["Ulice", None, "PSČ - město", "Kontaktní telefon", None, None])
            check(values == expected, "row %d: customer line from the captions %r" % (r, values))
            check(ws.cell(r, 1).border.top.style == "thin", "row %d: customer cells have thin borders" % r)
            expected_merged |= {"A%d:B%d" % (r, r), "D%d:F%d" % (r, r)}
        elif label in ("header", "break-header"):
            check(values == ["Označení prvku", None, "Popis prvku/Vlastnosti", "Počet", "Cena", "Celková cena"],
                  "row %d: table header %r" % (r, values))
            expected_merged.add("A%d:B%d" % (r, r))
        elif label == "empty":
            check(values == [None] * 6, "row %d: empty %r" % (r, values))
        elif label == "item":
            item = items[kind[1]]
            price = single(item["price"])
            total = single(parse_number("%.2f" % (item["count"] * price)))
            check(values[0] == "%02d. %s" % (kind[1] + 1, item["code"]), "row %d: code %r" % (r, values[0]))
            check(values[2] == item["description"], "row %d: description %r" % (r, values[2]))
            check(values[3] == item["count"], "row %d: count %r" % (r, values[3]))
            check(abs(values[4] - price) <= 1e-9 * abs(price), "row %d: price %r, expected %r" % (r, values[4], price))
            check(abs(values[5] - total) <= 1e-9 * abs(total), "row %d: total %r, expected %r" % (r, values[5], total))
            check(ws.cell(r, 1).font.b and ws.cell(r, 3).font.b, "row %d: item row is bold" % r)
            check(ws.cell(r, 3).border.left.style == "thin", "row %d: description border" % r)
            expected_merged.add("A%d:B%d" % (r, r))
        elif label in ("property", "filler"):
            text = items[kind[1]]["properties"][kind[2]] if label == "property" else " "
            check(ws.row_dimensions[r].height == 10.5, "row %d: printed height %r" % (r, ws.row_dimensions[r].height))
            # Runs of blanks in list lines are shortened on import; compare without the trailing ones.
            same = values[1] == " " if label == "filler" else (values[1] or "").rstrip() == text.rstrip()
            check(same, "row %d: %s %r, expected %r" % (r, label, values[1], text))
            check(abs(pixel_height(ws, r - 1) - 14) < 0.01, "row %d: height %r" % (r, pixel_height(ws, r - 1)))
            check(ws.cell(r, 2).font.sz == 8, "row %d: font size 8" % r)
            expected_merged.add("B%d:E%d" % (r, r))
            # The picture stands in the first row under the item row.
            if kind[2] == 0 and (label == "property" or not items[kind[1]]["properties"]):
                first_property_rows.append((r - 1, kind[1]))
        elif label == "total":
            labels = ["Celková cena bez DPH", "DPH 21%", "Celková cena s DPH 21%"]
            check(values[1] == labels[kind[1]], "row %d: total label %r" % (r, values[1]))
            check(abs(values[5] - totals[kind[1]]) <= 1e-9 * abs(totals[kind[1]]),
                  "row %d: total %r, expected %r" % (r, values[5], totals[kind[1]]))
            check(ws.cell(r, 6).fill.fgColor.rgb in ("FFE1E1E1", "00E1E1E1"), "row %d: grey total" % r)
            expected_merged.add("B%d:E%d" % (r, r))
    check(merged == expected_merged, "merged ranges differ: extra %r, missing %r"
          % (sorted(merged - expected_merged), sorted(expected_merged - merged)))

    anchors, media = picture_anchors(path)
    check(len(anchors) == len(first_property_rows),
          "%d pictures, expected %d" % (len(anchors), len(first_property_rows)))
    pictures = os.path.join(folder, os.path.splitext(csv)[0] + "_soubory")
    for (start, end, name), (row, index) in zip(anchors, first_property_rows):
        check(start == [0, 0, row, 0], "picture of item %d anchored at %r, expected row %d" % (index + 1, start, row))
        width = sum(pixel_width(ws, c) for c in range(start[0], end[0])) + (end[1] - start[1]) / 9525
        height = sum(pixel_height(ws, r) for r in range(start[2], end[2])) + (end[3] - start[3]) / 9525
        box = picture_box(jpeg_size(os.path.join(pictures, "image%03d.jpg" % (2 * index + 1))))
        check(abs(width - box[0]) < 1 and abs(height - box[1]) < 1,
              "picture of item %d is %.1f x %.1f px, expected %r" % (index + 1, width, height, box))
        with open(os.path.join(pictures, "image%03d.jpg" % (2 * index + 1)), "rb") as f:
            check(media.get(name) == f.read(), "picture of item %d holds image%03d.jpg" % (index + 1, 2 * index + 1))
    return path


def check_order(cli, folder, out_dir):
    path = os.path.join(out_dir, "objednavka.xlsx")
    run([cli, "export", "--folder", folder, "--decimal-separator", ",", "--layout", "order",
         "--no-customer-header", "--description", "Objednávka", "-o", path])
    csv = max((f for f in os.listdir(folder) if f.lower().endswith(".csv")),
              key=lambda f: os.path.getmtime(os.path.join(folder, f)))
    rows = expected_rows(read_items(os.path.join(folder, csv)), customer=False, offer=False)
    ws = openpyxl.load_workbook(path).worksheets[0]
    check(ws.title == "Objednávka", "order title %r" % ws.title)
    check(ws.max_row == len(rows), "order rows %d, expected %d" % (ws.max_row, len(rows)))
    check(ws.cell(1, 1).value == "Označení prvku", "order starts with the table header")
    check(picture_anchors(path)[0] == [], "order has no pictures")


def to_pdf_libreoffice(xlsx, out_dir):
    """The workbook printed by LibreOffice (a throwaway profile); returns the PDF's path."""
    profile = tempfile.mkdtemp(prefix="lo-print-")
    try:
        subprocess.run(["soffice", "--headless", "-env:UserInstallation=file://" + profile, "--convert-to", "pdf",
                        "--outdir", out_dir, xlsx], capture_output=True, timeout=600)
    finally:
        shutil.rmtree(profile, ignore_errors=True)
    return os.path.splitext(xlsx)[0] + ".pdf"


def check_printing(path, out_dir, png):
    if not shutil.which("soffice") or not shutil.which("pdftoppm"):
        print("LibreOffice or poppler missing; printing not checked")
        return
    pdf = to_pdf_libreoffice(path, out_dir)
    check(os.path.exists(pdf), "LibreOffice wrote no PDF")
    if not os.path.exists(pdf):
        return
    if shutil.which("pdftotext"):
        text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True).stdout
        pages = text.split("\f")
        check("Označení prvku" in pages[0] and "01. KH-60-D" in pages[0], "first page shows the table")
        check(any("Celková cena s DPH 21%" in p for p in pages), "the PDF shows the totals")
    prefix = os.path.join(out_dir, "page")
    subprocess.run(["pdftoppm", "-png", "-r", "60", "-f", "1", "-l", "1", pdf, prefix], check=True)
    first = [f for f in os.listdir(out_dir) if f.startswith("page") and f.endswith(".png")]
    check(len(first) == 1, "pdftoppm wrote %r" % first)
    if png and first:
        shutil.copyfile(os.path.join(out_dir, first[0]), png)


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    cli, folder = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    png = sys.argv[sys.argv.index("--png") + 1] if "--png" in sys.argv else None
    out_dir = tempfile.mkdtemp(prefix="nabidka-offer-check-")
    try:
        path = check_offer(cli, folder, out_dir)
        check_order(cli, folder, out_dir)
        check_printing(path, out_dir, png)
    finally:
        shutil.rmtree(out_dir, ignore_errors=True)
    for failure in FAILURES:
        print("FAIL:", failure)
    if not FAILURES:
        print("offer export: all checks passed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
