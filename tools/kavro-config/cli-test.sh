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

# The control surface: a 60 x 60 grid by default, a curve for one input.
"$tool" surface "$demo" --output FUEL --x BZTEMP --y O2 > "$scratch/surface" || fail "surface failed"
[ "$(wc -l < "$scratch/surface")" -eq 3601 ] || fail "surface is not 60 x 60 points"
head -1 "$scratch/surface" | grep -qx 'BZTEMP,O2,FUEL' || fail "surface header"
"$tool" surface "$demo" --output FUEL --x BZTEMP --set O2=3 --points 5 > "$scratch/curve" || fail "curve failed"
[ "$(wc -l < "$scratch/curve")" -eq 6 ] || fail "curve is not 5 points"
"$tool" surface "$demo" --output NONE --x BZTEMP > /dev/null 2>&1; [ $? -eq 1 ] || fail "unknown output must give 1"

# FCL out and back in gives the same FLC.dat, line 2 (the save date) aside.
"$tool" export-fcl "$demo" > "$scratch/kiln.fcl" || fail "export-fcl failed"
mkdir "$scratch/back"
"$tool" import-fcl "$scratch/kiln.fcl" --into "$scratch/back" > /dev/null || fail "import-fcl failed"
diff <(tail -n +3 "$demo/FLC.dat") <(tail -n +3 "$scratch/back/FLC.dat") > /dev/null || fail "FCL round trip differs"
printf 'FUNCTION_BLOCK k\nVAR_INPUT\n  x : REAL\nEND_VAR\n' > "$scratch/bad.fcl"
mkdir "$scratch/none"
"$tool" import-fcl "$scratch/bad.fcl" --into "$scratch/none" 2> "$scratch/err"; [ $? -eq 2 ] || fail "bad FCL must give 2"
grep -q 'bad.fcl:4:1: ' "$scratch/err" || fail "bad FCL message has no line and column"
# A 10 MB token comes back cut, a control byte escaped, each in one line.
{ printf 'FUNCTION_BLOCK k\nVAR_INPUT\n  a : '; head -c 10000000 /dev/zero | tr '\0' 'x'; printf '\n'; } > "$scratch/huge.fcl"
"$tool" import-fcl "$scratch/huge.fcl" --into "$scratch/none" 2> "$scratch/err"; [ $? -eq 2 ] || fail "huge FCL must give 2"
[ "$(wc -l < "$scratch/err")" -eq 1 ] || fail "huge FCL is not one line"
[ "$(wc -c < "$scratch/err")" -lt 1000 ] || fail "huge FCL echoes its token whole"
grep -q "huge.fcl:3:7: expected REAL, found 'xxx*\.\.\.$" "$scratch/err" || fail "huge FCL token not cut"
printf 'FUNCTION_BLOCK k\n\033[2J\n' > "$scratch/esc.fcl"
"$tool" import-fcl "$scratch/esc.fcl" --into "$scratch/none" 2> "$scratch/err"; [ $? -eq 2 ] || fail "FCL with ESC must give 2"
grep -q "esc.fcl:2:1: unexpected character '\\\\x1b'$" "$scratch/err" || fail "control byte not escaped"
# Garbage is no configuration: one line naming the file, exit 2, and no FCL printed.
printf 'GIF89a\001\002\033[2J garbage\nmore: stuff\n' > "$scratch/garbage.dat"
"$tool" diff "$demo" "$scratch/garbage.dat" > /dev/null 2> "$scratch/err"; [ $? -eq 2 ] || fail "diff with garbage must give 2"
[ "$(wc -l < "$scratch/err")" -eq 1 ] || fail "diff with garbage is not one line"
grep -q 'garbage.dat:[0-9]*: not a configuration' "$scratch/err" || fail "diff with garbage does not name file and line"
"$tool" export-fcl "$scratch/garbage.dat" > "$scratch/out" 2> /dev/null; [ $? -eq 2 ] || fail "export-fcl of garbage must give 2"
[ -s "$scratch/out" ] && fail "export-fcl of garbage printed FCL"
"$tool" --help | grep -q '^Exit status: ' || fail "help does not document exit statuses"
[ -z "$(ls "$scratch/none")" ] || fail "bad FCL wrote something"

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
