#!/usr/bin/python3
"""The offer saved as an OpenDocument spreadsheet and as CSV, read by programs
no one here wrote.

For the example offer, the example order and a 90-item order, each exported
once as .xlsx and once as .ods:
  - the .ods is a package a reader recognises: "mimetype" its first entry,
    stored, naming the spreadsheet type; odfpy (python3-odf) loads it;
  - LibreOffice's and Gnumeric's CSV conversions of the .ods equal those of
    the .xlsx, cell for cell; Gnumeric reads the .ods without a complaint;
  - LibreOffice prints the .ods on as many pages as the .xlsx, each page
    starting with the same row.
The .csv of an offer whose customer's firm holds ";", a quote and a line
break reads back through LibreOffice's CSV import with the Czech settings
(";" separated, UTF-8) to the texts the offer shows.

usage: other_formats_check.py NABIDKA_CLI EXAMPLE_FOLDER
Exit code 77 when LibreOffice, Gnumeric, poppler or odfpy is missing."""

import csv
import io
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import offer_print_check as printing  # noqa: E402  (the 90-item order list)

FAILURES = []
ODS_TYPE = "application/vnd.oasis.opendocument.spreadsheet"
# LibreOffice's CSV filter: ";" separated, '"' quoted, UTF-8, from line 1; the
# shown texts of the cells on export, every column read as text on import.
LO_CSV_OUT = 'csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,true'
LO_CSV_IN = "CSV:59,34,76,1," + "/".join("%d/2" % c for c in range(1, 9))


def check(condition, message):
    if not condition:
        FAILURES.append(message)


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, timeout=900, **kw)


def soffice(profile, out_dir, convert_to, files, infilter=None):
    """Converts files in one LibreOffice start (a throwaway profile)."""
    args = ["soffice", "--headless", "-env:UserInstallation=file://" + profile]
    if infilter:
        args.append("--infilter=" + infilter)
    run(args + ["--convert-to", convert_to, "--outdir", out_dir] + files)


def read_csv(path, delimiter):
    with open(path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f, delimiter=delimiter))
    # Programs differ in writing trailing empty fields and rows; the cells do not.
    for row in rows:
        while row and row[-1] == "":
            row.pop()
    while rows and not rows[-1]:
        rows.pop()
    return rows


def check_package(ods):
    with zipfile.ZipFile(ods) as z:
        first = z.infolist()[0]
        check(first.filename == "mimetype", "%s: first entry is %r" % (ods, first.filename))
        check(first.compress_type == zipfile.ZIP_STORED, "%s: mimetype is compressed" % ods)
        check(z.read("mimetype").decode() == ODS_TYPE, "%s: mimetype %r" % (ods, z.read("mimetype")))
        check(z.testzip() is None, "%s: a damaged entry" % ods)
    from odf.opendocument import load
    from odf.table import Table
    document = load(ods)
    check(len(document.spreadsheet.getElementsByType(Table)) == 1, "%s: odfpy finds no table" % ods)


def first_rows(pdf):
    """Page count and, per page, the first row under the page header, without blanks."""
    pages = printing.pages_of(pdf)
    firsts = []
    for page in pages:
        lines = [l for l in page.splitlines() if l.strip() and "Datum:" not in l]
        firsts.append(re.sub(r"\s+", "", lines[0]) if lines else "")
    return len(pages), firsts


def check_against_xlsx(work, names):
    profile = os.path.join(work, "lo-profile")
    for name in names:
        check_package(os.path.join(work, name + ".ods"))
    # One LibreOffice start a format: the conversions of name.xlsx and name.ods share a name.
    results = {}
    for ext in (".xlsx", ".ods"):
        batch = [os.path.join(work, n + ext) for n in names]
        csv_dir, pdf_dir = os.path.join(work, "lo-csv" + ext), os.path.join(work, "pdf" + ext)
        os.makedirs(pdf_dir, exist_ok=True)
        soffice(profile, csv_dir, LO_CSV_OUT, batch)
        soffice(profile, pdf_dir, "pdf", batch)
        for n in names:
            results[(n, ext)] = (read_csv(os.path.join(csv_dir, n + ".csv"), ";"),
                                 first_rows(os.path.join(pdf_dir, n + ".pdf")))
    for name in names:
        (xlsx_csv, (xlsx_pages, xlsx_firsts)), (ods_csv, (ods_pages, ods_firsts)) = \
            results[(name, ".xlsx")], results[(name, ".ods")]
        check(xlsx_csv and ods_csv == xlsx_csv, "%s: LibreOffice's CSV of the .ods differs from the .xlsx's" % name)
        check(ods_pages == xlsx_pages, "%s: the .ods prints on %d pages, the .xlsx on %d" % (name, ods_pages, xlsx_pages))
        check(ods_firsts == xlsx_firsts, "%s: pages start with %r, the .xlsx's with %r" % (name, ods_firsts, xlsx_firsts))
        gnumeric = {}
        for ext in (".xlsx", ".ods"):
            out = os.path.join(work, "%s-gnumeric%s.csv" % (name, ext))
            result = run(["ssconvert", os.path.join(work, name + ext), out])
            if ext == ".ods":
                check(result.stderr.strip() == "", "%s: Gnumeric complains: %s" % (name, result.stderr.strip()[:300]))
            gnumeric[ext] = read_csv(out, ",")
        check(gnumeric[".ods"] and gnumeric[".ods"] == gnumeric[".xlsx"],
              "%s: Gnumeric's CSV of the .ods differs from the .xlsx's" % name)


