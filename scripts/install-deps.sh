#!/usr/bin/env bash
# Installs the Debian 12 packages TALPO needs to build, test and run, when any is missing.
#   scripts/install-deps.sh [EXTRA_PACKAGE...]    e.g. the fuzz targets' clang-14 libclang-rt-14-dev
# libgl-dev: Qt's Widgets package asks for OpenGL's headers; xvfb and xauth: the window program and its
# screenshots on a machine without a display; poppler-utils: the tests read the printed cards' PDF
# (pdftotext, pdffonts, pdfinfo); qt6-translations-l10n: Qt's own texts (file dialog, box buttons, context
# menus) in Japanese; qt6-charts-dev: the back-test window's charts, whose CMake files want OpenGL's
# (libqt6opengl6-dev) though the package does not depend on it; librsvg2-bin and help2man: the icons and
# the manual pages, made at build time; file, lintian, desktop-file-utils and appstream: the Debian
# package and its checks.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    libarchive-dev nlohmann-json3-dev libcli11-dev libcsv-dev libtomlplusplus-dev
    libgtest-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-charts-dev libqt6opengl6-dev
    fonts-ipafont-gothic xvfb xauth poppler-utils
    librsvg2-bin help2man
    file lintian desktop-file-utils appstream
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
