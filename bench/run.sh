#!/usr/bin/env bash
# Times mirelant-cli against the usual command-line tools on a generated corpus
# and prints one table: operation, tool, seconds, peak memory, and how
# mirelant-cli's time compares with each peer's.
#
#   bench/run.sh [LINES] [WORKDIR]
#
#   LINES    corpus lines (default 10000000, about 200 MB)
#   WORKDIR  corpus and outputs (default /tmp/mirelant-bench); the corpus is kept
#            and reused while LINES stays the same
#   REPEAT   environment: runs per measurement, the fastest counts (default 3;
#            a command that takes longer than 15 s runs once)
#
# Needs GNU time (/usr/bin/time, Debian package "time"), cmake, ninja and a C++20
# compiler. Peers that are missing are skipped with a note: mawk, gawk, shuf and
# split (coreutils), sed, find, maskprocessor (Debian package "maskprocessor").
set -euo pipefail

LINES=${1:-10000000}
WORK=${2:-/tmp/mirelant-bench}
REPEAT=${REPEAT:-3}
REPO=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD_DIR:-$REPO/build-bench}
export LC_ALL=C  # every tool works on bytes

case $LINES in '' | *[!0-9]*) echo "LINES must be a number: $LINES" >&2; exit 2 ;; esac
if ! /usr/bin/time -v true >/dev/null 2>&1; then
  echo "GNU time is needed for wall time and peak memory: apt-get install time" >&2
  exit 1
fi
for tool in cmake ninja c++ iconv; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

# ---- build -------------------------------------------------------------------
echo "== building mirelant-cli (Release) in $BUILD"
cmake -S "$REPO" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMIRELANT_GUI=OFF \
  -DMIRELANT_TESTS=OFF >/dev/null
ninja -C "$BUILD" -j2 mirelant-cli >/dev/null
CLI=$BUILD/cli/mirelant-cli

mkdir -p "$WORK"
c++ -O2 -std=c++20 "$REPO/bench/make_corpus.cpp" -o "$WORK/make_corpus"

# ---- inputs ------------------------------------------------------------------
if [ "$(cat "$WORK/corpus.lines" 2>/dev/null)" != "$LINES" ] || [ ! -f "$WORK/corpus.txt" ]; then
  echo "== writing the corpus: $LINES lines"
  "$WORK/make_corpus" "$WORK" "$LINES"
  echo "$LINES" >"$WORK/corpus.lines"
fi
IN=$WORK/corpus.txt
iconv -f GBK -t UTF-8 "$WORK/rules.gbk" >"$WORK/rules.txt"  # the command line takes UTF-8
IN_BYTES=$(stat -c %s "$IN")
OUT=$WORK/out
rm -rf "$OUT" && mkdir -p "$OUT" "$WORK/split"
ln -f "$IN" "$WORK/split/corpus.txt"  # split writes its parts beside its input
cat "$IN" >/dev/null                  # every tool starts with the corpus in the cache

MASKPROCESSOR=$(command -v maskprocessor || command -v mp64 || command -v mp32 || true)

# ---- measuring ---------------------------------------------------------------
ROW_OP=() ROW_TOOL=() ROW_S=() ROW_CPU=() ROW_MB=()
NOTES=()
TIMES=$WORK/time.txt

