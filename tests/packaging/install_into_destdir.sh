#!/usr/bin/env bash
# Installs the build into a DESTDIR under a prefix that exists nowhere else,
# checks that every file landed inside DESTDIR (and nothing under the bare
# prefix), that the files a desktop needs are there, then uninstalls with
# the same DESTDIR and checks that no installed file is left.
#   install_into_destdir.sh BUILD_DIR APP_ID
set -euo pipefail
build=$(realpath "$1")
id=$2
work=$(mktemp -d)
manifest=$build/install_manifest.txt
# Installing rewrites the build's manifest, which the uninstall target of a
# real install reads: keep it.
[ -f "$manifest" ] && cp "$manifest" "$work/manifest.saved"
cleanup() {
  if [ -f "$work/manifest.saved" ]; then cp "$work/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
dest=$work/dest
DESTDIR=$dest cmake --install "$build" --prefix "$prefix" >/dev/null
[ ! -e "$prefix" ] || fail "written outside DESTDIR: $(find "$prefix" -type f | head -5)"
while IFS= read -r file; do
  [ -f "$dest$file" ] || fail "the manifest names $file, missing under DESTDIR"
done < "$manifest"

root=$dest$prefix
for file in bin/velmora bin/velmora-content \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/$id.png \
    share/icons/hicolor/scalable/apps/$id.svg \
    share/velmora/demo/menl.dat share/man/man1/velmora.1.gz share/doc/velmora/copyright; do
  [ -f "$root/$file" ] || fail "not installed: $file"
done
installed=$(find "$dest" -type f | wc -l)
[ "$installed" -eq "$(grep -c "" "$manifest")" ] || fail "$installed files installed, the manifest names $(grep -c "" "$manifest")"

DESTDIR=$dest cmake --build "$build" --target uninstall >/dev/null
left=$(find "$dest" -type f)
[ -z "$left" ] || fail "left after uninstall: $(echo "$left" | head -5)"
[ ! -e "$root/share/velmora" ] || fail "share/velmora left after uninstall"
echo "installed and uninstalled $installed files inside DESTDIR"
