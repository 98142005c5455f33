#!/usr/bin/env bash
# The control-writes check fails on a planted write and names each of the planted lines: a
# check that cannot fail would let a write slip in unseen.
here=$(dirname "$0")
out=$("$here/control-writes.sh" "$here/planted")
status=$?
echo "$out"
named=$(grep -c '^session/PlantedGridWrite\.cpp:[0-9]*:' <<<"$out")
[[ $status -eq 1 && $named -eq 4 ]]
