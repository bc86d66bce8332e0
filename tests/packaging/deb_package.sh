#!/usr/bin/env bash
# Builds the Debian package as a distribution would, checks it with lintian
# and the desktop validators, unpacks it into a temporary root and runs the
# unpacked program on a display of its own (the caller provides one, e.g.
# through xvfb-run) in a folder without content, as the menu starts it: it
# must open the packaged demo in a main window of the class the desktop entry
# names. The archive must hold the same files and do the same once moved.
#   deb_package.sh BUILD_DIR APP_ID
set -euo pipefail
build=$(realpath "$1")
id=$2
work=$(mktemp -d)
manifest=$build/install_manifest.txt
pid=
# CPack's install rewrites the build's manifest, which the uninstall target
# of a real install reads: keep it.
[ -f "$manifest" ] && cp "$manifest" "$work/manifest.saved"
cleanup() {
  if [ -n "$pid" ]; then kill -9 "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  if [ -f "$work/manifest.saved" ]; then cp "$work/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

echo "== the package"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/package/velmora_*.deb)
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no library dependencies: $(dpkg-deb -f "$deb" Depends)"
# SDL2 is opened at run time: no linked library names it.
dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-2.0-0' || fail "SDL2 is not a dependency: $(dpkg-deb -f "$deb" Depends)"
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
grep -v '^running with root' "$work/lintian.log" || true

echo "== unpacked, validated"
root=$work/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
icon=$(sed -n 's/^Icon=//p' "$desktop")
icons=$root/usr/share/icons/hicolor
[ -f "$icons/scalable/apps/$icon.svg" ] || fail "no scalable icon named $icon"
# The scalable icon, drawn by another renderer, looks like the largest pixel
# icon: at most a few edge pixels differ by more than a quarter.
rsvg-convert -w 256 -h 256 "$icons/scalable/apps/$icon.svg" -o "$work/svg.png"
differing=$(compare -metric AE -fuzz 25% "$work/svg.png" "$icons/256x256/apps/$icon.png" null: 2>&1 || true)
[ "$differing" -le 64 ] 2>/dev/null || fail "the scalable icon differs from the 256 px icon in $differing pixels"

echo "== the archive holds the same files and can be moved"
cpack --config "$build/CPackConfig.cmake" -G TGZ -B "$work/package" >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$work/cpack.log")"
mkdir "$work/moved"
tar -xzf "$work"/package/velmora-*.tar.gz -C "$work/moved" --strip-components=1
diff <(cd "$work/moved" && find . -type f | sort) <(cd "$root/usr" && find . -type f | sort) ||
  fail "the archive and the Debian package differ"
if readelf -d "$work/moved/bin/velmora" "$work/moved/bin/velmora-content" | grep -E 'RPATH|RUNPATH'; then
  fail "a run path ties the programs to one place"
fi

export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir "$work/elsewhere"
caption="Velmora w zakresie wybranych przykładów wymowy dzieci przedszkolnych \\(Demo\\)"
wmclass=$(sed -n 's/^StartupWMClass=//p' "$desktop")

# Starts PROGRAM in a folder without content, as the menu does: it must
# open the demo installed beside it, in a main window of the desktop entry's
# class; then ends it.
start_on_installed_demo() {
  (cd "$work/elsewhere" && exec "$1") >"$work/velmora.log" 2>&1 &
  pid=$!
  local window=
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$window" ] || ! kill -0 "$pid" 2>/dev/null; then break; fi
    sleep 0.1
  done
  [ -n "$window" ] || fail "$1: no main window: $(cat "$work/velmora.log")"
  xwininfo -id "$window" | grep -q 'Map State: IsViewable' || fail "$1: the main window is not viewable"
  local class
  class=$(xprop -id "$window" WM_CLASS | sed 's/.*", "\(.*\)"$/\1/')
  [ "$class" = "$wmclass" ] || fail "window class $class, the desktop entry names $wmclass"
  kill -9 "$pid"; wait "$pid" 2>/dev/null || true; pid=
  for _ in $(seq 50); do
    xdotool search --name "^$caption\$" >/dev/null 2>&1 || break
    sleep 0.1
  done
  echo "$1: main window $window, class $class"
}

echo "== the unpacked program starts on the packaged demo"
start_on_installed_demo "$root/usr/bin/velmora"
echo "== so does the moved archive's"
start_on_installed_demo "$work/moved/bin/velmora"
