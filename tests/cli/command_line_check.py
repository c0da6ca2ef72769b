#!/usr/bin/python3
"""End-to-end checks of the nabidka-cli program: the JSON of `show --json` on
the example folder, exit codes of usage errors and the help text.

usage: command_line_check.py NABIDKA_CLI EXAMPLE_FOLDER
"""
import json
import os
import subprocess
import sys

FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)


def run(cli, *args):
    return subprocess.run([cli, *args], capture_output=True, text=True)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    cli, folder = sys.argv[1], sys.argv[2]

    shown = run(cli, "show", "--folder", folder, "--decimal-separator", ",", "--json")
    check(shown.returncode == 0, "show --json exits 0: %s" % shown.stderr)
    offer = json.loads(shown.stdout)
    check(list(offer) == ["list", "items", "net", "vat", "gross", "messages"], "top-level keys %r" % list(offer))
    check(offer["list"] == os.path.join(folder, "Kuchyne.csv"), "list %r" % offer["list"])
    check(len(offer["items"]) == 10, "%d items" % len(offer["items"]))
    for item in offer["items"]:
        check(list(item) == ["entry", "code", "description", "count", "price", "total", "properties", "picture"],
              "item keys %r" % list(item))
        check(item["entry"].endswith(". " + item["code"]), "entry %r holds code %r" % (item["entry"], item["code"]))
        check(all(isinstance(p, str) for p in item["properties"]), "properties are texts")
        check(item["picture"] is None or os.path.isfile(item["picture"]), "picture %r exists" % item["picture"])
    check(max(len(i["properties"]) for i in offer["items"]) > 12, "an item with more than 12 property lines")
    total = sum(float(i["total"].replace(",", ".")) for i in offer["items"])
    # The net total is the items' sum rounded to whole crowns.
    check(float(offer["net"].replace(",", ".")) == round(total), "net %r is the items' sum" % offer["net"])
    check(offer["messages"] == [], "messages %r" % offer["messages"])

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
