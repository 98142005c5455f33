#!/usr/bin/env bash
# kavro --headless against the plant simulator, both on a fast clock (250x): at least 100
# control cycles over the file link, the link client killed and brought back by the restart
# option, then SIGTERM. Checks the exit status, the events file and that FLC.dat is untouched.
# Usage: headless-test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
source=$(cd "${2:?source directory}" && pwd)
. "$(dirname "$0")/plant-folder.sh"

# A folder without FLC.dat is refused before anything is written there.
mkdir "$dir/empty"
status=0
"$build/src/app/kavro" --headless --workdir "$dir/empty" 2>"$dir/stderr.txt" || status=$?
[ "$status" -eq 2 ] || fail "exit status $status in a folder without FLC.dat"
grep -qxF "kavro: no FLC.dat in $dir/empty" "$dir/stderr.txt" || fail "no FLC.dat not told"
[ -z "$(ls -A "$dir/empty")" ] || fail "files written to a folder without FLC.dat"

KAVRO_TIME_SCALE=250 "$build/src/app/kavro" --headless --workdir "$dir" 2>"$dir/stderr.txt" &
kavro_pid=$!

# Each cycle writes KILN1.OUT with the controller's time in its third line (10 s apart, 40 ms
# of real time).
count_cycles() {
  local want=$1 seen=0 last= now deadline=$((SECONDS + 60))
  while [ "$seen" -lt "$want" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "only $seen cycles in 60 s"
    kill -0 "$kavro_pid" 2>/dev/null || fail "kavro ended early"
    now=$(sed -n 3p "$dir/KILN1.OUT" 2>/dev/null || true)
    if [ -n "$now" ] && [ "$now" != "$last" ]; then seen=$((seen + 1)); last=$now; fi
    sleep 0.02
  done
}
count_cycles 100

first=$(client_pids)
[ -n "$first" ] || fail "no link client running after 100 cycles"
kill -KILL $first
deadline=$((SECONDS + 30))
until second=$(client_pids) && [ -n "$second" ] && [ "$second" != "$first" ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the restart option did not bring the client back"
  sleep 0.1
done
count_cycles 20

kill -TERM "$kavro_pid"
status=0
wait "$kavro_pid" || status=$?
kavro_pid=
[ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"

log="$dir/kavro-events.log"
[ -f "$log" ] || fail "no kavro-events.log"
grep -q 'headless controller starting' "$log" || fail "start not in the events file"
grep -q 'Link Client Program Ended' "$log" || fail "the restart is not in the events file"
grep -q 'Please Confirm - End Control -> Yes' "$log" || fail "exit question not answered"
tail -n 1 "$log" | grep -q 'ended by signal' || fail "last line is not the end"
# Every line whole and time-stamped.
if grep -vqE '^[A-Z][a-z]{2}-[0-9]{2}-[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}[[:space:]]' "$log"; then
  fail "a line without a time stamp"
fi
cmp -s "$source/demo/FLC.dat" "$dir/FLC.dat" || fail "FLC.dat was changed"
[ -n "$(client_pids)" ] || fail "the link client did not outlive the controller"
echo "headless: $(wc -l <"$log") event lines; exit status $status"
