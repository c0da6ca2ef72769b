#!/usr/bin/python3
"""End-to-end checks of the nabidka-cli program: the JSON of `show --json` on
the example folder, exit codes of usage errors and the help text.

usage: command_line_check.py NABIDKA_CLI EXAMPLE_FOLDER
"""
import json
import os
import subprocess
import sys
import tempfile

FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)


def local(path):
    """The path as this system reads it: the Windows build, run under Wine,
    names files with backslashes."""
    return path if os.path.exists(path) else path.replace("\\", "/")


def run(cli, *args):
    return subprocess.run([cli, *args], capture_output=True, text=True)


def is_native(cli):
    with open(cli, "rb") as program:
        return program.read(4) == b"\x7fELF"


def loads_font_engine(cli, *args):
    """Whether the run maps FreeType, as the dynamic loader reports it."""
    result = subprocess.run([cli, *args], capture_output=True, text=True, env=dict(os.environ, LD_DEBUG="files"))
    return "libfreetype.so" in result.stderr


def check_font_engine_on_demand(cli, folder):
    # Showing a list or its customers measures no text and so does not wait
    # for the font engine to load; an export measures column widths with it.
    check(not loads_font_engine(cli, "show", "--folder", folder), "show loads the font engine")
    check(not loads_font_engine(cli, "customers", "--folder", folder), "customers loads the font engine")
    with tempfile.TemporaryDirectory() as work:
        workbook = os.path.join(work, "offer.xlsx")
        check(loads_font_engine(cli, "export", "--folder", folder, "--output", workbook),
              "export measures without the font engine")
        check(os.path.isfile(workbook), "export wrote %s" % workbook)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    cli, folder = sys.argv[1], sys.argv[2]

    shown = run(cli, "show", "--folder", folder, "--decimal-separator", ",", "--json")
    check(shown.returncode == 0, "show --json exits 0: %s" % shown.stderr)
    offer = json.loads(shown.stdout)
    check(list(offer) == ["list", "items", "net", "vat", "gross", "window", "source_lines", "messages"], "top-level keys %r" % list(offer))
    check(offer["list"] == os.path.join(folder, "Kuchyne.csv"), "list %r" % offer["list"])
    check(len(offer["items"]) == 10, "%d items" % len(offer["items"]))
    for item in offer["items"]:
        check(list(item) == ["entry", "code", "description", "count", "price", "total", "properties", "picture",
                            "extra"],
              "item keys %r" % list(item))
        check(item["entry"].endswith(". " + item["code"]), "entry %r holds code %r" % (item["entry"], item["code"]))
        check(all(isinstance(p, str) for p in item["properties"]), "properties are texts")
        check(item["picture"] is None or os.path.isfile(local(item["picture"])), "picture %r exists" % item["picture"])
    check(max(len(i["properties"]) for i in offer["items"]) > 12, "an item with more than 12 property lines")
    total = sum(float(i["total"].replace(",", ".")) for i in offer["items"])
    # The net total is the items' sum rounded to whole crowns.
    check(float(offer["net"].replace(",", ".")) == round(total), "net %r is the items' sum" % offer["net"])
    check(offer["messages"] == [], "messages %r" % offer["messages"])
    check(offer["window"]["ItemCodeField"] == offer["items"][0]["entry"], "item 01 shown")
    check(not any(i["extra"] for i in offer["items"]), "no extra items")

    # An editing session: a price corrected, a delivery item added, the
    # window's commands in command-line order.
    edited = run(cli, "show", "--folder", folder, "--decimal-separator", ",", "--json", "--select", "2",
                 "--price", "7000", "--extra", "DOPR;Doprava a montáž;1;1500,00")
    check(edited.returncode == 0, "edited show exits 0: %s" % edited.stderr)
    offer = json.loads(edited.stdout)
    check(offer["items"][1]["price"] == "7000,00", "price %r" % offer["items"][1]["price"])
    check(offer["items"][-1]["entry"] == "11. DOPR" and offer["items"][-1]["extra"], "extra %r" % offer["items"][-1])
    line = "2.;KD-80-S;1.00;7000,00;7 000,00;"
    check(offer["window"]["EditedItemLine"] == line, "edited line %r" % offer["window"]["EditedItemLine"])
    check(offer["source_lines"][9] == line, "the item's first line rewritten: %r" % offer["source_lines"][9])
    check(offer["window"]["MoveUpButtonEnabled"] is False, "moves disabled after extra items")
    refused = run(cli, "show", "--folder", folder, "--decimal-separator", ",", "--json",
                  "--extra", "A;B;1;1,00", "--move-up", "--select", "3")
    check(refused.returncode == 1, "a press of a disabled button fails")
    offer = json.loads(refused.stdout)
    check(any("Posun nahoru" in m for m in offer["messages"]), "the message names the button: %r" % offer["messages"])
    check(offer["window"]["SelectedItemIndex"] == "2", "later commands still run")

    missing = run(cli, "show", "--folder", os.path.join(folder, "none"), "--json")
    check(missing.returncode == 1, "a failed show exits 1")
    failed = json.loads(missing.stdout)
    check(failed["list"] is None and failed["items"] == [] and len(failed["messages"]) == 1,
          "failure JSON %r" % failed)

    for command in ("show", "export", "customers"):
        for args in (["--bogus"], ["--folder"], ["--codepage", "65001"], ["--decimal-separator", ",,"],
                     ["--short-date-format", "qq"]):
            result = run(cli, command, *args)
            check(result.returncode == 2, "%s %s exits %d, expected 2" % (command, " ".join(args), result.returncode))
            check(result.stdout == "" and "Chyba:" in result.stderr, "%s %s reports on stderr" % (command, args))
        helped = run(cli, command, "--help")
        check(helped.returncode == 0 and "--json" in helped.stdout, "%s --help" % command)
    check(run(cli).returncode == 2, "no command exits 2")
    check(run(cli, "bogus").returncode == 2, "an unknown command exits 2")

    if is_native(cli):
        check_font_engine_on_demand(cli, folder)

    helped = run(cli, "--help")
    check(helped.returncode == 0, "--help exits 0")
    for option in ("--folder", "--codepage", "--decimal-separator", "--thousands-separator", "--short-date-format",
                   "--long-time-format", "--help", "--list", "--append", "--json", "--layout",
                   "--no-customer-header", "--description", "--customer", "--customer-name", "--output", "--file"):
        check(option in helped.stdout, "--help documents %s" % option)

    for failure in FAILURES:
        print("FAIL:", failure)
    if not FAILURES:
        print("command line: all checks passed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
