#!/usr/bin/env bash
# Prints a hash of every line that the probe prints for every golden script and that m1view-info
# prints for every image given (--json --sectors --files, --files, --summary, and --at at a spread
# of offsets), one "hash  command  line-number" a line. Run it before and after a change that
# must not change behaviour, and compare the two outputs with diff.
#   bash scripts/behaviour.sh BUILD_DIR IMAGE... > before.txt
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
shift

hash_lines() {  # $1: a name for the command; the lines on standard input
  local n=0 line
  while IFS= read -r line || [ -n "$line" ]; do
    n=$((n + 1))
    printf '%s  %s  %d\n' "$(printf '%s' "$line" | sha256sum | cut -c1-16)" "$1" "$n"
  done
}

(cd "$top/tests/probe/golden" && for script in *.m1; do
  "$build/m1view-probe" "$script" | hash_lines "probe $script"
done)

for image in "$@"; do
  name=$(basename "$image")
  info="$build/m1view-info"
  { "$info" --json --sectors --files "$image" || true; } | hash_lines "info --json --sectors --files $name"
  { "$info" --files "$image" || true; } | hash_lines "info --files $name"
  { "$info" --summary "$image" || true; } | hash_lines "info --summary $name"
  size=$(stat -c %s "$image")
  step=$(( size / 300 + 1 ))
  for ((offset = 0; offset < size + 2; offset += (offset < 64 ? 1 : step))); do
    { "$info" --at "$offset" "$image" 2>&1 || true; } | hash_lines "info --at $offset $name"
  done
done
