#!/usr/bin/env bash
# Runs the in-process benchmarks of a build made with -DVELMORA_BUILD_BENCH=ON (make bench does both),
# each printing its figures side by side with what it is measured against, in well under a minute:
#   resample_benchmark  every pixel loop against a libjpeg decode of the same picture, and the tap
#                       lists of the eight photographs bench/batch.sh times in one process
#   png_logo_bench      loading a logo against libpng; a picture's logo work against a photo decode
#   settings_bench      loading and saving the settings within a hive of 10 000 other values
#   jpeg_codec_bench    the codec against libjpeg driven directly, on the test photograph
# The comparisons with other programs need their peers (scripts/bootstrap --bench): bench/batch.sh for
# the whole batch, bench/jpeg/run.sh for the codec across processes. bench/alternate.sh tells two builds
# apart by a few per cent, timing whole commands in turn.
#
#   bench/run.sh [BUILD_DIR]      (default: build-bench)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
bench=$build/bench
[ -x "$bench/resample_benchmark" ] || { echo "bench: build $build with -DVELMORA_BUILD_BENCH=ON first" >&2; exit 1; }

for program in resample_benchmark png_logo_bench settings_bench; do
  echo "== $program"
  "$bench/$program" --benchmark_color=false
done
echo "== jpeg_codec_bench"
"$bench/jpeg_codec_bench" "$root/tests/data/jpeg/testorig.jpg" "$root/tests/data/jpeg/testorig.ppm" \
  --benchmark_color=false
