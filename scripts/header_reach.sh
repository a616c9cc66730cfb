#!/usr/bin/env bash
# How many of the build's objects rebuild when a project header is touched: for each header
# under src/ (or each one named), the objects whose recorded dependencies list it, directly or
# through other headers, out of all objects. Reads the dependencies ninja kept from the last build.
# Usage: scripts/header_reach.sh [build-dir] [header ...]   e.g. world/state.h
set -euo pipefail
build=${1:-build}
shift || true
ninja -C "$build" -t deps | awk -v wanted="$*" '
    BEGIN { n = split(wanted, w, " "); for (i = 1; i <= n; ++i) want[w[i]] = 1 }
    /^[^ ].*: #deps/ { ++objects; delete seen; next }
    /^    / {
        path = $1
        if (path !~ /\/src\/.*\.h$/) next
        sub(/^.*\/src\//, "", path)
        if (n > 0 && !(path in want)) next
        if (!(path in seen)) { seen[path] = 1; ++count[path] }
    }
    END {
        if (n > 0) for (h in want) if (!(h in count)) count[h] = 0
        for (h in count) printf "%5d / %d  %5.1f%%  %s\n", count[h], objects, 100 * count[h] / objects, h
    }' | sort -k1,1nr -k4
