#!/usr/bin/python3
"""Prints exported offers to PDF with LibreOffice and with Gnumeric and reads
every page back with pdftotext: the offer as the customer sees it.

Checked for each offer (the example, the example with an appended list, one
with long property lists, one without the customer block):
  - every page with items shows the heading "Celková cena", and every item's
    total stands on its code's line (the six columns print one page wide);
  - an item's code and all of its property lines are on one page;
  - every page after the first starts with the table header;
  - the totals block is on one page;
  - the page count is the smallest the rows' heights allow (the example: 3);
and a 90-item order prints its table heading at the top of every page.

Gnumeric 1.12 reads a workbook's row breaks as column breaks and its column
breaks as row breaks (a workbook written by openpyxl shows the same), so it
prints any workbook with manual page breaks on wrong pages and adds empty
column pages. Its PDF is converted and its findings are printed as notes,
without failing the check: no file that Excel and LibreOffice read right can
satisfy that reader.

usage: offer_print_check.py NABIDKA_CLI EXAMPLE_FOLDER
Exit code 77 when LibreOffice or poppler is missing."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import offer_export_check as layout  # noqa: E402  (the row model of the export)

FAILURES = []
NOTES = []
TARGET = FAILURES


def check(condition, message):
    if not condition:
        TARGET.append(message)


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, timeout=600, **kw)


def pages_of(pdf):
    count = int(re.search(r"Pages:\s+(\d+)", run(["pdfinfo", pdf]).stdout).group(1))
    return [run(["pdftotext", "-layout", "-f", str(n), "-l", str(n), pdf, "-"]).stdout for n in range(1, count + 1)]


def to_pdf_gnumeric(xlsx, out_dir):
    pdf = os.path.join(out_dir, os.path.basename(os.path.splitext(xlsx)[0]) + "-gnumeric.pdf")
    run(["ssconvert", xlsx, pdf])
    return pdf


ITEM_LINE = re.compile(r"^\s*(\d{2,}\. \S+).*?(-?\d[\d ]*[.,]\d\d)\s*$")


def item_lines(page):
    return [line for line in page.splitlines() if re.match(r"^\s*\d{2,}\. \S", line)]


def check_width(name, pages):
    for n, page in enumerate(pages, start=1):
        lines = item_lines(page)
        if not lines:
            continue
        check("Celková cena" in page, "%s page %d: no heading Celková cena" % (name, n))
        for line in lines:
            check(ITEM_LINE.match(line), "%s page %d: the total is not on the line of %r" % (name, n, line.strip()))


def page_of(pages, text):
    return [n for n, page in enumerate(pages) if text in page]


def check_pages(name, pages, items, expected_pages):
    check_width(name, pages)
    for index, item in enumerate(items):
        code = "%02d. %s" % (index + 1, item["code"])
        where = page_of(pages, code)
        check(len(where) == 1, "%s: %s on pages %r" % (name, code, [w + 1 for w in where]))
        if len(where) != 1:
            continue
        for line in item["properties"]:
            # pdftotext may wrap a long line in its column; its start identifies it.
            start = line.strip()[:30]
            check(start in pages[where[0]], "%s: property %r of %s not on its page %d" % (name, start, code, where[0] + 1))
    for n, page in enumerate(pages[1:], start=2):
        lines = [l.strip() for l in page.splitlines() if l.strip()]
        # The page header (description and date) stands above the table.
        body = [l for l in lines if not l.endswith(tuple("0123456789")) or "Datum:" not in l]
        check(body and body[0].startswith("Označení prvku"), "%s page %d starts with %r" % (name, n, body[:1]))
    totals = [page_of(pages, label) for label in ("Celková cena bez DPH", "DPH 21%", "Celková cena s DPH 21%")]
    check(all(len(t) == 1 for t in totals) and len({t[0] for t in totals}) == 1,
          "%s: totals block on pages %r" % (name, totals))
    check(len(pages) == expected_pages, "%s: %d pages, expected %d" % (name, len(pages), expected_pages))


def export(cli, folder, out, *args):
    result = run([cli, "export", "--folder", folder, "--decimal-separator", ",", "-o", out, *args])
    check(result.returncode == 0, "export %s failed: %s" % (out, result.stderr))


def write_list(folder, name, items):
    """An article list `name`.csv of the items' lines, as the planner writes
    it (CP1250, CR LF), with an empty picture folder."""
    lines = ["Pořadí;Kód prvku;Počet kusů;Cena;Cena celkem;"] + items
    lines += ["Celkem;;;;", "Celkem bez DPH;;;;0,00", "DPH 21%;;;;0,00", "Celkem s DPH;;;;0,00"]
    path = os.path.join(folder, name + ".csv")
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1250"))
    os.makedirs(os.path.join(folder, name + "_soubory"), exist_ok=True)
    return path


def long_list(folder):
    """An article list of 30 items with up to 40 property lines each."""
    items = []
    for i in range(1, 31):
        items.append("%d.;DLOUHY-%02d;1.00;%d,00;%d,00;" % (i, i, 100 * i, 100 * i))
        items.append(";Sestava číslo %d" % i)
        for p in range((i * 7) % 41):
            items.append(";Vlastnost %d položky %d: hodnota %d mm" % (p + 1, i, p * i))
    return write_list(folder, "Dlouhy", items)


def order_list(folder, count=90):
    """An article list of `count` items: an order of that many rows."""
    items = []
    for i in range(1, count + 1):
        items.append("%d.;OBJ-%03d;1.00;%d,00;%d,00;" % (i, i, 10 * i, 10 * i))
        items.append(";Položka objednávky %d" % i)
    return write_list(folder, "Objednavka", items)


def check_order(cli, folder, work):
    """A 90-item order prints on several pages, each headed by the table's
    column headings (the sheet's print titles), and every item once."""
    xlsx = os.path.join(work, "order-90.xlsx")
    export(cli, folder, xlsx, "--list", order_list(folder), "--layout", "order", "--no-customer-header")
    if not os.path.exists(xlsx):
        return
    pages = pages_of(layout.to_pdf_libreoffice(xlsx, work))
    check(len(pages) > 1, "the 90-item order prints on %d page(s)" % len(pages))
    for number, page in enumerate(pages, 1):
        # The first line below the page header ("… Datum: …").
        lines = [line for line in page.splitlines() if line.strip() and "Datum:" not in line]
        first = lines[0] if lines else ""
        check("Celková cena" in first, "order page %d does not start with the table heading: %r" % (number, first))
    printed = sum(len(re.findall(r"\bOBJ-\d{3}\b", page)) for page in pages)
    check(printed == 90, "the order prints %d items, expected 90" % printed)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    if not shutil.which("soffice") or not shutil.which("pdftotext"):
        print("LibreOffice or poppler missing; skipped")
        return 77
    cli, examples = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    work = tempfile.mkdtemp(prefix="nabidka-print-")
    try:
        folder = os.path.join(work, "lists")
        shutil.copytree(examples, folder)
        kuchyne = layout.read_items(os.path.join(folder, "Kuchyne.csv"))
        predsin = layout.read_items(os.path.join(folder, "dalsi_seznamy", "Predsin.csv"))
        long_path = long_list(folder)
        example = ["--list", os.path.join(folder, "Kuchyne.csv")]
        offers = [
            ("example", example, kuchyne, True),
            ("appended", example + ["--append", os.path.join(folder, "dalsi_seznamy", "Predsin.csv")],
             kuchyne + predsin, True),
            ("long", ["--list", long_path], layout.read_items(long_path), True),
            ("no-customer", example + ["--no-customer-header"], kuchyne, False),
        ]
        for name, args, items, customer in offers:
            xlsx = os.path.join(work, name + ".xlsx")
            export(cli, folder, xlsx, *args)
            if not os.path.exists(xlsx):
                continue
            rows = layout.expected_rows(items, customer=customer, offer=True)
            expected_pages = 1 + rows.count("break-header")
            pages = pages_of(layout.to_pdf_libreoffice(xlsx, work))
            check_pages("LibreOffice " + name, pages, items, expected_pages)
            if name == "example":
                check(len(pages) == 3, "the example prints on %d pages, expected 3" % len(pages))
            if shutil.which("ssconvert"):
                global TARGET
                TARGET = NOTES
                check_width("Gnumeric " + name, pages_of(to_pdf_gnumeric(xlsx, work)))
                TARGET = FAILURES
        check_order(cli, folder, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for note in NOTES:
        print("note (Gnumeric's page breaks):", note)
    for failure in FAILURES:
        print("FAIL:", failure)
    if not FAILURES:
        print("printed offers: all checks passed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
