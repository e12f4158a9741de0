#!/usr/bin/env bash
# Frame statistics of the headless runner: prints the --stats line for each model count.
#   bench/run_headless_stats.sh [build dir] [frames]
set -euo pipefail
build=${1:-build}
frames=${2:-600}
for models in ${ZQ_BENCH_MODELS:-0 1600}; do
  printf 'models=%-7s ' "$models"
  "$build/bin/zqgpu-headless" --models "$models" --frames "$frames" --stats | tail -n 1
done
