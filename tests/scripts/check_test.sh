#!/usr/bin/env bash
# scripts/check.sh against a scratch project built on the real layering, style and tidy files:
# it passes on a clean change and fails on a planted fault of each kind.
set -uo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
git() { command git -c user.name=check -c user.email=check@localhost -c init.defaultBranch=main "$@"; }

mkdir -p cmake src/low src/high
cp "$repo/.clang-format" "$repo/.clang-tidy" .
cp "$repo/cmake/layers.cmake" cmake/
echo "build/" >.gitignore
cat >CMakeLists.txt <<'EOF'
cmake_minimum_required(VERSION 3.25)
project(scratch CXX)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
include(cmake/layers.cmake)
orv_layer(low src/low)
orv_layer(high src/high DEPS low)
EOF
cat >src/low/low.hpp <<'EOF'
// The lower layer.
#pragma once

int low_value();
EOF
cat >src/low/low.cpp <<'EOF'
// The lower layer.
#include "low/low.hpp"

int low_value() {
  return 1;
}
EOF
cat >src/high/high.hpp <<'EOF'
// The higher layer.
#pragma once

int high_value();
EOF
cat >src/high/high.cpp <<'EOF'
// The higher layer, over the lower one.
#include "high/high.hpp"

#include "low/low.hpp"

int high_value() {
  return low_value() + 1;
}
EOF
git init -q . && git add -A && git commit -qm base
# A merged side branch with an old, badly formatted file: outside any later change.
git checkout -qb side && printf '// Old.\nint  old_value();\n' >src/low/old.hpp && git add -A &&
  git commit -qm old && git checkout -q main && git merge -q --no-ff -m merge side &&
  printf '// Since the merge.\n#pragma once\n' >src/high/since.hpp && git add -A && git commit -qm since
cmake -S . -B build -G Ninja >/dev/null || exit 1

# A block of eight statements, for the duplicated-block report.
block() {
  printf '// %s\n#include "high/high.hpp"\n\nint %s(int a) {\n' "$1" "$1"
  for k in 1 2 3 4 5 6 7 8; do printf '  a = a * %d + high_value() - %d;\n' "$k" "$k"; done
  printf '  return a;\n}\n'
}

plant() {
  case "$1" in
    clean) printf 'int high_twice() {\n  return 2 * high_value();\n}\n' >>src/high/high.cpp ;;
    format) printf 'int  high_badly( ) {\n  return 3;\n}\n' >>src/high/high.cpp ;;
    tidy) printf 'int* high_pointer() {\n  return 0;\n}\n' >>src/high/high.cpp ;;
    layers) sed -i 's|#include "low/low.hpp"|#include "high/high.hpp"\n#include "low/low.hpp"|' \
      src/low/low.cpp ;;
    duplicates) block first >src/high/first.cpp && block second >src/high/second.cpp ;;
  esac
}

failures=0
# case | what is planted | exit status | what the output must show
cases=(
  "1|clean|0|all rules hold"                           # a clean change passes; old.hpp is not in it
  "2|format|1|failed: format"                          # clang-format differs
  "3|tidy|1|failed: tidy"                              # 0 returned as a pointer
  "4|layers|1|failed:.*layers"                         # the lower layer includes the higher one
  "5|duplicates|0|first.cpp:[0-9-]+ ~ .*second.cpp"    # reported, not failed
)
for row in "${cases[@]}"; do
  IFS='|' read -r n what status pattern <<<"$row"
  if [ "$what" = duplicates ] && ! command -v duplicates >/dev/null; then
    echo "case $n: skipped, no duplicates command on this machine"
    continue
  fi
  plant "$what"
  out=$(bash "$repo/scripts/check.sh" --repo "$work" --build "$work/build" 2>&1)
  got=$?
  if [ "$got" != "$status" ] || ! grep -Eq "$pattern" <<<"$out"; then
    echo "case $n ($what): exit $got, expected $status and /$pattern/; output:"
    echo "$out"
    failures=$((failures + 1))
  else
    echo "case $n ($what): ok"
  fi
  git checkout -q -- . && git clean -qfd
done
exit $((failures > 0))
