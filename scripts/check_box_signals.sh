#!/usr/bin/env bash
# Signals while a message box is up: the game is started from a copy of the build's staged game
# with a damaged database, so it stops at its corrupt-file box. Then SIGTERM, SIGINT and SIGHUP
# must each end it within 2 s with Temporary/ emptied, and SIGKILL must take the box down with
# it. Needs a display: CI runs it as  xvfb-run -a scripts/check_box_signals.sh build
set -euo pipefail
build=$(cd "${1:?usage: $0 <build-dir>}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/game/." "$work/"
truncate -s 5000 "$work/Data/Dravok.dbs"

fail() {
    echo "FAIL ($1): $2" >&2
    exit 1
}
gone() { # the process has ended (a zombie counts: it only waits to be reaped)
    [ ! -e "/proc/$1" ] || [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ]
}

for sig in TERM INT HUP KILL; do
    rm -rf "$work/Temporary"
    "$work/dravok" 2>/dev/null &
    game=$!
    box=""
    for _ in $(seq 100); do
        box=$(pgrep -P "$game" || true)
        [ -n "$box" ] && [ "$(pgrep -g "$box" | wc -l)" -ge 2 ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "$sig" "no message box appeared"
    sleep 0.3
    touch "$work/Temporary/left-over.tmp"
    kill -"$sig" "$game"
    for _ in $(seq 20); do
        gone "$game" && break
        sleep 0.1
    done
    gone "$game" || fail "$sig" "the game still runs 2 s after the signal"
    wait "$game" 2>/dev/null || true
    for _ in $(seq 20); do
        [ -z "$(pgrep -g "$box" || true)" ] && break
        sleep 0.1
    done
    [ -z "$(pgrep -g "$box" || true)" ] || fail "$sig" "a box process outlived the game"
    if [ "$sig" != KILL ] && [ -n "$(ls -A "$work/Temporary")" ]; then
        fail "$sig" "Temporary/ was not emptied"
    fi
    if [ "$sig" = KILL ]; then
        echo "SIGKILL while the box is up: the box went with the game"
    else
        echo "SIG$sig while the box is up: the game ended in order within 2 s, Temporary/ emptied"
    fi
done
