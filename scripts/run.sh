#!/usr/bin/env bash
# Installs what is needed, builds, and starts ZQ GPU. Without a display it runs the
# headless runner for a few seconds instead and writes a screenshot of what it drew.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/zqgpu "$@"
fi
shot="$PWD/build/zqgpu-screenshot.png"
echo "No display found: running the headless runner for 300 frames instead."
build/bin/zqgpu-headless --frames 300 --stats --screenshot "$shot" "$@"
echo "Screenshot of the last frame: $shot"
