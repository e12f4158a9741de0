#!/usr/bin/env bash
# LeakSanitizer over a run of the headless runner: builds it with the asan preset and
# runs it for 1,000 frames (or as many as given) with the unit scene and the shipped
# interface. Any leak fails the run, the driver's included: on Mesa's llvmpipe the run
# is clean without suppressions. A driver that keeps allocations for the life of the
# process can be silenced with LSAN_OPTIONS=suppressions=FILE.
#   bench/soak/leak.sh [frames]
set -euo pipefail
cd "$(dirname "$0")/../.."
frames=${1:-1000}
cmake --preset asan >/dev/null
cmake --build --preset asan -j"${ZQ_JOBS:-$(nproc)}" --target zqgpu-headless
ASAN_OPTIONS=detect_leaks=1 build-asan/bin/zqgpu-headless --frames "$frames" --progress "$frames"
echo "leak.sh: no leak"
