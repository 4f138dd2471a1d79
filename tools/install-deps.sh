#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Tarnview need.
# Both README commands and CI call this; it does nothing when all are present.
set -euo pipefail

packages=(
  # build
  cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev zlib1g-dev libxcb1-dev libxcb-shape0-dev
  libicu-dev libfontconfig-dev libfuse3-dev
  # run: fonts for both languages, the desktop's file opener, Qt's Wayland platform
  fonts-wine fonts-wqy-microhei xdg-utils qt6-wayland
  # tests: display server, window manager, input, screenshots, a session bus of the test's own
  # (and dbus-launch, as desktops have it), trash tools, office suite, a font with Arabic and
  # Hebrew for the tests of names that need shaping, btrfs for the volume tests, FUSE for a
  # drive that never answers
  xvfb xauth openbox xdotool x11-utils imagemagick dbus-daemon dbus-bin dbus-x11 btrfs-progs
  trash-cli fuse3 libreoffice-core-nogui
  # a Wayland compositor with its screenshot tool, and the client library the tests give its
  # seat a pointer with, for the tests on Wayland
  sway grim libwayland-dev
  libreoffice-writer-nogui libreoffice-calc-nogui libreoffice-impress-nogui fonts-dejavu-core
  # the name check (tools/check-names.sh)
  clang-tidy
  # package: shared-library dependencies, the menu entry's check
  dpkg-dev file desktop-file-utils
  # benchmarks (also a real locale to compare in: BENCH_LOCALE=en_US.UTF-8 bench/run.sh)
  hyperfine valgrind locales
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$package")
done
locale_missing=0
locale -a 2>/dev/null | grep -qix 'en_US.utf8' || locale_missing=1
[ ${#missing[@]} -eq 0 ] && [ $locale_missing -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
[ $locale_missing -eq 0 ] || $sudo localedef -i en_US -c -f UTF-8 en_US.UTF-8
