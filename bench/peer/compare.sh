#!/usr/bin/env bash
# zqgpu-headless against the SFML peer on the same sprite workload, interleaved run by
# run on this machine's renderer, for 1,600, 16,000 and 160,000 sprites in the app's grid
# and with every sprite on screen. Prints each program's median frame time (the median
# over the rounds of each run's median) and the ratio ours / SFML: below 1 we are faster.
#   bench/peer/compare.sh [build dir] [rounds]
# ZQ_PEER_MODELS, ZQ_PEER_LAYOUTS and ZQ_PEER_SIZE change the cases.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rounds=${2:-3}
ours="$build/bin/zqgpu-headless"
peer="$build/bench/zqgpu-peer-sfml"
[ -x "$peer" ] || { echo "compare.sh: $peer is missing (install libsfml-dev and build)" >&2; exit 2; }

# SFML needs an X display; the runner draws on EGL and ignores it.
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$rounds"; fi

# The peer draws sprites only, so ours runs without the interface: a data folder with the
# build's data and a menu.lua that defines the two functions the frame calls, empty.
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
for folder in shaders GMs fonts interface; do ln -s "$build/bin/$folder" "$data/$folder"; done
mkdir "$data/lua"
printf 'function Init() end\nfunction FROMAPP_FPSCOUNTER(fps) end\n' >"$data/lua/menu.lua"

# Frames per run: enough to time, few where every sprite covers the screen.
frames() {
  case "$1:$2" in
    grid:1600) echo 120 ;; grid:16000) echo 60 ;; grid:*) echo 30 ;;
    screen:1600) echo 60 ;; screen:16000) echo 12 ;; *) echo 4 ;;
  esac
}
median_of() { sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
run_median() { "$@" --stats 2>/dev/null | tail -n 1 | sed -n 's/.*median_ms=\([0-9.]*\).*/\1/p'; }

size=${ZQ_PEER_SIZE:-1024x768}
printf '%-7s %-8s %8s %12s %12s %7s\n' layout sprites size ours_ms sfml_ms ratio
for layout in ${ZQ_PEER_LAYOUTS:-grid screen}; do
  for models in ${ZQ_PEER_MODELS:-1600 16000 160000}; do
    n=$(frames "$layout" "$models")
    a=() b=()
    for ((r = 0; r < rounds; ++r)); do
      a+=("$(run_median "$ours" --data "$data" --models "$models" --layout "$layout" --size "$size" --frames "$n")")
      b+=("$(run_median "$peer" --models "$models" --layout "$layout" --size "$size" --frames "$n")")
    done
    ma=$(printf '%s\n' "${a[@]}" | median_of)
    mb=$(printf '%s\n' "${b[@]}" | median_of)
    printf '%-7s %-8s %8s %12.3f %12.3f %7.2f\n' "$layout" "$models" "$size" "$ma" "$mb" "$(awk -v a="$ma" -v b="$mb" 'BEGIN {print a / b}')"
  done
done
