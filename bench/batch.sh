#!/usr/bin/env bash
# Per-image time of one batch step (full-size decode, Lanczos-3 down to 800 wide, encode at quality 75):
# velmora-batch side by side with its peers in one hyperfine run per photograph; then eight photographs
# in one process, against the decode floor (jpeg_decode_floor: the same files only decoded, as the codec
# decodes them) with --jobs 1 and --jobs 2, and the peers over the same eight; and the peak memory of a
# batch of 20 photographs of 12 megapixels with --jobs 1 and --jobs 2.
#
#   bench/batch.sh [BUILD_DIR]      (default: build; velmora-batch must be built there, and the floor
#                                    there or in build-bench, as make bench builds it)
#   PER_PHOTO=0 leaves out the runs per photograph; RUNS sets hyperfine's runs (default 10).
#
# Photographs: a synthetic 4032 x 3024 one, made once, and those of Debian's mate-backgrounds package,
# fetched with apt-get download. Both are kept in bench/cache/ (never committed). The peers come with
# scripts/bootstrap --bench. Results: bench/cache/results/*.json and a summary on stdout.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
velmora=$build/velmora-batch
[ -x "$velmora" ] || { echo "bench: build $velmora first" >&2; exit 1; }
floor=$build/bench/jpeg_decode_floor
[ -x "$floor" ] || floor=$root/build-bench/bench/jpeg_decode_floor
[ -x "$floor" ] || { echo "bench: build jpeg_decode_floor first (make bench)" >&2; exit 1; }
cache=$root/bench/cache
out=$cache/out
results=$cache/results
mkdir -p "$cache" "$out" "$results"

# ImageMagick's own binary, whatever a convert earlier in PATH may be.
magick=/usr/bin/convert-im6.q16
[ -x "$magick" ] || magick=/usr/bin/convert
python=/usr/bin/python3
runs=${RUNS:-10}

# 1. The photographs.
synthetic=$cache/synthetic-4032x3024.jpg
if [ ! -f "$synthetic" ]; then
  echo "bench: making $synthetic"
  "$magick" -seed 7 -size 4032x3024 plasma:fractal -blur 0x1 -attenuate 0.4 +noise Gaussian \
    ppm:- | cjpeg -quality 92 -outfile "$synthetic"
fi
backgrounds=$cache/mate-backgrounds
if [ ! -d "$backgrounds" ]; then
  echo "bench: fetching mate-backgrounds"
  (cd "$cache" && apt-get download mate-backgrounds >/dev/null)
  dpkg-deb -x "$(ls "$cache"/mate-backgrounds_*.deb | head -1)" "$backgrounds"
fi
mapfile -t photos < <(printf '%s\n' "$synthetic"; find "$backgrounds" -iname '*.jpg' | sort)

width_of() { "$python" -c 'import sys; from PIL import Image; print(Image.open(sys.argv[1]).size[0])' "$1"; }

# 2. Side by side, one hyperfine run per photograph.
[ "${PER_PHOTO:-1}" = 0 ] && photos=()
for photo in "${photos[@]}"; do
  name=$(basename "$photo" .jpg)
  width=$(width_of "$photo")
  scale=$("$python" -c "print(800 / $width)")
  echo "bench: $name ($width wide)"
  hyperfine --style basic --warmup 1 --runs "$runs" --export-json "$results/$name.json" \
    -n velmora "$velmora --width 800 --quality 75 --into '$out' '$photo'" \
    -n convert "$magick '$photo' -filter Lanczos -resize 800x -quality 75 '$out/im.jpg'" \
    -n gm "gm convert '$photo' -filter Lanczos -resize 800x -quality 75 '$out/gm.jpg'" \
    -n vips "vips resize '$photo' '$out/vips.jpg[Q=75]' $scale --kernel lanczos3" \
    -n pillow "$python -c 'import sys; from PIL import Image; im = Image.open(sys.argv[1]); \
im.resize((800, round(im.size[1] * 800 / im.size[0])), Image.LANCZOS).save(sys.argv[2], quality=75)' \
'$photo' '$out/pil.jpg'" \
    -n djpeg-float "djpeg -dct float -outfile /dev/null '$photo'" \
    -n vipsthumbnail "vipsthumbnail '$photo' -s 800x -o '$out/thumb.jpg[Q=75]'" >/dev/null
done

