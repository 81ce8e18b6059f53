#!/usr/bin/env bash
# check_manual.sh PAGE...: formats each manual page with groff, every warning on, and fails on any
# warning or error; checks that lexgrog (what mandb indexes) finds its NAME line. Exits 77 (skipped)
# when groff is not installed.
set -uo pipefail
command -v groff >/dev/null 2>&1 || { echo "groff is not installed: skipped"; exit 77; }
status=0
for page in "$@"; do
  warnings=$(groff -man -ww -z -Tutf8 "$page" 2>&1)
  if [ -n "$warnings" ]; then
    echo "$page: $warnings"
    status=1
  fi
  if command -v lexgrog >/dev/null 2>&1 && ! lexgrog "$page" >/dev/null; then
    echo "$page: no NAME section lexgrog can read"
    status=1
  fi
done
exit $status
