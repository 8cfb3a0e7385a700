#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite through CTest, then the
# settings-file fuzzer for a bounded time. Safe to run again: nothing is installed twice.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${RX42_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

echo "== tests"
# Quick tests run side by side; the ones that start the real browser run alone (RUN_SERIAL).
(cd "$build" && ctest --output-on-failure -j "$(nproc)")

if [ -x "$root/scripts/run-fuzz.sh" ]; then
  echo "== fuzz: settings file reader, ${RX42_FUZZ_SECONDS:-60} s"
  "$root/scripts/run-fuzz.sh" "${RX42_FUZZ_SECONDS:-60}"
fi
echo "== all tests passed"
