#!/usr/bin/env bash
# The headless runner for a long run with the unit scene and the shipped interface
# (lua/ beside it), its resident memory sampled from /proc every few seconds.
#   bench/soak/soak.sh [build dir] [frames] [models]     defaults: build 100000 1600
# Writes BUILD/soak/rss.csv (seconds, frames done, VmRSS in KiB) and the runner's output
# to BUILD/soak/output.log; prints the memory once the scene and the GUI have run 1,000
# frames, at the end, the growth between, and the GL errors the runner reported.
# Stopped early (Ctrl-C), it reports what it reached.
set -uo pipefail
build=${1:-build}
frames=${2:-100000}
models=${3:-1600}
every=${ZQ_SOAK_SAMPLE_SECONDS:-5}
out=$build/soak
mkdir -p "$out"
csv=$out/rss.csv
log=$out/output.log

"$build/bin/zqgpu-headless" --frames "$frames" --models "$models" --progress 1000 >"$log" 2>&1 &
runner=$!
trap 'kill "$runner" 2>/dev/null' INT TERM

echo "seconds,frames,rss_kb" >"$csv"
start=$SECONDS
while kill -0 "$runner" 2>/dev/null; do
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$runner/status" 2>/dev/null)
  [ -n "$rss" ] || break
  reached=$(grep -o 'progress frames=[0-9]*' "$log" | tail -n 1 | cut -d= -f2)
  echo "$((SECONDS - start)),${reached:-0},$rss" >>"$csv"
  sleep "$every"
done
wait "$runner"
status=$?

reached=$(grep -o 'progress frames=[0-9]*' "$log" | tail -n 1 | cut -d= -f2)
awk -F, -v frames="$frames" -v reached="${reached:-0}" -v status="$status" -v errors="$(grep -c 'GL error' "$log")" '
  NR == 1 { next }
  first == "" { first = $3 }
  warm == "" && $2 >= 1000 { warm = $3; warmAt = $2 }
  { last = $3; seconds = $1 }
  END {
    if (warm == "") { warm = first; warmAt = 0 }
    printf "frames reached: %d of %d (last progress line) in %d s, runner status %d\n", reached, frames, seconds, status
    printf "rss_kb first sample: %d\n", first
    printf "rss_kb after %d frames: %d\n", warmAt, warm
    printf "rss_kb at the end: %d\n", last
    printf "growth since then: %d KiB (%.2f%%)\n", last - warm, warm ? 100 * (last - warm) / warm : 0
    printf "GL errors reported: %d\n", errors
  }' "$csv"
