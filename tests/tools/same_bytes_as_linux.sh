#!/usr/bin/env bash
# The Windows driver under Wine and the Linux driver, given the same photographs, logo and settings,
# must write byte-identical files: baseline, progressive, gray and CMYK sources, scaled and not, with
# logos with alpha and with a palette, at several qualities.
#   same_bytes_as_linux.sh LINUX_DRIVER WINE_RUN WINDOWS_DRIVER DATA_DIR WORK_DIR
set -euo pipefail
linux_driver=$1 wine=$2 windows_driver=$3 data=$4 work=$5
[ -x "$linux_driver" ] || { echo "the Linux driver $linux_driver is not built" >&2; exit 1; }
rm -rf "$work" && mkdir -p "$work"

photos=("$data/jpeg/testorig.jpg" "$data/jpeg/testorig_progressive.jpg" "$data/jpeg/testorig_gray.jpg"
  "$data/jpeg/testorig_cmyk.jpg")
runs=(
  "--width 100 --quality 80 --logo $data/pngsuite/basn6a08.png --position 5 --inset-h 4 --inset-v 3"
  "--width 800 --quality 75"
  "--width 150 --quality 95 --logo $data/pngsuite/basn3p08.png --position 1"
  "--width 227 --quality 1 --logo $data/pngsuite/basn6a08.png --position 2 --inset-h 0 --inset-v 0"
)
compared=0
failed=0
for i in "${!runs[@]}"; do
  # shellcheck disable=SC2086 # each run's options are words
  "$linux_driver" ${runs[$i]} --into "$work/linux-$i" "${photos[@]}" >/dev/null
  # Wine shows the Linux file system as drive Z:.
  windows_options=${runs[$i]//$data/Z:$data}
  windows_photos=("${photos[@]/#/Z:}")
  # shellcheck disable=SC2086
  "$wine" "$windows_driver" $windows_options --into "Z:$work/windows-$i" "${windows_photos[@]}" >/dev/null </dev/null
  linux_folder=("$work/linux-$i"/*)
  windows_folder=("$work/windows-$i"/*)
  for n in $(seq 1 ${#photos[@]}); do
    compared=$((compared + 1))
    if ! cmp -s "${linux_folder[0]}/$n.jpg" "${windows_folder[0]}/$n.jpg"; then
      echo "differs: ${runs[$i]} ${photos[$((n - 1))]}" >&2
      failed=$((failed + 1))
    fi
  done
done
echo "$((compared - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
