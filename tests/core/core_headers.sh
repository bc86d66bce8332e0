#!/usr/bin/env bash
# The core's objects include no toolkit, audio-library or JPEG header, as the
# compiler itself recorded every header each object read (Ninja's deps log):
# a header found on the system path is caught as surely as one behind -I.
# Usage: core_headers.sh NINJA BUILD_DIR
set -euo pipefail
ninja=$1
build=$2

deps=$("$ninja" -C "$build" -t deps)
objects=$(grep -cE '^(core|graphics|content|sound)/CMakeFiles/velmora_(core|graphics|content|sound)\.dir/.*\.o:' <<<"$deps" || true)
if [[ $objects -eq 0 ]]; then
  echo "no object of the core in the deps log of $build: build it first" >&2
  exit 1
fi
forbidden=$(awk '
  /^[^ ]/ { core = ($0 ~ /^(core|graphics|content|sound)\/CMakeFiles\/velmora_(core|graphics|content|sound)\.dir\//); object = $1; next }
  core && /(\/|^ *)(SDL2?\/|qt6\/|Qt[A-Za-z]+\/|jpeglib\.h|jconfig\.h|jmorecfg\.h|turbojpeg\.h)/ { print object, $1 }
' <<<"$deps")
if [[ -n $forbidden ]]; then
  echo "the core includes headers it must not:" >&2
  echo "$forbidden" >&2
  exit 1
fi
echo "$objects objects of the core, none includes a Qt, SDL or libjpeg header"
