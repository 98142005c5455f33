#!/usr/bin/env bash
# The Debian package as a user gets it: built with CPack from this build tree, unpacked into a
# scratch root (dpkg -x, no container), every program's libraries found, the demo configuration
# checked by the packaged kavro-config, the package's file list and dependencies as shipped, and
# the packaged demo run headless over the file link and, where the package has the OPC UA
# bridge, over the OPC link through the packaged bridge bundle.
# Usage: package-test.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
version=${2:?project version}
scratch=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log" >&2; fail "cpack could not build the package"; }
debs=("$scratch"/out/kavro_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one kavro_*.deb, got: ${debs[*]}"
deb=${debs[0]}

# The file list: the programs, the desktop entry and its icon, the demo, the man pages and the
# service unit, all under /usr.
# The sixth field is the path; a symbolic link's target follows it after "->".
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$scratch/files"
programs=(kavro kavro-config kavro-history kavro-replay kavro-script kavro-plantsim kavro-tune)
expected=(
  /usr/share/applications/kavro.desktop
  /usr/share/icons/hicolor/scalable/apps/kavro.svg
  /usr/share/kavro/demo/FLC.dat
  /usr/share/kavro/demo/plant.txt
  /usr/lib/systemd/system/kavro@.service
)
for p in "${programs[@]}"; do expected+=("/usr/bin/$p" "/usr/share/man/man1/$p.1"); done
for f in "${expected[@]}"; do
  grep -qxF "$f" "$scratch/files" || fail "$f is not in the package"
done
outside=$(grep -v '^/usr/' "$scratch/files" | grep -v '/$' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
# Nothing of the build tree or the tests travels with it, nor any node_modules: the bridge ships
# as its bundles.
if grep -E 'test_|/tests?/|CMakeFiles|kavro-screenshot|node_modules' "$scratch/files"; then
  fail "build, test or node_modules files in the package"
fi

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6core6 libsqlite3-0 libstdc++6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
bridge=/usr/share/kavro/opcua-bridge
with_bridge=false
if grep -q "^$bridge/" "$scratch/files"; then
  with_bridge=true
  [[ "$depends" == *nodejs* ]] || fail "the OPC UA bridge ships but Depends lacks nodejs"
  for f in /usr/share/kavro/demo-opc/FLC.dat "$bridge/bridge.js" "$bridge/plant-server.js" \
      "$bridge/THIRD-PARTY-LICENSES.txt" "$bridge/data/node-opcua-nodesets/nodesets/Opc.Ua.NodeSet2.xml"; do
    grep -qxF "$f" "$scratch/files" || fail "the OPC UA bridge ships without $f"
  done
fi

root="$scratch/root"
dpkg -x "$deb" "$root"
for p in "${programs[@]}"; do
  exe="$root/usr/bin/$p"
  [ -x "$exe" ] || fail "$p is not executable"
  missing=$(ldd "$exe" | grep 'not found' || true)
  [ -z "$missing" ] || fail "$p: libraries not found: $missing"
  # One version for every program, the project's; usage on --help.
  printed=$("$exe" --version) || fail "$p --version failed"
  [ "$printed" = "$p $version" ] || fail "$p --version printed '$printed'"
  help=$("$exe" --help) || fail "$p --help failed"
  [[ "$help" == usage:* ]] || fail "$p --help printed no usage: $help"
done

# The packaged tool reads the packaged demo without a message.
"$root/usr/bin/kavro-config" check "$root/usr/share/kavro/demo" >"$scratch/check.txt" ||
  { cat "$scratch/check.txt" >&2; fail "kavro-config check of the packaged demo"; }

# The packaged demo, headless on a fast clock (100x) in a copy of its folder: kavro runs until
# READY says the link did its work, then ends on SIGTERM as a service does, its link whole.
# run_headless DIR READY
run_headless() {
  local dir=$1 ready=$2 status=0
  KAVRO_TIME_SCALE=100 "$root/usr/bin/kavro" --headless --workdir "$dir" 2>"$dir/stderr.txt" &
  local kavro=$!
  pids+=("$kavro")
  local deadline=$((SECONDS + 30))
  until "$ready" "$dir"; do
    kill -0 "$kavro" 2>/dev/null || { cat "$dir/stderr.txt" >&2; fail "kavro ended early in $dir"; }
    [ "$SECONDS" -lt "$deadline" ] || { cat "$dir/stderr.txt" >&2; fail "$ready $dir: not in 30 s"; }
    sleep 0.05
  done
  kill -TERM "$kavro"
  wait "$kavro" || status=$?
  [ "$status" -eq 0 ] || fail "kavro --headless in $dir ended with status $status"
  grep -q 'ended by signal' "$dir/kavro-events.log" || fail "no clean end in $dir"
  # A link that failed or lost its client says so in the events file. On the 100x clock the
  # first read comes a tenth of a second after the client was started, which a client starting
  # on a busy machine can miss: one read error spell that ended (the client restarted and
  # delivered) is that start, anything more is a failed link.
  local began ended
  began=$(grep -c 'Link read error began' "$dir/kavro-events.log" || true)
  ended=$(grep -c 'Link read error ended' "$dir/kavro-events.log" || true)
  if grep -E 'Link write error|Not Connecting|Program Ended' "$dir/kavro-events.log" ||
    [ "$began" -gt 1 ] || [ "$began" -ne "$ended" ]; then
    cat "$dir/kavro-events.log" >&2
    fail "the link failed in $dir"
  fi
}

# Over the file link: the packaged simulator beside FLC.dat, as the README says. Each cycle
# writes KILN1.OUT with the controller's time in its third line: ten of them are enough.
file_cycles=0
file_last=
ten_file_cycles() {
  local now
  now=$(sed -n 3p "$1/KILN1.OUT" 2>/dev/null || true)
  if [ -n "$now" ] && [ "$now" != "$file_last" ]; then
    file_cycles=$((file_cycles + 1))
    file_last=$now
  fi
  [ "$file_cycles" -ge 10 ]
}
kiln="$scratch/kiln"
cp -R "$root/usr/share/kavro/demo" "$kiln"
printf '#!/bin/sh\nexec %q --speed 100 --idle 20 "$@"\n' "$root/usr/bin/kavro-plantsim" \
  >"$kiln/kavro-plantsim"
chmod +x "$kiln/kavro-plantsim"
run_headless "$kiln" ten_file_cycles
# The link client outlives the controller, as it should: this test's own, found by its folder.
for p in $(pgrep -x kavro-plantsim || true); do
  [ "$(readlink "/proc/$p/cwd" 2>/dev/null)" = "$kiln" ] && kill -KILL "$p"
done

# Over the OPC link: the packaged simulator serves the OPC demo on a free loopback port from the
# packaged bundles, and the controller reaches it through the packaged bridge. The kiln's set
# points are variables that only the controller writes (the server starts them at 0): read
# back through the bridge, they show that the loop ran.
opc_link_on_for_ten_cycles() {
  grep -q 'Link switched ON' "$1/kavro-events.log" 2>/dev/null || return 1
  sleep 1  # 100 s of the controller's time
}
if $with_bridge; then
  export KAVRO_OPCUA_BRIDGE="$root$bridge"
  kiln="$scratch/kiln-opc"
  cp -R "$root/usr/share/kavro/demo-opc" "$kiln"
  port=$(node -e 'const s = require("net").createServer();
    s.listen(0, "127.0.0.1", () => { console.log(s.address().port); s.close(); });')
  sed -i "s/48400/$port/" "$kiln/FLC.dat"
  "$root/usr/bin/kavro-plantsim" --dir "$kiln" --speed 100 --opcua "$port" KILN1 \
    >"$kiln/plantsim.txt" 2>&1 &
  server=$!
  pids+=("$server")
  deadline=$((SECONDS + 60))
  until grep -q "OPC UA server at" "$kiln/plantsim.txt"; do
    kill -0 "$server" 2>/dev/null || { cat "$kiln/plantsim.txt" >&2; fail "the OPC UA server ended"; }
    [ "$SECONDS" -lt "$deadline" ] || fail "the packaged OPC UA server did not start in 60 s"
    sleep 0.05
  done
  run_headless "$kiln" opc_link_on_for_ten_cycles
  endpoint="opc.tcp://127.0.0.1:$port/kavro"
  read=$(printf '%s\n' "{\"id\":1,\"op\":\"connect\",\"endpoint\":\"$endpoint\",\"connectMs\":15000,\"certificateMs\":30000,\"callMs\":5000}" \
      '{"id":2,"op":"add","tag":"FC401.SP"}' '{"id":3,"op":"add","tag":"SC501.SP"}' \
      '{"id":4,"op":"read","items":[1,2]}' |
    node "$KAVRO_OPCUA_BRIDGE/bridge.js" 2>/dev/null | grep '"id":4' || true)
  [[ "$read" =~ \"values\":\[[0-9.]+,[0-9.]+\] && ! "$read" =~ \"values\":\[0,0\] ]] ||
    fail "the controller's set points did not reach the OPC UA server: $read"
  kill -TERM "$server"
  wait "$server" || true
fi

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/kavro.desktop" || fail "desktop entry"
fi
echo "package: $(basename "$deb"), $(wc -l <"$scratch/files") entries, Depends: $depends"