# measure OP TOOL OUTPUT COMMAND: runs COMMAND (bash) REPEAT times, removing
# OUTPUT (a file, a folder or a glob) before each run; keeps the fastest.
measure() {
  local op=$1 tool=$2 output=$3 cmd=$4 best_s="" best_cpu="" best_mb="" s cpu kb i
  for ((i = 0; i < REPEAT; i++)); do
    # shellcheck disable=SC2086  # output may be a glob
    rm -rf $output
    if ! /usr/bin/time -v -o "$TIMES" bash -c "$cmd" >/dev/null 2>"$WORK/stderr.txt"; then
      echo "   $op / $tool failed: $(tail -n 3 "$WORK/stderr.txt")" >&2
      NOTES+=("$op / $tool failed")
      return
    fi
    s=$(awk -F': ' '/Elapsed \(wall clock\)/ {
          n = split($2, p, ":"); t = 0; for (j = 1; j <= n; j++) t = t * 60 + p[j]; print t }' "$TIMES")
    cpu=$(awk -F': ' '/(User|System) time \(seconds\)/ {t += $2} END {print t}' "$TIMES")
    kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$TIMES")
    if [ -z "$best_s" ] || awk -v a="$s" -v b="$best_s" 'BEGIN {exit !(a < b)}'; then
      best_s=$s best_cpu=$cpu best_mb=$(awk -v k="$kb" 'BEGIN {printf "%.1f", k / 1024}')
    fi
    awk -v a="$s" 'BEGIN {exit !(a > 15)}' && break
  done
  printf '   %-11s %-22s %8.2f s %8.2f s cpu %9s MB\n' "$op" "$tool" "$best_s" "$best_cpu" "$best_mb"
  ROW_OP+=("$op") ROW_TOOL+=("$tool") ROW_S+=("$best_s") ROW_CPU+=("$best_cpu") ROW_MB+=("$best_mb")
}

# peer OP TOOL PROGRAM OUTPUT COMMAND: measure, or a note when PROGRAM is missing.
peer() {
  if [ -n "$3" ] && command -v "$3" >/dev/null; then
    measure "$1" "$2" "$4" "$5"
  else
    NOTES+=("$1 / $2 skipped: ${3:-the program} is not installed")
  fi
}

seconds_of() {  # seconds_of OP TOOL
  local i
  for i in "${!ROW_OP[@]}"; do
    [ "${ROW_OP[$i]}" = "$1" ] && [ "${ROW_TOOL[$i]}" = "$2" ] && { echo "${ROW_S[$i]}"; return 0; }
  done
  return 0
}

check() {  # check DESCRIPTION COMMAND: a correctness check of the outputs
  if bash -c "$2" >/dev/null 2>&1; then NOTES+=("check passed: $1"); else NOTES+=("CHECK FAILED: $1"); fi
}

echo "== machine: $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)," \
  "$(awk '/MemTotal/ {printf "%.1f GB", $2 / 1048576}' /proc/meminfo) RAM, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== corpus: $LINES lines, $IN_BYTES bytes; runs per measurement: $REPEAT"
echo "== mirelant $(git -C "$REPO" rev-parse --short HEAD 2>/dev/null || echo '(no git)')$(
  git -C "$REPO" diff --quiet HEAD -- core cli 2>/dev/null || echo ' with uncommitted changes in core/ or cli/'),"\
  "$(awk -F= '/^CMAKE_CXX_COMPILER:/ {print $2}' "$BUILD/CMakeCache.txt")" \
  "($("$(awk -F= '/^CMAKE_CXX_COMPILER:/ {print $2}' "$BUILD/CMakeCache.txt")" --version | head -n 1))," \
  "flags: $(awk -F= '/^CMAKE_CXX_FLAGS_RELEASE:/ {print $2}' "$BUILD/CMakeCache.txt")"

echo "== peers: $(
  { command -v mawk >/dev/null && mawk -W version 2>&1 | head -n 1
    command -v gawk >/dev/null && gawk --version | head -n 1
    shuf --version | head -n 1; sed --version | head -n 1; find --version | head -n 1
    [ -n "$MASKPROCESSOR" ] && echo "maskprocessor $("$MASKPROCESSOR" --version 2>&1 | head -n 1)"
  } 2>/dev/null | paste -sd ';' -)"

measure copy "dd bs=1M" "$OUT/copy" "dd if='$IN' of='$OUT/copy' bs=1M 2>/dev/null"

