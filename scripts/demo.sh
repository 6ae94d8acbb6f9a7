#!/usr/bin/env bash
# Sets up the machine, builds the release preset and runs the main job: a demonstration of the
# library's procedures through the CLI.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
orvrun=build/release/apps/orvrun/orvrun
show() {
  printf '\n$ orvrun %s\n' "$*"
  "$orvrun" "$@"
}
show call --list
show call --json --answer yes MSG_PYTANIE "Czy kontynuować?"
