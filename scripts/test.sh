#!/usr/bin/env bash
# Sets up the machine, builds, and runs the tests: every suite in the release build and in the
# ASan+UBSan build, then the suites that run threads in the ThreadSanitizer build.
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

# Suites whose code runs on several threads at once.
threaded=(frame selection platform_threads platform_ui platform_ui_qt platform_sql_sqlite)
echo "== tsan: build"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs" --target orvrun_cli $(printf 'test_%s ' "${threaded[@]}")
echo "== tsan: test"
labels=$(IFS='|'; echo "^(${threaded[*]})\$")
ctest --preset tsan -j "$jobs" --timeout 300 -L "$labels"
