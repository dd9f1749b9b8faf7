#!/usr/bin/env bash
# Whole commands timed in turn, round after round, so that a machine whose speed drifts (a virtual
# machine's boost budget, other work) drifts under all of them alike: the way to tell two builds apart
# by a few per cent, which one hyperfine run per command cannot on a shared machine. Prints, for each
# command, the median wall time and the median CPU time (perf's task-clock), and both as ratios to the
# first command. Every run gets an empty folder $ALTERNATE_OUT (default /tmp/velmora-alternate) first.
#
#   bench/alternate.sh ROUNDS NAME=COMMAND...
#   e.g. bench/alternate.sh 30 "floor=build-bench/bench/jpeg_decode_floor $files" \
#          "now=build-bench/velmora-batch --width 800 --quality 75 --jobs 1 --into /tmp/velmora-alternate $files"
set -euo pipefail
[ $# -ge 2 ] || { sed -n '2,10s/^# \{0,1\}//p' "$0" >&2; exit 2; }
command -v perf >/dev/null || { echo "alternate: perf is needed (scripts/bootstrap --bench)" >&2; exit 1; }
rounds=$1
shift
out=${ALTERNATE_OUT:-/tmp/velmora-alternate}
names=() commands=() walls=() cpus=()
for pair in "$@"; do
  names+=("${pair%%=*}")
  commands+=("${pair#*=}")
  walls+=("")
  cpus+=("")
done
for ((round = 0; round < rounds; ++round)); do
  for k in "${!commands[@]}"; do
    rm -rf "$out" && mkdir -p "$out"
    start=$(date +%s%N)
    cpu=$(perf stat -x, -e task-clock -- sh -c "${commands[$k]} >/dev/null 2>&1" 2>&1 >/dev/null |
      awk -F, '/task-clock/ {print $1}')
    end=$(date +%s%N)
    walls[$k]+="$(((end - start) / 1000)) "
    cpus[$k]+="$cpu "
  done
done
median() { tr ' ' '\n' | grep . | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
for k in "${!commands[@]}"; do
  echo "${names[$k]} $(echo "${walls[$k]}" | median) $(echo "${cpus[$k]}" | median)"
done | awk 'NR == 1 {wall = $2; cpu = $3}
  {printf "%-16s wall %8.1f ms %5.3f   cpu %8.1f ms %5.3f\n", $1, $2 / 1000, $2 / wall, $3, $3 / cpu}'
