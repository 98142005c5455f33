#!/usr/bin/env bash
# The control-writes check fails on planted writes and names each of the planted lines, and
# only those: a check that cannot fail would let a write slip in unseen.
here=$(dirname "$0")
out=$("$here/control-writes.sh" "$here/planted")
status=$?
echo "$out"
grid=$(grep -c '^session/PlantedGridWrite\.cpp:[0-9]*:' <<<"$out")
panel=$(grep -cE '^edit/PlantedPanelFill\.cpp:(10|11|12|13):' <<<"$out")
others=$(grep -cE '^edit/PlantedPanelFill\.cpp:(14|15|16):' <<<"$out")
[[ $status -eq 1 && $grid -eq 4 && $panel -eq 4 && $others -eq 0 ]]
