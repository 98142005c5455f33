# Sourced by the integration scripts that run kavro --headless against the plant simulator: a
# scratch working folder with the demo kiln and a simulator at 250x ($dir), the simulators
# running in it, and clean-up of both and of the controller ($kavro_pid) however the test ends.
# Needs $build and $source set.
dir=$(mktemp -d)
kavro_pid=
client_pids() {
  # The simulators running in this test's folder only (other tests run theirs elsewhere).
  local p
  for p in $(pgrep -x kavro-plantsim || true); do
    [ "$(readlink "/proc/$p/cwd" 2>/dev/null)" = "$dir" ] && echo "$p"
  done
  return 0
}
cleanup() {
  [ -n "$kavro_pid" ] && kill -KILL "$kavro_pid" 2>/dev/null || true
  for p in $(client_pids); do kill -KILL "$p" 2>/dev/null || true; done
  rm -rf "$dir"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  echo "--- standard error" >&2; cat "$dir/stderr.txt" >&2 || true
  exit 1
}

cp "$source/demo/FLC.dat" "$source/demo/plant.txt" "$dir/"
printf '#!/bin/sh\nexec %q --speed 250 --idle 20 "$@"\n' \
  "$build/tools/kavro-plantsim/kavro-plantsim" >"$dir/kavro-plantsim"
chmod +x "$dir/kavro-plantsim"
