#!/usr/bin/env bash
# LeakSanitizer over a run of the headless runner: builds it with the asan preset and
# runs it for 1,000 frames (or as many as given) with the unit scene and the shipped
# interface. Leaks inside Mesa (llvmpipe, its LLVM and the DRI loader) are suppressed by
# lsan.supp beside this script; anything else fails the run.
#   bench/soak/leak.sh [frames]
set -euo pipefail
cd "$(dirname "$0")/../.."
frames=${1:-1000}
cmake --preset asan >/dev/null
cmake --build --preset asan -j"${ZQ_JOBS:-$(nproc)}" --target zqgpu-headless
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/bench/soak/lsan.supp:print_suppressions=1" \
  build-asan/bin/zqgpu-headless --frames "$frames" --progress "$frames"
echo "leak.sh: no leak outside the suppressed driver libraries"
