#!/usr/bin/env bash
# Whole commands timed in turn, round after round, so that a machine whose speed drifts (a virtual
# machine's boost budget, other work) drifts under all of them alike: the way to tell two builds apart
# by a few per cent, which one hyperfine run per command cannot on a shared machine. Prints, for each
# command, the median wall time and the median CPU time (user and system, of the command and its
# children), and both as ratios to the first command. Only the command itself is timed, as bash's time
# keyword times it: no tool starts around it whose start-up would add the same to every command and
# draw the ratios towards 1. Every run gets an empty folder $ALTERNATE_OUT (default
# /tmp/velmora-alternate) first.
#
#   bench/alternate.sh ROUNDS NAME=COMMAND...
#   e.g. bench/alternate.sh 30 "floor=build-bench/bench/jpeg_decode_floor $files" \
#          "now=build-bench/velmora-batch --width 800 --quality 75 --jobs 1 --into /tmp/velmora-alternate $files"
set -euo pipefail
[ $# -ge 2 ] || { sed -n '2,13s/^# \{0,1\}//p' "$0" >&2; exit 2; }
rounds=$1
shift
out=${ALTERNATE_OUT:-/tmp/velmora-alternate}
TIMEFORMAT='%3R %3U %3S'
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
    times=$({ time eval "${commands[$k]}" >/dev/null 2>&1; } 2>&1)
    read -r wall user system <<<"$times"
    walls[$k]+="$(awk -v s="$wall" 'BEGIN {print s * 1000}') "
    cpus[$k]+="$(awk -v u="$user" -v s="$system" 'BEGIN {print (u + s) * 1000}') "
  done
done
median() { tr ' ' '\n' | grep . | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
for k in "${!commands[@]}"; do
  echo "${names[$k]} $(echo "${walls[$k]}" | median) $(echo "${cpus[$k]}" | median)"
done | awk 'NR == 1 {wall = $2; cpu = $3}
  {printf "%-16s wall %8.1f ms %5.3f   cpu %8.1f ms %5.3f\n", $1, $2, $2 / wall, $3, $3 / cpu}'
