#!/usr/bin/env bash
# check_mime.sh DESKTOP TYPES: the launcher takes a file (Exec with %f) and its MimeType= names
# exactly the file types TYPES installs, so "Open with" and a double-click reach the program.
set -euo pipefail
grep -q '^Exec=m1view %f$' "$1" || { echo "Exec does not pass the file"; exit 1; }
listed=$(grep '^MimeType=' "$1" | cut -d= -f2 | tr ';' '\n' | sed '/^$/d' | sort)
installed=$(grep -o '<mime-type type="[^"]*"' "$2" | cut -d'"' -f2 | sort)
if [ "$listed" != "$installed" ]; then
  printf 'MimeType=:\n%s\ninstalled:\n%s\n' "$listed" "$installed"
  exit 1
fi
