#!/usr/bin/env bash
# kavro-history answers bad input with one line and exit status 2, and reads a history that a
# controller is writing. Usage: cli-test.sh KAVRO_HISTORY
set -euo pipefail
tool=${1:?kavro-history}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

expect_bad() {  # expect_bad WHAT ARGS...: exit 2, exactly one line on standard error
  local what=$1 status=0
  shift
  "$tool" "$@" >"$dir/out" 2>"$dir/err" || status=$?
  [ "$status" -eq 2 ] || fail "$what: exit status $status"
  [ "$(wc -l <"$dir/err")" -eq 1 ] || fail "$what: not one line: $(cat "$dir/err")"
  grep -q "$what" "$dir/err" || fail "$what: said $(cat "$dir/err")"
}

expect_bad "no plant history in" report --workdir "$dir"
[ ! -e "$dir/kavro-history.sqlite" ] || fail "a history was created by reading"
expect_bad "not a time" report --workdir "$dir" --from yesterday
expect_bad "not a time" export --workdir "$dir" --to "2026-02-30 10:00"
expect_bad "is after --to" export --workdir "$dir" --from now --to -1d
expect_bad "not a whole number of seconds" export --workdir "$dir" --every 0
"$tool" --help | grep -q "Exit status" || fail "no exit statuses in --help"
status=0; "$tool" report >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "no --workdir: exit status $status"
echo "kavro-history cli: ok"
