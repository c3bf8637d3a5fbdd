#!/usr/bin/env bash
# Builds the benchmarks, makes the synthetic banks once, runs every benchmark
# and prints one table: each figure beside its baseline from the same run,
# their ratio and the target.
#
#   bash bench/run.sh                          everything
#   bash bench/run.sh --benchmark_filter=click  some (any Google Benchmark flag)
#
# The banks go to a scratch folder outside the source tree and are reused by
# later runs: QUENHAR_BENCH_DIR, by default the user's cache folder
# ($XDG_CACHE_HOME or ~/.cache, then quenhar-bench). The largest takes about
# 10 GB; a bank that does not fit
# on the disk is left out, and said so. QUENHAR_BUILD_DIR names the build
# folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUENHAR_BUILD_DIR:-build}
scratch=${QUENHAR_BENCH_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/quenhar-bench}
picture_bytes=$((100 * 1024))

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target quenhar-bench quenhar-bench-bank >/dev/null
mkdir -p "$scratch"

# make_bank <folder> <questions> <picture share> <categories> <must-answer>
make_bank() {
  local folder=$scratch/$1 questions=$2 share=$3 categories=$4 must=$5
  [ -e "$folder/velmora.db" ] && return 0
  local needed_kb free_kb
  needed_kb=$(awk -v q="$questions" -v s="$share" -v b="$picture_bytes" 'BEGIN { printf "%d", q * (s * b + 600) * 1.1 / 1024 + 1024 }')
  free_kb=$(df -Pk "$scratch" | awk 'NR == 2 { print $4 }')
  if [ "$free_kb" -lt "$needed_kb" ]; then
    echo "Not enough disk for the bank $1 (needs $((needed_kb / 1024)) MB, $((free_kb / 1024)) MB free): left out" >&2
    return 0
  fi
  echo "Making the bank $1 ($questions questions) in $folder" >&2
  mkdir -p "$folder"
  rm -f "$folder/velmora.db.part"
  "$build/bench/quenhar-bench-bank" --questions "$questions" --picture-share "$share" \
    --picture-bytes "$picture_bytes" --categories "$categories" --must-answer "$must" "$folder/velmora.db.part"
  mv "$folder/velmora.db.part" "$folder/velmora.db"
}

# Like the sample bank: ~300 questions, 50 of them with pictures.
make_bank sample300 300 0.1667 10 30
# Every question with a 100 KB picture; 40 categories; 5% must-answer.
make_bank q1000 1000 1 40 50
make_bank q20000 20000 1 40 1000
make_bank q100000 100000 1 40 5000

export QUENHAR_BENCH_BANKS=$scratch
# The sample bank the build made, when the build made one.
if [ -e "$build/data/velmora.db" ]; then
  QUENHAR_SAMPLE_BANK=$(cd "$build/data" && pwd)
  export QUENHAR_SAMPLE_BANK
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# The raw figures go to a JSON file beside the banks; the table to the screen.
exec "$build/bench/quenhar-bench" --benchmark_out="$scratch/results.json" --benchmark_out_format=json "$@"
