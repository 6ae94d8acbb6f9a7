#!/usr/bin/env bash
# Runs libFuzzer targets of the fuzz build for a while each, one after the other, and prints one
# line per target: runs, seconds, and whether it found anything. New inputs go to a scratch corpus,
# so the seeds under fuzz/corpus stay as committed; a crashing input is kept in build/fuzz/findings.
# Usage: scripts/fuzz.sh SECONDS [TARGET...]   (targets default to every fuzz_* built)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in build/fuzz/fuzz/fuzz_*; do targets+=("$(basename "$f" | sed 's/^fuzz_//')"); done
fi
mkdir -p build/fuzz/findings
status=0
for t in "${targets[@]}"; do
  bin=build/fuzz/fuzz/fuzz_$t
  [ -x "$bin" ] || { echo "$t: not built ($bin)"; status=2; continue; }
  scratch=$(mktemp -d)
  seeds=fuzz/corpus/$t
  [ -d "$seeds" ] || seeds=
  log=build/fuzz/findings/$t.log
  start=$(date +%s)
  if "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix=build/fuzz/findings/"$t"- "$scratch" $seeds > "$log" 2>&1; then
    result="no finding"
  else
    result="FINDING (see $log)"
    status=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  echo "$t: $runs runs in $(( $(date +%s) - start )) s, $result"
  rm -rf "$scratch"
done
exit $status
