#!/usr/bin/env bash
# Times extract and generate on LINES lines started from the window's button
# against the same work done by mirelant-cli, and prints the ratio (the window
# should stay within 1.2 times the command line's time).
#
#   bench/window_vs_cli/run.sh [LINES] [WORKDIR]
#
#   LINES    lines to extract from and to generate (default 10000000)
#   WORKDIR  input and outputs (default /tmp/mirelant-window-bench)
#   REPEAT   environment: runs per measurement, the fastest counts (default 3)
#
# The window runs offscreen (no display needed). Its time is taken inside the
# program, from the button's click until the window thread sees the run end;
# the command line's is the whole process, start-up included.
set -euo pipefail

LINES=${1:-10000000}
WORK=${2:-/tmp/mirelant-window-bench}
REPEAT=${REPEAT:-3}
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=${BUILD_DIR:-$HERE/../../build-window-bench}

echo "== building window_run and mirelant-cli (Release) in $BUILD"
cmake -S "$HERE" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$BUILD" -j2 window_run mirelant-cli >/dev/null
CLI=$BUILD/mirelant/cli/mirelant-cli
WIN=$BUILD/window_run

mkdir -p "$WORK"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then  # Qt asks for one even offscreen
  export XDG_RUNTIME_DIR=$WORK/runtime
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
IN=$WORK/input.txt
if [ "$(cat "$WORK/input.lines" 2>/dev/null)" != "$LINES" ] || [ ! -f "$IN" ]; then
  echo "== writing $LINES input lines"
  "$CLI" generate -o "$IN" --rule 'user%%%%%=pass##%%=*%' --count "$LINES" --seed 1 >/dev/null
  echo "$LINES" >"$WORK/input.lines"
fi
cat "$IN" >/dev/null  # both start with the input in the cache

# best SECONDS of REPEAT runs of a command that prints nothing we need
best_wall() {
  local best=
  for _ in $(seq "$REPEAT"); do
    local t0 t1
    t0=$(date +%s.%N)
    "$@" >/dev/null
    t1=$(date +%s.%N)
    best=$(echo "$t0 $t1 ${best:-}" | awk '{d=$2-$1; if ($3=="" || d<$3) print d; else print $3}')
  done
  echo "$best"
}
# best of REPEAT runs of window_run, which prints its own seconds
best_window() {
  local best=
  for _ in $(seq "$REPEAT"); do
    local t
    t=$("$WIN" "$@")
    best=$(echo "$t ${best:-}" | awk '{if ($2=="" || $1<$2) print $1; else print $2}')
  done
  echo "$best"
}

printf '%-10s %12s %12s %8s\n' operation cli_s window_s ratio
report() {
  printf '%-10s %12.3f %12.3f %8.2f\n' "$1" "$2" "$3" "$(echo "$2 $3" | awk '{print $2/$1}')"
}

cli=$(best_wall "$CLI" extract "$IN" -o "$WORK/extract.cli" --left =)
win=$(best_window extract "$IN" "$WORK/extract.win" =)
cmp -s "$WORK/extract.cli" "$WORK/extract.win" || { echo "extract outputs differ" >&2; exit 1; }
report extract "$cli" "$win"

cli=$(best_wall "$CLI" generate -o "$WORK/gen.cli" --rule '135535%%%%%' --count "$LINES")
win=$(best_window generate "$WORK/gen.win" '135535%%%%%' "$LINES")
[ "$(stat -c %s "$WORK/gen.cli")" = "$(stat -c %s "$WORK/gen.win")" ] ||
  { echo "generate outputs differ in size" >&2; exit 1; }
report generate "$cli" "$win"
rm -f "$WORK"/extract.* "$WORK"/gen.*
