#!/usr/bin/env bash
# Builds the fuzz targets (the tape file, settings and wave readers) with clang
# and runs each for a short while (FUZZ_SECONDS, default 20). A crash, a leak or
# undefined behaviour fails the run. Inputs are kept to 8 KB here, so a tape read
# this way holds at most 273 lines.
#
# FUZZ_LONG=1 runs instead the tape file reader alone on whole tapes: inputs of up
# to 983,040 bytes, starting from a generated tape of 32,767 lines (the most a tape
# holds), for FUZZ_SECONDS (default 600 in this mode). It is slow and not part of
# scripts/test.sh; run it after changing the tape file reader or the tape engine.
set -euo pipefail
cd "$(dirname "$0")/.."
long="${FUZZ_LONG:-0}"
if [ "$long" = 1 ]; then
  seconds="${FUZZ_SECONDS:-600}"
  targets=(tape_file_fuzz)
  max_len=983040  # 32,768 records of 30 bytes
else
  seconds="${FUZZ_SECONDS:-20}"
  targets=(tape_file_fuzz settings_fuzz wave_fuzz)
  max_len=8192
fi
CXX=clang++-14 cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}" >/dev/null
for target in "${targets[@]}"; do
  corpus="build-fuzz/corpus-$target"
  [ "$long" = 1 ] && corpus="$corpus-long"
  mkdir -p "$corpus"
  case "$target" in
    tape_file_fuzz)
      # A short tape always; the full-length one only where it fits.
      if [ "$long" = 1 ]; then fuzz/tape_seeds.py "$corpus" --full; else fuzz/tape_seeds.py "$corpus"; fi
      ;;
    wave_fuzz)
      # A few of the program's own sounds, when built, and one short sound in each
      # encoding the reader knows, made with sox (a build dependency).
      for seed in Canon1.wav tq.wav; do
        if [ -f "build/src/shell/$seed" ]; then cp "build/src/shell/$seed" "$corpus/"; fi
      done
      if command -v sox >/dev/null; then
        for encoding in "signed 24 2" "unsigned 8 1" "floating-point 32 1" "floating-point 64 2" \
            "a-law 8 1" "u-law 8 2" "ima-adpcm 4 1" "ima-adpcm 4 2" "ms-adpcm 4 1" "ms-adpcm 4 2"; do
          read -r name bits channels <<<"$encoding"
          sox -n -r 8000 -c "$channels" -e "$name" -b "$bits" \
            "$corpus/seed-$name-$bits-$channels.wav" synth 0.05 sine 440 2>/dev/null || true
        done
      fi
      ;;
  esac
  echo "fuzzing $target for ${seconds}s"
  if ! build-fuzz/$target -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=0 \
      -artifact_prefix="build-fuzz/$target-" \
      "$corpus" > "build-fuzz/$target.log" 2>&1; then
    tail -n 40 "build-fuzz/$target.log"
    echo "$target found a fault (input kept in build-fuzz/)"
    exit 1
  fi
  grep -E "^Done|DONE" "build-fuzz/$target.log" | tail -n 1 || true
done
