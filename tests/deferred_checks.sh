#!/usr/bin/env bash
# Runs the checks that tests under Wine handed to the native pass, since no
# Linux program can be started from a Windows one: every check-*.sh in the
# folder runs its independent reader over the files the test wrote, then the
# output checks the test asked for. Exit 1 when one fails.
#   tests/deferred_checks.sh FOLDER
set -uo pipefail
folder=$1
if [[ ! -d "$folder" ]]; then
  echo "no deferred checks in $folder"
  exit 0
fi
cd "$folder"

fail() {
  echo "FAILED: $check ($(head -n 1 "$check" | sed 's/^# //')): $*"
  [[ -f "$check.out" ]] && head -c 4000 "$check.out" && echo
  exit 1
}

# expect_output has|lacks|is FILE: the command's output holds, lacks or is FILE's text.
expect_output() {
  /usr/bin/python3 - "$1" "$check.out" "$2" <<'PY' || fail "the output does not $1: $(head -c 300 "$2")"
import sys
how, output, text = sys.argv[1], open(sys.argv[2], 'rb').read(), open(sys.argv[3], 'rb').read()
ok = text in output if how == 'has' else text not in output if how == 'lacks' else output == text
sys.exit(0 if ok else 1)
PY
}

count=0
failed=0
for check in check-*.sh; do
  [[ -e "$check" ]] || continue
  count=$((count + 1))
  ( . "./$check" ) || failed=$((failed + 1))
done
echo "$count deferred checks, $failed failed"
((failed == 0))
