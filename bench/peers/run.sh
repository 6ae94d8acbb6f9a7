#!/usr/bin/env bash
# Measures our identifier checks and amounts in words against peer libraries on the same inputs.
#
#   bench/peers/run.sh            PEER_SECONDS (default 1) per measurement, PEER_COUNT inputs
#                                 (default 1000) of each kind.
#
# The inputs go to a temporary file whose path our benchmarks receive in ORV_PEER_INPUTS; a
# benchmark that reads it says so with benchmark::AddCustomContext("orv_inputs", path).
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
py=/usr/bin/python3  # Debian's interpreter: the first python3 on PATH may not see its modules
seconds=${PEER_SECONDS:-1}
count=${PEER_COUNT:-1000}
npm_packages=(validate-polish ibantools n2words)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
inputs="$work/inputs.txt"

say() { printf 'peers: %s\n' "$*"; }

"$py" "$here/gen_inputs.py" "$inputs" "$count" || { say "cannot generate the inputs"; exit 1; }
say "inputs: $count each of NIP, PESEL, account number, amount (fixed seed)"

install_npm_peers() {
  # A package.json of its own keeps each installed peer when the next one is added.
  [ -f "$here/package.json" ] || printf '{ "name": "orvrun-peers", "private": true }\n' \
    >"$here/package.json"
  for pkg in "${npm_packages[@]}"; do
    [ -d "$here/node_modules/$pkg" ] && continue
    say "installing $pkg (npm)"
    if ! npm install --prefix "$here" --no-audit --no-fund --no-package-lock "$pkg" \
      >"$work/npm-$pkg.log" 2>&1; then
      say "npm could not install $pkg; continuing without it:"
      tail -n 3 "$work/npm-$pkg.log" | sed 's/^/    /'
    fi
  done
}

if command -v node >/dev/null 2>&1 && command -v npm >/dev/null 2>&1; then
  install_npm_peers
  node "$here/peers.mjs" "$inputs" "$seconds" >"$work/peers-node.jsonl" ||
    say "the node peers failed; their rows are missing"
else
  say "node or npm is missing; the npm peers are skipped"
fi

if [ -x "$py" ]; then
  "$py" "$here/peers.py" "$inputs" "$seconds" >"$work/peers-python.jsonl" ||
    say "the python peers failed; their rows are missing"
else
  say "$py is missing; the python peers are skipped"
fi

build="$root/build/release"
for target in bench_calc bench_words; do
  binary="$build/bench/$target"
  if [ ! -x "$binary" ]; then
    say "building $target with the release preset"
    if ! (cd "$root" && cmake --preset release >/dev/null &&
      cmake --build --preset release -j2 --target "$target") >"$work/build-$target.log" 2>&1; then
      say "cannot build $target; our side of its checks is skipped:"
      tail -n 3 "$work/build-$target.log" | sed 's/^/    /'
      continue
    fi
  fi
  ORV_PEER_INPUTS="$inputs" "$binary" --benchmark_out="$work/$target.json" \
    --benchmark_out_format=json >"$work/$target.out" 2>&1 ||
    say "$target failed; our side of its checks is skipped"
done

"$py" "$here/report.py" "$work"
