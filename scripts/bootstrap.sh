#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Velmora needs.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  libsdl2-dev libjpeg62-turbo-dev qt6-base-dev
  # reading the font configuration while the toolkit starts
  libfontconfig-dev
  # demo content: the Polish voice, the emoji and text fonts it is drawn with
  espeak-ng fonts-noto-color-emoji fonts-dejavu-core fonts-liberation2
  # running the windows without a display, looking at them and clicking them
  xvfb xauth imagemagick xdotool x11-utils
  # the start-up benchmark watches the first paint of each window
  libxdamage-dev
  # a real desktop in the program tests: a window manager, a Wayland
  # compositor, the accessibility bus and its Python reader
  openbox weston qt6-wayland dbus at-spi2-core python3-pyatspi
  # ending what a test started, children included
  procps
  # asking an X11 window manager for the frame before a window is mapped
  libxcb1-dev
  # Qt's own texts in Polish
  qt6-translations-l10n
  # code tools: formatting, static checks, the clang build of the fuzz targets
  clang clang-tidy clang-format
  # packaging and its validators
  dpkg-dev desktop-file-utils appstream lintian
  # rendering the scalable icon to compare it with the pixel icons
  librsvg2-bin
)
"$(dirname "$0")/install-packages.sh" "${packages[@]}"
