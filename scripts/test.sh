#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite through CTest, then the
# settings-file fuzzer for a bounded time. Safe to run again: nothing is installed twice.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${RX42_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

echo "== tests: unit tests"
# Tests of the core and widgets are quick and may run side by side; the ones that start the real
# browser run one at a time so that they do not starve each other on a small machine.
(cd "$build" && ctest --output-on-failure --label-exclude browser -j "$(nproc)")
echo "== tests: real browser tests"
(cd "$build" && ctest --output-on-failure --label-regex browser -j 1)

if [ -x "$root/scripts/run-fuzz.sh" ]; then
  echo "== fuzz: settings file reader, ${RX42_FUZZ_SECONDS:-60} s"
  "$root/scripts/run-fuzz.sh" "${RX42_FUZZ_SECONDS:-60}"
fi
echo "== all tests passed"
