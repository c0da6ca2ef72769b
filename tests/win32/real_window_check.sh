#!/usr/bin/env bash
# The Windows program as a dealer gets it, under Wine on a real X server:
# the installer installs it silently; the installed nabidka.exe starts with
# no arguments on the example placed at C:\pCon_article_lists; real mouse
# and key events (xdotool) select «03.», set its count to 5 and export; the
# shell's "open" reaches a logger associated with .xlsx; the workbook holds
# the new count and totals (openpyxl); the silent uninstaller leaves no file,
# shortcut or registry key. What the window did is read from the program's
# own log (NABIDKA_STATE_LOG): a click that Wine loses is retried once.
#   tests/win32/real_window_check.sh SETUP.exe EXAMPLE_FOLDER PREFIX
# NABIDKA_SCREENSHOTS=DIR keeps a picture of the window (window-windows.png).
# Exit 77: no Xvfb, xdotool, xwd or openpyxl.
set -euo pipefail
setup=$1 examples=$2 prefix=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
for tool in Xvfb xdotool xwd; do command -v "$tool" >/dev/null || { echo "$tool missing; skipped"; exit 77; }; done
/usr/bin/python3 -c 'import openpyxl' 2>/dev/null || { echo "openpyxl missing; skipped"; exit 77; }

export WINEPREFIX=$prefix LANG=cs_CZ.UTF-8
unset LC_ALL
run() { "$root/scripts/wine-run" "$@"; }
drive=$prefix/drive_c
installed="$drive/Program Files/Nabidka"
failed=0
# A failure keeps a picture of the screen beside the prefix, to see what was shown.
fail() {
  echo "FAIL: $*"
  failed=1
  xwd -root -silent >"$prefix/failure.xwd" 2>/dev/null &&
    /usr/bin/python3 "$here/xwd_to_png.py" "$prefix/failure.xwd" "$prefix/failure.png" || true
}

# A display of our own, and Wine's server started on it.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
program=
cleanup() {
  [[ -n "$program" ]] && kill "$program" 2>/dev/null || true
  "$root/scripts/wine-run" --stop
  kill "$xvfb" 2>/dev/null || true
  rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 50); do [[ -s "$display_file" ]] && break; sleep 0.1; done
export DISPLAY=:$(cat "$display_file")
run wineboot >/dev/null 2>&1 || true
rm -rf "$drive/pCon_article_lists" "$drive/opened.txt" "$drive/state.log"

# Installed silently.
run "Z:${setup//\//\\}" /S
for file in nabidka.exe nabidka-cli.exe uninstall.exe; do
  [[ -f "$installed/$file" ]] || fail "not installed: $file"
done
start_menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Nabídka.lnk"
desktop="$drive/users/Public/Desktop/Nabídka.lnk"
[[ -f "$start_menu" ]] || fail "no Start-menu shortcut"
[[ -f "$desktop" ]] || fail "no desktop shortcut"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nabidka'
registered=$(run reg query "$key" 2>/dev/null | tr -d '\r')
grep -q 'DisplayVersion.*[0-9]' <<<"$registered" || fail "uninstaller not registered: $registered"
grep -q 'Publisher' <<<"$registered" || fail "no publisher in the registration"

# The dealer's folder, and a logger as the program for .xlsx.
cp -r "$examples" "$drive/pCon_article_lists"
run reg add 'HKCR\.xlsx' /ve /d NabidkaTest.Workbook /f >/dev/null
run reg add 'HKCR\NabidkaTest.Workbook\shell\open\command' /ve \
    /d 'C:\windows\system32\cmd.exe /c echo %1>>C:\opened.txt' /f >/dev/null

# Started as from the Start menu: no arguments.
log=$drive/state.log
started=$(date +%s.%N)
NABIDKA_STATE_LOG='C:\state.log' run 'C:\Program Files\Nabidka\nabidka.exe' >/dev/null 2>&1 &
program=$!
window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name "Zpracování cenové nabídky" 2>/dev/null | head -1 || true)
  [[ -n "$window" ]] && break
  sleep 0.05