# 3. Ratios: velmora against the fastest full-decode peer, and against its decode floor.
"$python" - "$results" <<'PY'
import json, math, os, sys
folder = sys.argv[1]
full_decode = ["convert", "gm", "vips", "pillow"]
ratios = []
print(f"{'photograph':34} {'velmora ms':>10} {'best peer':>14} {'ratio':>6} {'djpeg ms':>8} {'/floor':>6} {'thumb ms':>8}")
for name in sorted(os.listdir(folder)):
    if not name.endswith(".json"):
        continue
    runs = {r["command"]: r["median"] * 1000 for r in json.load(open(os.path.join(folder, name)))["results"]}
    peer = min(full_decode, key=lambda p: runs[p])
    ratio = runs["velmora"] / runs[peer]
    if not name.startswith("synthetic"):
        ratios.append(ratio)
    print(f"{name[:-5][:34]:34} {runs['velmora']:10.1f} {peer:>7} {runs[peer]:6.1f} {ratio:6.2f} "
          f"{runs['djpeg-float']:8.1f} {runs['velmora'] / runs['djpeg-float']:6.2f} {runs['vipsthumbnail']:8.1f}")
if ratios:
    print(f"geometric mean over the photographs of velmora / fastest full-decode peer: "
          f"{math.exp(sum(map(math.log, ratios)) / len(ratios)):.2f}")
PY

# 4. Eight ordinary photographs in one process: the eight largest of the collection's nature folder
# (baseline photographs of 2 to 4 megapixels, no painting), all commands in one hyperfine run.
mapfile -t eight < <(ls -S "$backgrounds"/usr/share/backgrounds/mate/nature/*.jpg | head -8)
echo "bench: eight photographs in one process"
cat >"$cache/pillow_batch.py" <<'PY'
import sys
from PIL import Image
for i, name in enumerate(sys.argv[2:]):
    im = Image.open(name)
    im.resize((800, round(im.size[1] * 800 / im.size[0])), Image.LANCZOS).save(f"{sys.argv[1]}/pil{i}.jpg", quality=75)
PY
# Every run writes into empty folders, as a run's new dated folder is: replacing files costs more (ext4
# writes a file renamed or truncated over an older one out to the disk at once).
eighth=$out/eight
hyperfine -N --style basic --warmup 2 --runs "$runs" --export-json "$cache/eight.json" \
  --prepare "sh -c 'rm -rf $eighth && mkdir -p $eighth/im $eighth/pil $eighth/thumb'" \
  -n floor "$floor ${eight[*]}" \
  -n "jobs 1" "$velmora --width 800 --quality 75 --jobs 1 --into $eighth --folder jobs1 ${eight[*]}" \
  -n "jobs 2" "$velmora --width 800 --quality 75 --jobs 2 --into $eighth --folder jobs2 ${eight[*]}" \
  -n convert "$magick ${eight[*]} -filter Lanczos -resize 800x -quality 75 +adjoin $eighth/im/%d.jpg" \
  -n gm "gm mogrify -create-directories -output-directory $eighth/gm -filter Lanczos -resize 800x -quality 75 ${eight[*]}" \
  -n pillow "$python $cache/pillow_batch.py $eighth/pil ${eight[*]}" \
  -n vipsthumbnail "vipsthumbnail ${eight[*]} -s 800x -o $eighth/thumb/%s.jpg[Q=75]" >/dev/null
"$python" - "$cache/eight.json" <<'PY'
import json, sys
runs = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
floor = runs["floor"]["median"]
print(f"{'command':14} {'median ms':>9} {'user ms':>8} {'/floor':>6}")
for name, r in runs.items():
    print(f"{name:14} {r['median'] * 1000:9.1f} {r['user'] * 1000:8.1f} {r['median'] / floor:6.2f}")
PY

# 5. Peak memory: a batch of 20 photographs of 12 megapixels, one picture at a time and two at once.
list=()
for i in $(seq 1 20); do list+=("$synthetic"); done
for jobs in 1 2; do
  /usr/bin/time -v "$velmora" --width 800 --quality 75 --jobs $jobs --into "$out" "${list[@]}" >/dev/null \
    2>"$results/rss-$jobs.txt"
done
peak_kb() { awk -F': ' '/Maximum resident set size/ {print $2}' "$results/rss-$1.txt"; }
"$python" - "$(peak_kb 1)" "$(peak_kb 2)" <<'PY'
import sys
one, two = (int(kb) * 1024 for kb in sys.argv[1:])
pixels = 4032 * 3024 * 3
bound = 2.5 * pixels + 40 * 2**20
print(f"peak RSS of 20 x 12 MP, --jobs 1: {one / 2**20:.1f} MiB; bound 2.5 x {pixels / 2**20:.1f} MiB + 40 MiB = "
      f"{bound / 2**20:.1f} MiB ({'met' if one <= bound else 'missed'})")
print(f"peak RSS of 20 x 12 MP, --jobs 2: {two / 2**20:.1f} MiB; bound 2 x --jobs 1 + 10 MiB = "
      f"{(2 * one + 10 * 2**20) / 2**20:.1f} MiB ({'met' if two <= 2 * one + 10 * 2**20 else 'missed'})")
PY
