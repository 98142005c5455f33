#!/usr/bin/env bash
# The Debian package as a user gets it: built with CPack from this build tree, unpacked into a
# scratch root (dpkg -x, no container), every program's libraries found, the demo configuration
# checked by the packaged kavro-config, and the package's file list and dependencies as shipped.
# Usage: package-test.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
version=${2:?project version}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
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
programs=(kavro kavro-config kavro-replay kavro-script kavro-plantsim)
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
# Nothing of the build tree or the tests travels with it (the bridge's node modules are shipped
# as npm installed them, helpers named test_ and all).
if grep -v '^/usr/share/kavro/opcua-bridge/node_modules/' "$scratch/files" |
    grep -E 'test_|/tests?/|CMakeFiles|kavro-screenshot'; then
  fail "build or test files in the package"
fi

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6core6 libstdc++6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
if grep -q '^/usr/share/kavro/opcua-bridge/' "$scratch/files"; then
  [[ "$depends" == *nodejs* ]] || fail "the OPC UA bridge ships but Depends lacks nodejs"
  grep -qxF /usr/share/kavro/demo-opc/FLC.dat "$scratch/files" ||
    fail "the OPC UA bridge ships without its demo folder"
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

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/kavro.desktop" || fail "desktop entry"
fi
echo "package: $(basename "$deb"), $(wc -l <"$scratch/files") entries, Depends: $depends"
