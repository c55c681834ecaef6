#!/bin/sh
# Takes a picture of every page of the window on a virtual X display: the seven
# operation pages, the description and the tutorial page.
#
#   scripts/screenshots.sh DIR
#
# Builds the window first when needed (in $MIRELANT_BUILD_DIR, default build/).
# Needs Xvfb and xauth:  apt-get install xvfb xauth
# The program takes the pictures of itself (MIRELANT_SCREENSHOTS names the
# folder), so no screen-capture tool is needed. The operation pages' pictures
# are the ones the tutorial page shows (app/resources/tutorial/).
set -eu

if [ $# -ne 1 ]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MIRELANT_BUILD_DIR:-$root/build}

if ! command -v xvfb-run >/dev/null 2>&1 || ! command -v xauth >/dev/null 2>&1; then
  echo "$0: needs xvfb-run and xauth: apt-get install xvfb xauth" >&2
  exit 1
fi

if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" --target mirelant -- -j2

mkdir -p "$1"
dir=$(cd "$1" && pwd)
MIRELANT_SCREENSHOTS="$dir" xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" "$build/app/mirelant"
ls -l "$dir"
