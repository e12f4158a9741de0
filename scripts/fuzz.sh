#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer) and runs one of them, or
# each in turn, for as long as asked:
#   scripts/fuzz.sh                         every target, 60 s each
#   scripts/fuzz.sh fuzz_event_script 2h    one target for two hours (s, m, h; bare = seconds)
#   scripts/fuzz.sh all 1000000runs         every target for a million executions each
# The corpus each target grows is kept in build-fuzz/corpus/TARGET, seeded from the
# tree's corpus, so a later run goes on from there; a crashing input is written to
# build-fuzz/crashes/TARGET/, the whole output to build-fuzz/logs/TARGET.log, and the
# script stops with libFuzzer's status.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:-all}
amount=${2:-60}
jobs=${ZQ_JOBS:-$(nproc)}

case "$amount" in
  *runs) limit=(-runs="${amount%runs}") ;;
  *h) limit=(-max_total_time=$((${amount%h} * 3600))) ;;
  *m) limit=(-max_total_time=$((${amount%m} * 60))) ;;
  *s) limit=(-max_total_time="${amount%s}") ;;
  *) limit=(-max_total_time="$amount") ;;
esac

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"

if [ "$target" = all ]; then
  targets=$(find build-fuzz/fuzz -maxdepth 1 -type f -executable -printf '%f\n' | sort)
else
  [ -x "build-fuzz/fuzz/$target" ] || { echo "fuzz.sh: no fuzz target $target in build-fuzz/fuzz" >&2; exit 2; }
  targets=$target
fi

for name in $targets; do
  corpus=build-fuzz/corpus/$name
  crashes=build-fuzz/crashes/$name
  log=build-fuzz/logs/$name.log
  mkdir -p "$corpus" "$crashes" build-fuzz/logs
  seeds=$(cat "build-fuzz/fuzz-corpus/$name" 2>/dev/null || true)
  echo "== $name ${limit[*]} (log: $log)"
  status=0
  "build-fuzz/fuzz/$name" "${limit[@]}" -rss_limit_mb=2048 -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$crashes/" "$corpus" $seeds >"$log" 2>&1 || status=$?
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 30 "$log"
    echo "fuzz.sh: $name stopped with status $status; inputs in $crashes" >&2
    exit "$status"
  fi
done
