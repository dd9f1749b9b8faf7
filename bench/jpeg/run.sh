#!/usr/bin/env bash
# Times the JPEG codec against the library's own tools, side by side in one run of hyperfine:
#   load + decode of a 12-megapixel photograph   vs  djpeg -dct float to /dev/null
#   take + compress + save of 800 x 600 pixels    vs  cjpeg -dct float on the same PPM
# and then the same operations in one process (jpeg_codec_bench), without start-up and input reading.
# Usage: bench/jpeg/run.sh [BUILD_DIR]   (needs hyperfine, ImageMagick, cjpeg/djpeg: scripts/bootstrap --bench)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_UI=OFF -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target jpeg_decode_driver jpeg_encode_driver jpeg_codec_bench >/dev/null

# The corpus photograph enlarged to 4000 x 3000 with fine grain, so that it codes like a real photograph.
convert "$root/tests/data/jpeg/testorig.ppm" -resize '4000x3000!' -attenuate 0.4 +noise Gaussian -depth 8 "$work/photo.ppm"
cjpeg -quality 90 -outfile "$work/photo.jpg" "$work/photo.ppm"
convert "$work/photo.ppm" -resize '800x600!' -depth 8 "$work/small.ppm"
echo "photograph: $(stat -c %s "$work/photo.jpg") bytes, 4000 x 3000"

hyperfine -N --warmup 3 --runs "${DECODE_RUNS:-30}" \
    -n "djpeg -dct float" "djpeg -dct float -outfile /dev/null $work/photo.jpg" \
    -n "JpegImage load + decode_into" "$build/bench/jpeg_decode_driver $work/photo.jpg"

hyperfine -N --warmup 10 --runs "${ENCODE_RUNS:-300}" \
    -n "cjpeg -dct float" "cjpeg -baseline -dct float -quality 90 -outfile $work/cjpeg.jpg $work/small.ppm" \
    -n "JpegImage take + compress + save" "$build/bench/jpeg_encode_driver $work/small.ppm $work/ours.jpg 90"

cmp "$work/cjpeg.jpg" "$work/ours.jpg" && echo "encoded outputs are identical"

"$build/bench/jpeg_codec_bench" "$work/photo.jpg" "$work/small.ppm" \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_min_time=1
