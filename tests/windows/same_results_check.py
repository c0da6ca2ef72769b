#!/usr/bin/python3
"""The Windows build of nabidka-cli (run under Wine) gives what the Linux
build gives: the example offer and order workbooks part by part, byte for
byte; `show --json` of the example; `customers --json` of the example's
customer list and of every .xls file of the corpus; and an offer from folders
and files with Czech names (Nábytek Novák/Kuchyně.csv, Předsíň_soubory).

usage: same_results_check.py WINDOWS_CLI LINUX_CLI EXAMPLE_FOLDER [CORPUS_FOLDER]
Exit 77 when the Linux program is not there (the native build comes first).
"""
import concurrent.futures
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

FAILURES = []
# The same region on both systems: the Czech one, which the Linux program
# takes where the environment names no locale and the Windows one from
# Wine's Czech locale; the options fix the separators and formats the offer
# shows, whatever either system's data says.
REGION = ["--decimal-separator", ",", "--thousands-separator", " ",
          "--short-date-format", "d.m.yyyy", "--long-time-format", "h:nn:ss"]
ENVIRONMENTS = {}


def check(condition, what):
    if not condition:
        FAILURES.append(what)


def run(cli, *args):
    return subprocess.run([cli, *args], capture_output=True, timeout=300, env=ENVIRONMENTS.get(cli))


def same_output(windows, linux, what):
    """Both runs' exit codes and standard outputs agree. The Windows program
    ends its lines with CR LF and names files with backslashes; both are
    made Linux's before comparing."""
    def normal(result):
        return result.stdout.replace(b"\r\n", b"\n").replace(b"\\\\", b"/")
    check(windows.returncode == linux.returncode,
          "%s: exit %d on Windows, %d on Linux: %s" % (what, windows.returncode, linux.returncode, windows.stderr[-500:]))
    check(normal(windows) == normal(linux), "%s: the outputs differ:\n%s\n---\n%s" %
          (what, normal(windows)[:1500].decode(errors="replace"), normal(linux)[:1500].decode(errors="replace")))


def same_workbook(windows_path, linux_path, what):
    """Every part of the two packages, in the same order, byte for byte.
    The column widths and row heights in the sheet part rest on the measured
    fonts (GDI on Windows, FreeType on Linux); under Wine both measure the
    same Liberation faces, so they must agree too. Pictures are the files'
    own bytes, copied."""
    with zipfile.ZipFile(windows_path) as w, zipfile.ZipFile(linux_path) as l:
        names = [i.filename for i in w.infolist()]
        check(names == [i.filename for i in l.infolist()], "%s: parts %r differ from %r" %
              (what, names, [i.filename for i in l.infolist()]))
        for name in names:
            if name in l.namelist():
                check(w.read(name) == l.read(name), "%s: part %s differs" % (what, name))
        check(any(n.startswith("xl/media/") for n in names) or "order" in what, "%s: no pictures" % what)


def export_both(windows_cli, linux_cli, work, name, args):
    paths = []
    for system, cli in (("windows", windows_cli), ("linux", linux_cli)):
        out = os.path.join(work, "%s-%s.xlsx" % (name, system))
        result = run(cli, "export", *REGION, *args, "-o", out)
        check(result.returncode == 0, "%s export of %s: %s" % (system, name, result.stderr.decode(errors="replace")))
        paths.append(out)
    if all(os.path.exists(p) for p in paths):
        same_workbook(paths[0], paths[1], name)


def czech_names(example, work):
    """The example with Czech names: a folder with a blank and diacritics, a
    list and picture folders named with them."""
    folder = os.path.join(work, "Nábytek Novák")
    shutil.copytree(example, folder)
    os.rename(os.path.join(folder, "Kuchyne.csv"), os.path.join(folder, "Kuchyně.csv"))
    os.rename(os.path.join(folder, "Kuchyne_soubory"), os.path.join(folder, "Kuchyně_soubory"))
    os.rename(os.path.join(folder, "Predsin_soubory"), os.path.join(folder, "Předsíň_soubory"))
    os.rename(os.path.join(folder, "dalsi_seznamy", "Predsin.csv"),
              os.path.join(folder, "dalsi_seznamy", "Předsíň.csv"))
    return folder


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    windows_cli, linux_cli, example = sys.argv[1], sys.argv[2], os.path.abspath(sys.argv[3])
    corpus = sys.argv[4] if len(sys.argv) > 4 else ""
    if not os.access(linux_cli, os.X_OK):
        print("no Linux build of nabidka-cli at %s; skipped" % linux_cli)
        return 77
    plain = {k: v for k, v in os.environ.items() if not k.startswith("LC_") and k != "LANG"}
    ENVIRONMENTS[linux_cli] = dict(plain, LC_ALL="C.UTF-8")
    ENVIRONMENTS[windows_cli] = dict(plain, LANG="cs_CZ.UTF-8")
    with tempfile.TemporaryDirectory() as work:
        export_both(windows_cli, linux_cli, work, "offer", ["--folder", example, "--customer", "1"])
        export_both(windows_cli, linux_cli, work, "order", ["--folder", example, "--layout", "order"])
        same_output(run(windows_cli, "show", *REGION, "--folder", example, "--json"),
                    run(linux_cli, "show", *REGION, "--folder", example, "--json"), "show --json")

        folder = czech_names(example, work)
        appended = os.path.join(folder, "dalsi_seznamy", "Předsíň.csv")
        export_both(windows_cli, linux_cli, work, "Kuchyně", ["--folder", folder, "--append", appended])
        shown = run(windows_cli, "show", *REGION, "--folder", folder, "--append", appended)
        text = shown.stdout.decode(errors="replace")
        check(shown.returncode == 0 and "13. ZRC-60-LED" in text and "Předsíň_soubory" in text,
              "Czech names on Windows: %s %s" % (text[-600:], shown.stderr.decode(errors="replace")))
        written = run(windows_cli, "export", *REGION, "--folder", folder)
        check(written.returncode == 0 and os.path.isfile(os.path.join(folder, "Kuchyně.xlsx")),
              "Kuchyně.xlsx beside Kuchyně.csv: %s" % written.stderr.decode(errors="replace"))

        lists = [os.path.join(example, "Seznam_zakazniku.xls")]
        lists += sorted(glob.glob(os.path.join(corpus, "*.xls"))) if corpus else []
        def both(path):
            return [run(cli, "customers", *REGION, "--file", path, "--json") for cli in (windows_cli, linux_cli)]
        # A few at a time: most of a run under Wine is waiting for its start.
        with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
            for path, (windows, linux) in zip(lists, pool.map(both, lists)):
                same_output(windows, linux, "customers --json " + os.path.basename(path))
        print("%d customer lists, 3 workbooks compared" % len(lists))
    for failure in FAILURES:
        print("FAIL:", failure)
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
