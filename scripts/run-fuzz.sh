#!/usr/bin/env bash
# Builds the INI file fuzz target with clang (libFuzzer, address and undefined-behaviour
# sanitizers) in a build directory of its own and runs it for a bounded time.
# Usage: scripts/run-fuzz.sh [seconds]   (default 30)
# Exits non-zero when the target crashes or breaks an invariant; the input that did it is kept in
# <build>/fuzz-artifacts/ and the corpus grows in <build>/fuzz-corpus/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-30}"
build="${RX42_FUZZ_BUILD_DIR:-$root/build-fuzz}"
jobs="${RX42_JOBS:-$(nproc)}"

if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: $0 [seconds]" >&2
  exit 2
fi

echo "== fuzz: configure $build"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRX42_BUILD_FUZZ=ON -DRX42_BUILD_TESTS=OFF -DRX42_BUILD_BENCH=OFF >/dev/null
echo "== fuzz: build fuzz_ini_file"
cmake --build "$build" --target fuzz_ini_file -j "$jobs"

corpus="$build/fuzz-corpus/ini_file"
artifacts="$build/fuzz-artifacts"
mkdir -p "$corpus" "$artifacts"
echo "== fuzz: run fuzz_ini_file for ${seconds} s"
"$build/fuzz/fuzz_ini_file" -max_total_time="$seconds" -timeout=10 -max_len=8192 -print_final_stats=1 \
  -artifact_prefix="$artifacts/" "$corpus" "$root/fuzz/corpus/ini_file"