done
[[ -n "$window" ]] || { fail "no window"; exit 1; }
echo "visible after $(awk "BEGIN { printf \"%.2f\", $(date +%s.%N) - $started }") s"
geometry=$(xdotool getwindowgeometry "$window")
grep -q "Geometry: 624x676" <<<"$geometry" || fail "client area: $geometry"

# The log's last line for a handler, once it is there.
handled() {
  for _ in $(seq 100); do
    line=$(grep -a "^$1	" "$log" 2>/dev/null | tail -n 1 || true)
    [[ -n "$line" && "$line" != "${2:-}" ]] && { echo "$line"; return 0; }
    sleep 0.05
  done
  return 1
}
field() { tr '\t' '\n' <<<"$1" | sed -n "s/^$2=//p"; }
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

# «03.» by mouse: the third entry of the item list (Tahoma 8 rows of 13 pixels).
selected=
for attempt in 1 2; do
  click 400 $((106 + 2 + 2 * 13 + 6))
  line=$(handled ItemList "$selected") || continue
  selected=$line
  [[ "$(field "$line" ItemCodeField)" == "03. KD-60-DR" ]] && break
done
[[ "$(field "$selected" ItemCodeField)" == "03. KD-60-DR" ]] || fail "selection: $selected"
echo "selecting «03.» took $(cut -f2 <<<"$selected") ms"

# Count 5 and Enter.
entered=
for attempt in 1 2; do
  click 88 90
  # To the focused control (Wine takes keys sent to its window as they come).
  xdotool key End BackSpace BackSpace BackSpace BackSpace
  xdotool type 5
  xdotool key Return
  entered=$(handled "CountEntry Enter") && break
done
[[ "$(field "$entered" ItemCountField)" == "5" ]] || fail "count: $entered"

if [[ -n "${NABIDKA_SCREENSHOTS:-}" ]]; then
  # The pointer on the picture, which has no hint to show over the window.
  xdotool mousemove --window "$window" 150 230
  sleep 1
  xwd -silent -id "$window" >"$prefix/window.xwd"
  /usr/bin/python3 "$here/xwd_to_png.py" "$prefix/window.xwd" "$NABIDKA_SCREENSHOTS/window-windows.png"
fi
# "Export do Excelu": the workbook beside the list, opened by the shell.
for attempt in 1 2; do
  click 212 489
  handled ExportButton >/dev/null && break
done
for _ in $(seq 100); do [[ -s "$drive/opened.txt" ]] && break; sleep 0.1; done
grep -q 'Kuchyne.xlsx' "$drive/opened.txt" 2>/dev/null || fail "no open request: $(cat "$drive/opened.txt" 2>/dev/null)"

# Closed as a user does: the window active again (the export's progress
# window took the focus with it), then Alt+F4.
click 150 230
xdotool key alt+F4
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "the window did not close"
program=

/usr/bin/python3 "$here/../edited_offer_check.py" "$drive/pCon_article_lists/Kuchyne.xlsx" || failed=1

# Uninstalled silently: it runs from a copy of itself, so wait for it.
run 'C:\Program Files\Nabidka\uninstall.exe' /S
for _ in $(seq 100); do [[ -e "$installed" ]] || break; sleep 0.1; done
[[ -e "$installed" ]] && fail "left behind: $(ls -A "$installed")"
[[ -e "$start_menu" || -e "$desktop" ]] && fail "a shortcut is left"
run reg query "$key" >/dev/null 2>&1 && fail "the registration is left"
[[ -f "$drive/pCon_article_lists/Kuchyne.csv" && -f "$drive/pCon_article_lists/Kuchyne.xlsx" ]] ||
  fail "the dealer's folder was touched"
exit $failed
