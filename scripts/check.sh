#!/usr/bin/env bash
# The house rules checked on a change: clang-format, clang-tidy, the layering (by building) and
# the duplicated-block report. Exits 1 when a rule is broken; the report never fails the check.
#
#   scripts/check.sh [--repo DIR] [--build DIR] [--base REV] [FILE...]
#
# The change is FILE... when given; else everything since --base REV; else, with no network
# and no remote to compare with, what the history says: when HEAD is a merge, what it brought
# (HEAD^1..HEAD); otherwise the commits since the last merge on the first-parent line. Either
# way uncommitted and untracked files count. A history with no merge at all (or a shallow clone
# that ends before one) makes the whole tree the change.
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=
base=
files=()
while [ $# -gt 0 ]; do
  case "$1" in
    --repo) repo=$(cd "$2" && pwd); shift 2 ;;
    --build) build=$2; shift 2 ;;
    --base) base=$2; shift 2 ;;
    -h | --help) sed -n '2,11p' "$0"; exit 0 ;;
    *) files+=("$1"); shift ;;
  esac
done
cd "$repo" || exit 2
build=${build:-$repo/build/release}
jobs=$(nproc 2>/dev/null || echo 2)
failed=()

say() { printf 'check: %s\n' "$*"; }

# The base the change is measured from; empty when the whole tree is the change.
find_base() {
  if [ -n "$base" ]; then
    git rev-parse -q --verify "$base^{commit}" || { say "unknown --base $base" >&2; exit 2; }
    return
  fi
  if git rev-parse -q --verify HEAD^2 >/dev/null; then
    git rev-parse HEAD^1
    return
  fi
  git rev-list --first-parent --merges -n 1 HEAD 2>/dev/null
}

changed_files() {
  if [ ${#files[@]} -gt 0 ]; then
    printf '%s\n' "${files[@]}"
    return
  fi
  local from
  from=$(find_base)
  if [ -z "$from" ]; then
    git ls-files
  else
    git diff --name-only --diff-filter=d "$from" --
  fi
  git ls-files --others --exclude-standard
}

# C and C++ sources of the change that still exist, outside build folders.
mapfile -t sources < <(changed_files | sort -u | grep -E '\.(cpp|hpp|h)$' | grep -v '^build/' |
  while read -r f; do [ -f "$f" ] && echo "$f"; done)
say "${#sources[@]} C++ file(s) in the change"

check_format() {
  [ ${#sources[@]} -eq 0 ] && return 0
  clang-format --dry-run --Werror "${sources[@]}"
}

# clang-tidy reads the build's compile commands without the precompiled header, which is the
# compiler's own format; headers are checked through the sources that include them and only
# the change's own headers report.
check_tidy() {
  [ ${#sources[@]} -eq 0 ] && return 0
  if [ ! -f "$build/compile_commands.json" ]; then
    say "no $build/compile_commands.json: configure the build first"
    return 1
  fi
  local db
  db=$(mktemp -d)
  # A unity build compiles its sources through generated files that include them: each source
  # gets the command of the file that includes it, so that it is tidied on its own.
  python3 - "$build/compile_commands.json" "$db/compile_commands.json" <<'EOF'
import json, re, sys
out = []
for e in json.load(open(sys.argv[1])):
    command = re.sub(r" -include [^ \"]*cmake_pch\.hxx| -Winvalid-pch", "", e["command"])
    if "/Unity/unity_" not in e["file"]:
        out.append(dict(e, command=command))
        continue
    for source in re.findall(r'#include "([^"]+)"', open(e["file"]).read()):
        out.append(dict(e, file=source, command=command.replace(e["file"], source)))
json.dump(out, open(sys.argv[2], "w"), indent=0)
EOF
  # Sources this build does not compile (the fuzz targets belong to the fuzz build) have no
  # compile command; clang-tidy would guess one without their include paths and report that.
  local -a tidied=()
  local f
  for f in "${sources[@]}"; do
    if [[ $f != *.cpp ]] || grep -qF "\"file\": \"$repo/$f\"" "$db/compile_commands.json"; then
      tidied+=("$f")
    else
      say "tidy: $f is not compiled by $build; left to its own build"
    fi
  done
  if [ ${#tidied[@]} -eq 0 ]; then
    rm -rf "$db"
    return 0
  fi
  local filter
  filter=$(printf '%s\n' "${tidied[@]}" | sed -E 's/[].[^$*+?(){}|\\]/\\&/g; s#^(src/)?#(^|/)#; s#$#$#' |
    paste -sd'|')
  printf '%s\n' "${tidied[@]}" | xargs -P "$jobs" -n 4 clang-tidy -p "$db" --quiet \
    --warnings-as-errors='*' --header-filter="$filter" --extra-arg=-Wno-unknown-warning-option \
    2> >(grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' >&2)
  local status=$?
  rm -rf "$db"
  return $status
}

# Each layer sees only the layers below it, so a wrong include fails to compile.
check_layers() {
  if [ ! -f "$build/CMakeCache.txt" ]; then
    say "no configured build in $build"
    return 1
  fi
  cmake --build "$build" -j "$jobs"
}

report_duplicates() {
  if ! command -v duplicates >/dev/null 2>&1; then
    say "duplicates: the command is not on this machine; report skipped"
    return 0
  fi
  local from
  from=$(find_base)
  if [ -n "$from" ]; then
    duplicates --repo "$repo" --change --base "$from"
  else
    duplicates --repo "$repo"
  fi
}

for step in format tidy layers; do
  say "$step"
  if ! "check_$step"; then
    failed+=("$step")
    say "$step: FAILED"
  fi
done
say "duplicated blocks of the change (a report, not a verdict)"
report_duplicates

if [ ${#failed[@]} -gt 0 ]; then
  say "failed: ${failed[*]}"
  exit 1
fi
say "all rules hold"
