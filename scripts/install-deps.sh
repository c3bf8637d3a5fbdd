#!/usr/bin/env bash
# Installs every Debian package the program, its tests and its tools need.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  cmake g++ make pkg-config python3
  clang-14 libclang-rt-14-dev
  qt6-base-dev libqt6sql6-sqlite qt6-svg-dev qt6-tools-dev qt6-l10n-tools
  libsqlite3-dev sqlite3
  libgtest-dev libgmock-dev libbenchmark-dev
  libcsv-dev
  libzip-dev libxlsxwriter-dev libfreexl-dev
  python3-openpyxl libreoffice-calc-nogui
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  mdbtools-dev
  fonts-noto-cjk fonts-arphic-uming
  xvfb xauth imagemagick
  librsvg2-bin desktop-file-utils appstream xdotool x11-utils
  dpkg-dev lintian man-db mmdebstrap
)

source "$(dirname "${BASH_SOURCE[0]}")/install-missing.sh"
install_missing "${packages[@]}"
