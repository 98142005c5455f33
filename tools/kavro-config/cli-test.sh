#!/usr/bin/env bash
# kavro-config's exit statuses and dump output, as engineers' scripts rely on them.
set -u
tool=$1 demo=$2 scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$tool" check "$demo" > "$scratch/out" || fail "demo does not read cleanly"
grep -q '^R1: ' "$scratch/out" || fail "summary lists no rules"
"$tool" dump "$demo" > "$scratch/dump" || fail "dump of demo failed"
[ "$(wc -l < "$scratch/dump")" -eq 1002 ] || fail "dump is not 1002 lines"
diff <(tail -n +3 "$demo/FLC.dat") <(tail -n +3 "$scratch/dump") > /dev/null || fail "dump differs from demo"
sed 's/^MIN\r$/FOO\r/' "$demo/FLC.dat" > "$scratch/FLC.dat"
"$tool" check "$scratch" > "$scratch/out"; [ $? -eq 1 ] || fail "unknown operator must give 1"
grep -q '^warning: R1: operator "FOO"' "$scratch/out" || fail "readiness warning not printed"
printf 'Start_FLC_Block:\r\nRunFrequency: x\r\n' > "$scratch/FLC.dat"
"$tool" check "$scratch" > "$scratch/out"; [ $? -eq 1 ] || fail "bad file must give 1"
grep -q 'Type mismatch' "$scratch/out" || fail "reader message not printed"
"$tool" check "$scratch/none" > /dev/null 2>&1; [ $? -eq 2 ] || fail "missing file must give 2"
"$tool" check > /dev/null 2>&1; [ $? -eq 2 ] || fail "usage error must give 2"
"$tool" diff "$demo" "$demo/FLC.dat" > "$scratch/out" || fail "demo differs from itself"
[ -s "$scratch/out" ] && fail "equal configurations print differences"
mkdir "$scratch/changed"
sed -e 's/^MIN\r$/PROD\r/' -e 's/^Name1: KILN1\r$/Name1: KILN2\r/' "$demo/FLC.dat" > "$scratch/changed/FLC.dat"
"$tool" diff "$demo" "$scratch/changed" > "$scratch/out"; [ $? -eq 1 ] || fail "changed copy must give 1"
grep -qx 'Name1: KILN1 -> KILN2' "$scratch/out" || fail "controller name change not named"
grep -qx 'R1 operator: MIN -> PROD' "$scratch/out" || fail "operator change not named"
"$tool" diff "$demo" "$scratch/none" > /dev/null 2>&1; [ $? -eq 2 ] || fail "unreadable file must give 2"
"$tool" diff "$demo" > /dev/null 2>&1; [ $? -eq 2 ] || fail "diff usage error must give 2"
echo ok
