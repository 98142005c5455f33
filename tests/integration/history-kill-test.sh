#!/usr/bin/env bash
# The plant history survives kill -9: kavro --headless against the plant simulator on a fast
# clock (250x) records one row per cycle; killed with SIGKILL it loses at most the cycle in
# progress; started again it goes on appending to the same file. kavro-history reads the file
# while the controller writes it, and kavro-replay replays the recorded cycles.
# Usage: history-kill-test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
source=$(cd "${2:?source directory}" && pwd)
. "$(dirname "$0")/plant-folder.sh"
history="$build/tools/kavro-history/kavro-history"

start_kavro() {
  KAVRO_TIME_SCALE=250 "$build/src/app/kavro" --headless --workdir "$dir" 2>>"$dir/stderr.txt" &
  kavro_pid=$!
}
# Cycles seen through KILN1.OUT, whose third line is the controller's time of the cycle.
count_cycles() {
  local want=$1 last= now deadline=$((SECONDS + 60))
  seen=0
  while [ "$seen" -lt "$want" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "only $seen cycles in 60 s"
    kill -0 "$kavro_pid" 2>/dev/null || fail "kavro ended early"
    now=$(sed -n 3p "$dir/KILN1.OUT" 2>/dev/null || true)
    if [ -n "$now" ] && [ "$now" != "$last" ]; then
      seen=$((seen + 1)); last=$now
      echo "$now" | tr -d '"\r' >>"$dir/seen.txt"
    fi
    sleep 0.02
  done
}
rows() { "$history" export --workdir "$dir" | tail -n +2; }

start_kavro
count_cycles 40
"$history" report --workdir "$dir" >"$dir/report.txt" || fail "report while recording: $?"
grep -q '^Service factor: ' "$dir/report.txt" || fail "no service factor: $(cat "$dir/report.txt")"
kill -KILL "$kavro_pid"
wait "$kavro_pid" 2>/dev/null || true
kavro_pid=
rows >"$dir/before.csv"
before=$(wc -l <"$dir/before.csv")
[ "$before" -ge 39 ] || fail "$before rows after $seen cycles"
# Every cycle seen writing KILN1.OUT has its row, stamped as the cycle started, but the last one,
# which may have been in progress. On the fast clock a cycle's start and its write lie some
# seconds apart on a busy machine; any stamp less than a run period (10 s) before the write can
# only be that cycle's.
cut -d, -f1 "$dir/before.csv" | cut -c12- >"$dir/row-times.txt"
head -n -1 "$dir/seen.txt" | while read -r time; do
  found=
  for before in 0 1 2 3 4 5 6 7 8 9; do
    stamp=$(date -u -d "2000-01-01 $time UTC -$before seconds" +%H:%M:%S)
    if grep -qxF "$stamp" "$dir/row-times.txt"; then found=1; break; fi
  done
  [ -n "$found" ] || fail "the cycle of $time has no row; rows: $(tr "\n" " " <"$dir/row-times.txt")"
done

rm -f "$dir/seen.txt"
start_kavro
count_cycles 15
kill -TERM "$kavro_pid"
wait "$kavro_pid" || fail "exit status $? after SIGTERM"
kavro_pid=
rows >"$dir/after.csv"
after=$(wc -l <"$dir/after.csv")
[ "$after" -ge $((before + 14)) ] || fail "$after rows after the restart, $before before"
# The fast clock starts again from the real time, so the new rows may fall among the old ones.
lost=$(sort "$dir/after.csv" | comm -23 <(sort "$dir/before.csv") - | wc -l)
[ "$lost" -eq 0 ] || fail "$lost rows from before the kill are gone or changed"
ls "$dir" | grep -q corrupt && fail "the history was put aside as damaged"
# What today's configuration would have done with the recorded cycles: one result row each.
status=0
"$build/tools/kavro-replay/kavro-replay" --history "$dir" --no-scripts --out "$dir/replay.csv" \
  2>"$dir/replay-errors.txt" || status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 3 ] || fail "replay of the history: exit status $status"
replayed=$(($(wc -l <"$dir/replay.csv") - 1))
[ "$replayed" -eq "$after" ] || fail "$replayed cycles replayed of $after recorded"
status=0
"$build/tools/kavro-replay/kavro-replay" --history "$dir" --from "2026-02-30 10:00" \
  2>"$dir/replay-errors.txt" || status=$?
[ "$status" -eq 2 ] && [ "$(wc -l <"$dir/replay-errors.txt")" -eq 1 ] ||
  fail "a bad --from: exit status $status, $(cat "$dir/replay-errors.txt")"
echo "history: $before rows before kill -9, $after after the restart, $replayed replayed"
