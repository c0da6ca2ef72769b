#!/usr/bin/python3
"""The workbook a window exported after the real-input session of its test:
item 03's count entered as 5, and the totals that follow from it.

usage: edited_offer_check.py WORKBOOK.xlsx
"""
import sys

import openpyxl

sheet = openpyxl.load_workbook(sys.argv[1]).active
rows = {str(r[0]): r for r in sheet.iter_rows(values_only=True) if r[0]}
item = rows["03. KD-60-DR"]
assert item[3] == 5, item
assert abs(item[5] - 5 * 4120) < 0.01, item
net = [r for r in sheet.iter_rows(values_only=True) if r[1] == "Celková cena bez DPH"][0][5]
assert net == 45974 + 4 * 4120, net
print("OK: count 5 and the totals reached the workbook")