measure dedup mirelant-cli "$OUT/dedup.mirelant" "'$CLI' dedup '$IN' -o '$OUT/dedup.mirelant'"
peer dedup mawk mawk "$OUT/dedup.mawk" "mawk '!s[\$0]++' '$IN' >'$OUT/dedup.mawk'"
peer dedup gawk gawk "$OUT/dedup.gawk" "gawk '!s[\$0]++' '$IN' >'$OUT/dedup.gawk'"
[ -f "$OUT/dedup.mawk" ] && check "dedup output equals mawk's" "cmp '$OUT/dedup.mirelant' '$OUT/dedup.mawk'"
rm -f "$OUT"/dedup.*

measure shuffle mirelant-cli "$OUT/shuffle.mirelant" "'$CLI' shuffle '$IN' -o '$OUT/shuffle.mirelant' --seed 1"
peer shuffle shuf shuf "$OUT/shuffle.shuf" "shuf '$IN' >'$OUT/shuffle.shuf'"
check "shuffle output has the input's size" "[ \$(stat -c %s '$OUT/shuffle.mirelant') = $IN_BYTES ]"
rm -f "$OUT"/shuffle.*

measure split mirelant-cli "$WORK/split/corpus.txt.bak*" "'$CLI' split '$WORK/split/corpus.txt' --parts 8"
peer split "split -n l/8" split "$OUT/split.gnu" "mkdir '$OUT/split.gnu' && split -n l/8 '$IN' '$OUT/split.gnu/part.'"
check "split parts joined give the input" "cat '$WORK'/split/corpus.txt.bak{1..8}.txt | cmp - '$IN'"
rm -rf "$WORK"/split/corpus.txt.bak* "$OUT/split.gnu"

measure merge mirelant-cli "$OUT/merge.mirelant" "'$CLI' merge '$WORK/tree' -o '$OUT/merge.mirelant'"
peer merge "find -exec cat" find "$OUT/merge.find" "find '$WORK/tree' -type f -exec cat {} + >'$OUT/merge.find'"
check "merge output has the size of find+cat's" "[ \$(stat -c %s '$OUT/merge.mirelant') = \$(stat -c %s '$OUT/merge.find') ]"
rm -f "$OUT"/merge.*

measure extract mirelant-cli "$OUT/extract.mirelant" "'$CLI' extract '$IN' -o '$OUT/extract.mirelant' --left ="
peer extract "mawk -F=" mawk "$OUT/extract.mawk" "mawk -F= '{print \$1}' '$IN' >'$OUT/extract.mawk'"
rm -f "$OUT"/extract.*

measure replace mirelant-cli "$OUT/replace.mirelant" "'$CLI' replace '$IN' -o '$OUT/replace.mirelant' --rules '$WORK/rules.txt'"
peer replace "sed (10 expressions)" sed "$OUT/replace.sed" "sed -f '$WORK/rules.sed' '$IN' >'$OUT/replace.sed'"
[ -f "$OUT/replace.sed" ] && check "replace output equals sed's" "cmp '$OUT/replace.mirelant' '$OUT/replace.sed'"
rm -f "$OUT"/replace.*

# The 5-digit mask has only 100,000 words, so the digits peer writes 7 digits
# (10,000,000 words); the letters peer stops at its 10,000,000th word.
measure gen-digits mirelant-cli "$OUT/gen.mirelant" "'$CLI' generate -o '$OUT/gen.mirelant' --rule '135535%%%%%' --count $LINES"
check "generate wrote $LINES lines" "[ \$(wc -l <'$OUT/gen.mirelant') = $LINES ]"
if [ "$LINES" = 10000000 ]; then
  peer gen-digits maskprocessor "$MASKPROCESSOR" "$OUT/gen.mp" "'$MASKPROCESSOR' -o '$OUT/gen.mp' '135535?d?d?d?d?d?d?d'"
