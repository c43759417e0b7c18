#!/usr/bin/env bash
# Builds the fuzz targets (the tape file, settings and wave readers) with clang
# and runs each for a short while (FUZZ_SECONDS, default 20). A crash, a leak or
# undefined behaviour fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"
CXX=clang++-14 cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null
for target in tape_file_fuzz settings_fuzz wave_fuzz; do
  corpus="build-fuzz/corpus-$target"
  mkdir -p "$corpus"
  # The wave reader starts from a few of the program's own sounds, when built.
  if [ "$target" = wave_fuzz ]; then
    for seed in Canon1.wav tq.wav; do
      if [ -f "build/src/shell/$seed" ]; then cp "build/src/shell/$seed" "$corpus/"; fi
    done
  fi
  echo "fuzzing $target for ${seconds}s"
  if ! build-fuzz/$target -max_total_time="$seconds" -max_len=8192 -print_final_stats=0 \
      -artifact_prefix="build-fuzz/$target-" \
      "$corpus" > "build-fuzz/$target.log" 2>&1; then
    tail -n 40 "build-fuzz/$target.log"
    echo "$target found a fault (input kept in build-fuzz/)"
    exit 1
  fi
  grep -E "^Done|DONE" "build-fuzz/$target.log" | tail -n 1 || true
done