def customer_list(folder, work):
    """The customer list with a firm whose name holds ';', a quote and a line break."""
    source = os.path.join(work, "Seznam_zakazniku.csv")
    rows = [["", "Firma", "Ulice", "PSČ a město", "IČO", "DIČ", "Kontakt", "Telefon"],
            ["1", 'Nábytek; "Novák"\nPraha', "Řeznická 12", "110 00 Praha 1", "25596641", "CZ25596641",
             "Jiří Novák", "+420 777 123 456"]]
    with open(source, "w", encoding="utf-8", newline="") as f:
        csv.writer(f, delimiter=";").writerows(rows)
    soffice(os.path.join(work, "lo-profile"), work, "xls:MS Excel 97", [source], infilter=LO_CSV_IN)
    shutil.copy(os.path.join(work, "Seznam_zakazniku.xls"), os.path.join(folder, "Seznam_zakazniku.xls"))


def check_csv(cli, folder, work):
    customer_list(folder, work)
    ours = os.path.join(work, "offer.csv")
    result = run([cli, "export", "--folder", folder, "--list", os.path.join(folder, "Kuchyne.csv"),
                  "--decimal-separator", ",", "--customer", "1", "-o", ours])
    check(result.returncode == 0, "CSV export failed: %s" % result.stderr)
    if result.returncode != 0:
        return
    with open(ours, "rb") as f:
        raw = f.read()
    check(raw.startswith(b"\xef\xbb\xbf"), "the CSV has no byte-order mark")
    check(b"\r\n" in raw and raw.count(b"\n") == raw.count(b"\r\n") + 1,
          "the CSV's lines do not end with CR LF (one LF inside the firm's quoted name)")
    mine = read_csv(ours, ";")
    check(any('Nábytek; "Novák"\nPraha' in row for row in mine), "the firm's name is not one field of the CSV")
    check(any("3490,00" in row for row in mine), "prices are not shown with a decimal comma")
    back_dir = os.path.join(work, "readback")
    os.makedirs(back_dir)
    soffice(os.path.join(work, "lo-profile"), back_dir, LO_CSV_OUT, [ours], infilter=LO_CSV_IN)
    back = read_csv(os.path.join(back_dir, "offer.csv"), ";")
    check(back == mine, "LibreOffice reads the CSV back to other texts: %r" %
          [(a, b) for a, b in zip(mine, back) if a != b][:3])


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    try:
        import odf.opendocument  # noqa: F401
    except ImportError:
        print("odfpy missing; skipped")
        return 77
    if not all(shutil.which(p) for p in ("soffice", "ssconvert", "pdftotext")):
        print("LibreOffice, Gnumeric or poppler missing; skipped")
        return 77
    cli, examples = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    work = tempfile.mkdtemp(prefix="nabidka-formats-")
    try:
        folder = os.path.join(work, "lists")
        shutil.copytree(examples, folder)
        example = ["--list", os.path.join(folder, "Kuchyne.csv")]
        workbooks = {
            "offer": example + ["--customer", "1"],
            "order": example + ["--layout", "order", "--no-customer-header"],
            "order-90": ["--list", printing.order_list(folder), "--layout", "order", "--no-customer-header"],
        }
        for name, args in workbooks.items():
            for ext in (".xlsx", ".ods"):
                # The lists' prices have a decimal comma, whatever region the program runs in.
                result = run([cli, "export", "--folder", folder, "--decimal-separator", ",", *args,
                              "-o", os.path.join(work, name + ext)])
                check(result.returncode == 0, "export %s%s failed: %s" % (name, ext, result.stderr))
        if not FAILURES:
            check_against_xlsx(work, list(workbooks))
        check_csv(cli, folder, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for failure in FAILURES:
        print("FAIL:", failure)
    if not FAILURES:
        print("OpenDocument and CSV: all checks passed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
