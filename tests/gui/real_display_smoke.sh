#!/usr/bin/env bash
# The real program under a real X server: it starts on a copy of the example
# folder, its window appears with its caption and client size, real mouse and
# key events (xdotool) select an item, change its count and export; the
# workbook beside the list carries the new count and totals, and the desktop's
# "open" request reaches a stand-in xdg-open. Exit 77: no Xvfb or xdotool.
set -euo pipefail
program=$1
examples=$2
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || exit 77
[[ -x /usr/bin/python3 ]] && /usr/bin/python3 -c 'import openpyxl' 2>/dev/null || exit 77

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$examples" "$work/lists"
mkdir "$work/bin"
cat >"$work/bin/xdg-open" <<STUB
#!/bin/sh
echo "\$@" >>"$work/opened"
STUB
chmod +x "$work/bin/xdg-open"

cat >"$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
program=$1; work=$2
PATH="$work/bin:$PATH" "$program" --folder "$work/lists" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=
for _ in $(seq 100); do
  window=$(xdotool search --name "Zpracování cenové nabídky" 2>/dev/null | head -1 || true)
  [[ -n "$window" ]] && break
  sleep 0.1
done
[[ -n "$window" ]] || { echo "FAIL: no window"; exit 1; }
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry"
grep -q "Geometry: 624x676" <<<"$geometry" || { echo "FAIL: client area"; exit 1; }
sleep 0.5
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
click 400 112        # the first entry of the item list
xdotool key --window "$window" Down Down; sleep 0.3   # «03. KD-60-DR»
click 88 90          # CountEntry
xdotool key --window "$window" ctrl+a; xdotool type --window "$window" 5; xdotool key --window "$window" Return
sleep 0.3
click 212 489        # "Export do Excelu"
for _ in $(seq 100); do
  [[ -s "$work/opened" ]] && break
  sleep 0.1
done
SESSION
chmod +x "$work/session.sh"

xvfb-run -a -s "-screen 0 1280x1024x24" "$work/session.sh" "$program" "$work"
[[ -s "$work/opened" ]] || { echo "FAIL: no open request"; exit 1; }
grep -q "Kuchyne.xlsx" "$work/opened" || { echo "FAIL: opened $(cat "$work/opened")"; exit 1; }
/usr/bin/python3 "$(dirname "$0")/../edited_offer_check.py" "$work/lists/Kuchyne.xlsx"
