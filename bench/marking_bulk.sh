#!/usr/bin/env bash
# One set-based insert of 1,000,000 marks through the CLI's main channel against the same
# statement in the sqlite3 shell with our extension, each on a fresh database; prints the ratio.
set -euo pipefail
build=${1:-"$(cd "$(dirname "$0")/.." && pwd)/build/release"}
orvrun="$build/apps/orvrun/orvrun"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
statement="insert into zaznaczone (id_sesji, uzycie, id) select 5, 1, i from (with recursive \
n(i) as (select 1 union all select i + 1 from n where i < 1000000) select i from n) s"

seconds() {  # runs the command, prints its wall time in seconds
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

"$orvrun" init --db "$work/a.db" >/dev/null
"$orvrun" init --db "$work/b.db" >/dev/null
ours=$(seconds "$orvrun" --db "$work/a.db" sql "$statement")
raw=$(seconds sqlite3 "$work/b.db" -cmd ".load $build/tsqlext" "$statement")
count=$("$orvrun" --db "$work/a.db" sql "select count(*) from zaznaczone")
printf 'marks inserted: %s\norvrun sql: %.3f s\nsqlite3:    %.3f s\nratio:      %.2f\n' \
  "$count" "$ours" "$raw" "$(awk -v a="$ours" -v b="$raw" 'BEGIN { print a / b }')"
