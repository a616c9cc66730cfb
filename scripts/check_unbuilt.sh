#!/usr/bin/env bash
# Lists the routines in src/ that carry the unbuilt marker, and fails on any empty or
# constant-only body that neither carries it nor stands in the allow-list with its reason
# (tools/unbuilt/check_unbuilt.py).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec python3 "$root/tools/unbuilt/check_unbuilt.py" "$root/src"
