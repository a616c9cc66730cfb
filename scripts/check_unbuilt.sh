#!/usr/bin/env bash
# Fails while any routine in src/ still carries the unbuilt marker, listing each one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if grep -rn 'not built yet:' "$root/src"; then
  echo "unbuilt routines remain: $(grep -rn 'not built yet:' "$root/src" | wc -l)"
  exit 1
fi
echo "no unbuilt routines"
