#!/usr/bin/env bash
# Every test's ctest name is stable and readable: letters, digits and _ . / - only, then for a
# typed test its type in <>; never the bytes or address of a parameter.
set -uo pipefail
build=${1:?the build folder}
names=$(ctest --test-dir "$build" -N | sed -n -E 's/^ *Test +#[0-9]+: //p')
[ -n "$names" ] || { echo "no tests listed in $build"; exit 1; }
bad=$(grep -v -E '^[A-Za-z0-9_./-]+(<[A-Za-z0-9_:, <>]+>)?$' <<<"$names")
if [ -n "$bad" ]; then
  echo "unreadable test names:"
  echo "$bad" | head -20
  exit 1
fi
echo "$(wc -l <<<"$names") test names, all readable"
