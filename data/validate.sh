#!/usr/bin/env bash
# validate.sh TOOL ARGS...: runs TOOL ARGS; exits 77 (the test is skipped) when TOOL is missing.
tool=$1
if ! command -v "$tool" >/dev/null 2>&1; then
  echo "$tool is not installed: skipped"
  exit 77
fi
exec "$@"
