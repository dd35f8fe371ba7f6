#!/usr/bin/env bash
# Installs what Meshfold needs on a Debian machine, when it is missing:
#   setup-debian.sh build   a C++ compiler, CMake and Ninja: enough to build the program
#   setup-debian.sh test    everything the tests drive as well (the default)
# Needs root for apt-get; elsewhere it only says what is missing.
set -euo pipefail
purpose=${1:-test}

# command that must exist -> the Debian package that brings it
declare -A wanted=([cmake]=cmake [ninja]=ninja-build [g++]=g++)
libraries=()
if [ "$purpose" = test ]; then
  wanted+=(
    [python3]=python3
    # rendering the include files, and the desktop dialogs on a virtual display
    [povray]=povray
    [Xvfb]=xvfb
    [xdotool]=xdotool
    [xmodmap]=x11-xserver-utils
    [zenity]=zenity
    # the Windows build, cross-compiled and tested under wine on a virtual display
    [x86_64-w64-mingw32-g++-posix]=g++-mingw-w64-x86-64-posix
    [x86_64-w64-mingw32-windres]=binutils-mingw-w64-x86-64
    [wine]=wine
    [import]=imagemagick
    [clang++]=clang  # the fuzz build only
    # checking what is installed: the man page, the desktop entry, and the
    # .deb's dependencies, which cpack learns from dpkg-shlibdeps
    [man]=man-db
    [desktop-file-validate]=desktop-file-utils
    [dpkg-shlibdeps]=dpkg-dev
  )
  # Debian packages without a command of their own, checked with dpkg.
  # libclang-rt-14-dev (libFuzzer) serves the fuzz build only; time measures
  # peak memory; fonts-wine: wine only recommends it, and its dialogs draw
  # their text with it; Google Benchmark builds the micro-benchmarks.
  libraries=(libgtest-dev wine64 fonts-wine libclang-rt-14-dev time libbenchmark-dev)
fi
missing=()
for command in "${!wanted[@]}"; do
  command -v "$command" >/dev/null 2>&1 || missing+=("${wanted[$command]}")
done
for package in ${libraries[@]+"${libraries[@]}"}; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null 2>&1; then
  echo "Missing packages (install them as root): ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
