#!/usr/bin/env bash
# Installs, from Debian 12's archive, every package that building, running and testing need and that
# is not there yet. Safe to run again: it does nothing when all are present. Run as root.
set -euo pipefail

packages=(
  # build
  cmake
  make
  g++
  qt6-base-dev
  qt6-charts-dev
  qt6-svg-dev
  libcli11-dev
  libcsv-dev
  # tests, sanitizers, fuzzing and benchmarks
  libgtest-dev
  libbenchmark-dev
  clang
  libclang-rt-14-dev
  time
  # the command line's manual page
  help2man
  # format and static checks (run-clang-tidy comes with clang-tidy; universal-ctags lists the functions
  # and their lengths)
  clang-format
  clang-tidy
  universal-ctags
  git
  # the window's font, and a virtual display for screenshots and start-up measurements
  fonts-liberation
  xvfb
  xauth
  # the report test reads the PDF's text
  poppler-utils
  # the report test reads the clipboard's and the report's HTML with Python's HTML parser
  python3
  # desktop entry and metainfo checks, and the Debian package (file and dpkg-dev for its dependencies,
  # lintian to check it)
  desktop-file-utils
  appstream
  dpkg-dev
  file
  lintian
  # the Python module tarvex_uncertainty: pybind11 and Debian's Python 3 headers to build it, pytest to
  # test it, NumPy for its arrays and pandas for the tests and examples that use data frames
  pybind11-dev
  python3-dev
  python3-pytest
  python3-numpy
  python3-pandas
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y "${missing[@]}"
