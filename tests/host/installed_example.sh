#!/usr/bin/env bash
# Installs the build into a scratch prefix, builds the C host example against it with CMake and
# with pkg-config, runs both on a fresh demo database, and checks what the library exports.
set -euo pipefail
build=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name 'liborvrun.so' | head -1)")

# 1. The installed CLI creates the demo database (it finds the library through its rpath).
"$prefix/bin/orvrun" init --demo --db "$work/demo.db" >/dev/null

# 2. Built with CMake's find_package.
cmake -S "$src/examples/c" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_C_FLAGS="-Wall -Wextra -Werror" >/dev/null
cmake --build "$work/cmake" >/dev/null

# 3. Built with pkg-config, as C11 with every warning an error.
export PKG_CONFIG_PATH=$libdir/pkgconfig
# shellcheck disable=SC2046
cc -std=c11 -Wall -Wextra -Werror "$src/examples/c/host_example.c" \
  $(pkg-config --cflags --libs orvrun) -o "$work/pc_example"

expected='marked: 2
IBAN: 61109010140000071219812874
permission: 1
answer: 2
box: ORVEX: Pytanie'
for exe in "$work/cmake/host_example" "$work/pc_example"; do
  out=$(LD_LIBRARY_PATH=$libdir "$exe" "$work/demo.db")
  if [ "$out" != "$expected" ]; then
    printf 'FAIL %s printed:\n%s\nexpected:\n%s\n' "$exe" "$out" "$expected"
    exit 1
  fi
done

# 4. The library exports its upper-case C entry points and nothing else.
others=$(nm -D --defined-only "$libdir/liborvrun.so" | awk '{print $3}' |
  grep -v -E '^[A-Z][A-Z0-9_]*(@@ORVRUN_0)?$' | grep -v -E '^ORVRUN_0$' || true)
if [ -n "$others" ]; then
  printf 'FAIL liborvrun.so exports more than its C entry points:\n%s\n' "$(echo "$others" | head)"
  exit 1
fi
[ "$(readlink "$libdir/liborvrun.so")" = liborvrun.so.0 ] || { echo "FAIL no SONAME link"; exit 1; }
echo "installed example: ok"