fi
measure gen-letters mirelant-cli "$OUT/gen.mirelant" "'$CLI' generate -o '$OUT/gen.mirelant' --rule '#####%%%' --count $LINES"
if [ "$LINES" = 10000000 ]; then
  peer gen-letters maskprocessor "$MASKPROCESSOR" "$OUT/gen.mp" "'$MASKPROCESSOR' -o '$OUT/gen.mp' -l aaoup999 '?l?l?l?l?l?d?d?d'"
else
  NOTES+=("generate peers run only with LINES=10000000 (their masks give exactly that many words)")
fi
rm -f "$OUT"/gen.*

# ---- table -------------------------------------------------------------------
echo
printf '| %-11s | %-22s | %8s | %8s | %8s | %-22s |\n' operation tool seconds "cpu s" "peak MB" "mirelant-cli ÷ this"
printf '|%s|%s|%s|%s|%s|%s|\n' "-------------" "------------------------" "---------:" "---------:" "---------:" "------------------------"
for i in "${!ROW_OP[@]}"; do
  ratio=""
  if [ "${ROW_TOOL[$i]}" != mirelant-cli ]; then
    ours=$(seconds_of "${ROW_OP[$i]}" mirelant-cli)
    [ -n "$ours" ] && ratio=$(awk -v a="$ours" -v b="${ROW_S[$i]}" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "n/a"}')
  fi
  printf '| %-11s | %-22s | %8.2f | %8.2f | %8s | %-22s |\n' "${ROW_OP[$i]}" "${ROW_TOOL[$i]}" "${ROW_S[$i]}" \
    "${ROW_CPU[$i]}" "${ROW_MB[$i]}" "$ratio"
done

# ---- targets -----------------------------------------------------------------
echo
[ "$LINES" = 10000000 ] || echo "(the targets are set for the 10,000,000-line corpus)"
target() {  # target DESCRIPTION OURS PEER FACTOR: met when OURS <= PEER * FACTOR
  if [ -z "$2" ] || [ -z "$3" ]; then
    echo "target n/a:  $1"
  elif awk -v a="$2" -v b="$3" -v f="$4" 'BEGIN {exit !(a <= b * f)}'; then
    echo "target met:  $1 ($2 vs $3 x $4)"
  else
    echo "target MISS: $1 ($2 vs $3 x $4)"
  fi
}
dedup_mb=""
for i in "${!ROW_OP[@]}"; do
  [ "${ROW_OP[$i]}/${ROW_TOOL[$i]}" = dedup/mirelant-cli ] && dedup_mb=${ROW_MB[$i]}
done
target "dedup at most 1/10 of mawk's time" "$(seconds_of dedup mirelant-cli)" "$(seconds_of dedup mawk)" 0.1
target "dedup peak memory at most 2x the input (MB)" "$dedup_mb" \
  "$(awk -v b="$IN_BYTES" 'BEGIN {printf "%.1f", b / 1048576}')" 2
target "shuffle no slower than shuf" "$(seconds_of shuffle mirelant-cli)" "$(seconds_of shuffle shuf)" 1
target "split within 2x GNU split" "$(seconds_of split mirelant-cli)" "$(seconds_of split 'split -n l/8')" 2
target "merge at least as fast as find+cat" "$(seconds_of merge mirelant-cli)" "$(seconds_of merge 'find -exec cat')" 1
target "extract at least as fast as mawk" "$(seconds_of extract mirelant-cli)" "$(seconds_of extract 'mawk -F=')" 1
target "replace at least as fast as sed" "$(seconds_of replace mirelant-cli)" "$(seconds_of replace 'sed (10 expressions)')" 1
target "generate digits within 2x maskprocessor" "$(seconds_of gen-digits mirelant-cli)" "$(seconds_of gen-digits maskprocessor)" 2
target "generate letters within 5x maskprocessor" "$(seconds_of gen-letters mirelant-cli)" "$(seconds_of gen-letters maskprocessor)" 5

for note in "${NOTES[@]}"; do echo "note: $note"; done
