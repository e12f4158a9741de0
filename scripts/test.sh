#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the suite (logic, GL on a
# headless EGL context, the window under Xvfb), the suite again under AddressSanitizer
# and UndefinedBehaviorSanitizer, and each fuzz target for a short while.
#   scripts/test.sh            everything
#   scripts/test.sh --quick    the main suite only
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
fuzz_seconds=${ZQ_FUZZ_SECONDS:-20}

scripts/install-deps.sh

echo "== build and test"
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs"
ctest --preset default -j"$jobs"

if [ "${1:-}" = "--quick" ]; then exit 0; fi

echo "== sanitizers (address, undefined)"
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"

echo "== fuzz targets, ${fuzz_seconds}s each"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
for fuzzer in build-fuzz/fuzz/*; do
  [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus=$(cat "build-fuzz/fuzz-corpus/$name" 2>/dev/null || true)
  work=$(mktemp -d)
  echo "-- $name"
  "$fuzzer" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -print_final_stats=0 "$work" $corpus 2>&1 | tail -n 2
  rm -rf "$work"
done
echo "All tests passed."
