#!/usr/bin/env bash
# Runs a Windows program under Wine on an X server of its own, in a Wine
# prefix of its own whose server ends with it (a server started on another
# display would keep that display):
#   tests/win32/on_display.sh PREFIX PROGRAM.exe [ARGS...]
# Exit 77: no Xvfb.
set -uo pipefail
prefix=$1
shift
root=$(cd "$(dirname "$0")/../.." && pwd)
command -v Xvfb >/dev/null || { echo "Xvfb missing; skipped"; exit 77; }
export WINEPREFIX=$prefix
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [[ -s "$display_file" ]] && break; sleep 0.1; done
export DISPLAY=:$(cat "$display_file")
"$root/scripts/wine-run" "$@"
status=$?
"$root/scripts/wine-run" --stop
kill "$xvfb" 2>/dev/null
rm -f "$display_file"
exit $status
