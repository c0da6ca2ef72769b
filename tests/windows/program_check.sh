#!/usr/bin/env bash
# The Windows program as a user gets it: it imports no DLL but Windows' own
# (libgcc, libstdc++, winpthread and zlib are linked in), carries its
# manifest and version resource, and runs under Wine.
#   tests/windows/program_check.sh OBJDUMP PROGRAM.exe RUN_COMMAND VERSION
set -euo pipefail
objdump=$1 program=$2 run=$3 version=$4
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# Windows' own libraries, present on every Windows 10 and later.
allowed=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
          shell32.dll shlwapi.dll user32.dll uxtheme.dll windowscodecs.dll "
imports=$("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
echo "imports:" $imports
for dll in $imports; do
  [[ "$allowed" == *" $dll "* || "$dll" == api-ms-win-* ]] || fail "$program imports $dll"
done

# The resources: a manifest asking for UTF-8, and the version.
LC_ALL=C grep -aq '<activeCodePage[^>]*>UTF-8<' "$program" || fail "no manifest with UTF-8 as the code page"
LC_ALL=C grep -aq 'P.r.o.d.u.c.t.V.e.r.s.i.o.n' "$program" || fail "no version resource"

printed=$("$run" --version | tr -d '\r')
[[ "$printed" == "nabidka-cli $version" ]] || fail "--version printed '$printed'"
exit $failed
