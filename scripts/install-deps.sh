#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian machine.
set -euo pipefail
need=0
for tool in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix wine xvfb-run cmake import makensis rsvg-convert zip clang++ clang-format; do
  command -v "$tool" >/dev/null 2>&1 || need=1
done
dpkg -s wine32:i386 >/dev/null 2>&1 || need=1
dpkg -s fonts-wine >/dev/null 2>&1 || need=1
dpkg -s fonts-wqy-microhei >/dev/null 2>&1 || need=1
[ -d /usr/src/googletest ] || need=1
dpkg -s libbenchmark-dev >/dev/null 2>&1 || need=1
# The fuzzing build (scripts/fuzz.sh): clang, and libFuzzer's runtime, which clang only
# recommends and which comes with the compiler-rt development package of the default clang.
dpkg -s libclang-rt-dev >/dev/null 2>&1 || need=1
if [ "$need" = 1 ]; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32:i386 wine64 xvfb xauth imagemagick nsis \
    cmake make g++ googletest libgtest-dev libbenchmark-dev librsvg2-bin zip unzip fonts-wine fonts-wqy-microhei \
    ninja-build clang libclang-rt-dev clang-format >/dev/null
fi
echo "dependencies ready"
