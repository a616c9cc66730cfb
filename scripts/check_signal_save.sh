#!/usr/bin/env bash
# A signal in play keeps the game: a character is made through the keys, then SIGTERM ends the
# game within 5 s leaving a save; the game started again loads it through CONTINUE GAME (the save
# is used up, the game runs on, nothing in the error log); SIGHUP there saves again, and that save
# loads too. Needs a display: CI runs it as  xvfb-run -a scripts/check_signal_save.sh build
set -euo pipefail
build=$(cd "${1:?usage: $0 <build-dir>}" && pwd)
work=$(mktemp -d)
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
cp "$build/game/dravok" "$work/"
cp -r "$build/game/Data" "$work/"

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/Error-log.txt" ] && cat "$work/Error-log.txt" >&2
    exit 1
}

window=""
start_game() {
    (cd "$work" && exec ./dravok 2>/dev/null) &
    pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Dravok$' | head -1) || fail "no game window"
    sleep 2
}
keys() {
    for k in "$@"; do
        kill -0 "$pid" 2>/dev/null || fail "the game ended before the key $k"
        xdotool key --window "$window" "$k"
        sleep 0.15
    done
}
# The signal ends the game within 5 s and leaves one whole save, nothing half written.
signal_and_expect_save() {
    kill -"$1" "$pid"
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "SIG$1: the game still runs 5 s after the signal"
    wait "$pid" 2>/dev/null || true
    pid=""
    for ext in dsg dsi dsr; do
        ls "$work"/Save/*."$ext" >/dev/null 2>&1 || fail "SIG$1: no .$ext file in Save/"
    done
    if ls "$work"/Save/*.new "$work"/Save/*.part >/dev/null 2>&1; then
        fail "SIG$1: files left half written in Save/"
    fi
}
load_and_expect_play() {
    start_game
    keys Down Return
    keys Return
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "SIG$1: the game ended on loading its save"
    ls "$work"/Save/*.dsg >/dev/null 2>&1 && fail "SIG$1: the save was not used up by the load"
    [ -s "$work/Error-log.txt" ] && fail "SIG$1: the error log has entries"
    echo "SIG$1 in play: the game was saved, and the save loads"
}

# A new character: NEW GAME, a race, the points spent, a skill, a talent, Play; two steps.
start_game
keys Return Down Return
keys Home Right Right Right Right Right Right Right Down Right Right Right Right Right Right Right Right
keys Down Right Right Right Right Down Right Right Right Right
keys End Return End Return Return End Return
sleep 1
keys Right Left
signal_and_expect_save TERM
load_and_expect_play TERM
signal_and_expect_save HUP
load_and_expect_play HUP
