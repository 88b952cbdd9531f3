#!/bin/sh
# Installs the build and test dependencies that are missing (Debian 12, run as root).
# Shared by run.sh and test.sh; does nothing when everything is present.
set -eu

# poppler-utils: pdftotext, which bench/core_readers_bench times the PDF reader against.
PACKAGES="build-essential cmake qt6-base-dev libqt6opengl6-dev qt6-svg-dev qt6-charts-dev
libglew-dev freeglut3-dev libtinyxml2-dev libpoppler-qt6-dev libgtest-dev xvfb xauth pkg-config
clang-format poppler-utils"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    apt-get update
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
fi
