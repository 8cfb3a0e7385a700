#!/usr/bin/env bash
# Configures and builds rx42 into build/ (Release with debug info). Usage: scripts/build.sh [target...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${RX42_BUILD_DIR:-$root/build}"
jobs="${RX42_JOBS:-$(nproc)}"

echo "== configure: $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
echo "== build (${jobs} jobs)${*:+: $*}"
if [ $# -gt 0 ]; then
  for target in "$@"; do cmake --build "$build" --target "$target" -j "$jobs"; done
else
  cmake --build "$build" -j "$jobs"
fi
