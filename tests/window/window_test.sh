#!/usr/bin/env bash
# End-to-end window test: the real executable in a window on an X display (run under xvfb-run),
# driven by key events through the main menu, creation, a few moves and a fight, a save and a
# load, with a screenshot at each step checked for content: the main menu not blank, the map
# drawn with more than a few hundred colours, the log holding text.
# Usage: xvfb-run -a -s "-screen 0 1280x720x24" tests/window/window_test.sh [build-dir] [screenshot-folder]
# The screenshots stay in the folder (default: <build-dir>/screens/window).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
shots=${2:-$build/screens/window}
: "${DISPLAY:?run under xvfb-run}"

for tool in xdotool import identify convert; do
  command -v "$tool" >/dev/null || { echo "window test: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done

# A program folder of its own: the executable beside a copy of the built Data/.
game_dir=$(mktemp -d "${TMPDIR:-/tmp}/dravok-window.XXXXXX")
cp "$build/game/dravok" "$game_dir/"
cp -r "$build/game/Data" "$game_dir/"
rm -rf "$shots"
mkdir -p "$shots"
pid=""
cleanup() {
  # The game saves on its way out of play: it is waited for before its folder goes.
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$game_dir"
}
trap cleanup EXIT

fail() {
  echo "window test: FAILED: $*"
  [ -f "$game_dir/Error-log.txt" ] && cat "$game_dir/Error-log.txt"
  exit 1
}

window=""
start_game() {
  (cd "$game_dir" && exec ./dravok) &
  pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Dravok$' | head -1) || fail "no game window"
  # The title shows, then the start-up timer opens the main menu.
  sleep 2
}

# Key names as xdotool spells them; each key is given time for its frame.
keys() {
  for k in "$@"; do
    kill -0 "$pid" 2>/dev/null || fail "the game ended before the key $k"
    # A key that ends the game may take the window with it before its release is sent: the
    # checks after the key judge whether the game did what it should.
    xdotool key --window "$window" "$k" 2>/dev/null || echo "key $k: the window closed as it was pressed"
    sleep 0.15
  done
}

shot() {
  sleep 0.5
  import -window root "$shots/$1.png"
  echo "screenshot $shots/$1.png: $(colours "$1") colours"
}
# The log's part of the screen: below the map, between the side panels.
log_box() {
  local w h
  read -r w h < <(identify -format '%w %h' "$shots/$1.png")
  echo "$((w * 56 / 100))x$((h * 16 / 100))+$((w * 22 / 100))+$((h * 81 / 100))"
}
colours() { identify -format %k "$shots/$1.png"; }
# Colours inside a part of a screenshot (geometry WxH+X+Y).
colours_in() { convert "$shots/$1.png" -crop "$2" +repage -format %k info:; }

expect_text_in_log() {
  local n
  n=$(colours_in "$1" "$(log_box "$1")")
  ((n > 8)) || fail "the log area of $1 holds no text ($n colours)"
}

expect_colours_over() {
  local n
  n=$(colours "$1")
  ((n > $2)) || fail "$1 has $n colours, expected more than $2"
}

# 1. The main menu.
start_game
shot 01-main-menu
expect_colours_over 01-main-menu 16

# 2. Creation: NEW GAME, a race, the ability points spent, a talent, Play.
keys Return
shot 02-race
keys Down Return
shot 03-abilities
# Every point spent, most into body and motion: a character left at the starting scores may be
# killed in the fight below before it can save.
keys Home Right Right Right Right Right Right Right Down Right Right Right Right Right Right Right Right
keys Down Right Right Right Right Down Right Right Right Right
shot 03b-abilities-spent
keys End Return
shot 04-skills
keys End Return
shot 05-talents
keys Return End Return
shot 06-first-level
expect_colours_over 06-first-level 300

# 3. A few moves, then exploring until something is met and blows to every side, until the
# health bar (top of the left panel) shows a hit taken.
expect_text_in_log 06-first-level
keys Right Left Down Up
shot 07-moved
# A pixel of the health bar (top of the left panel), the given number of thousandths of the
# width across.
health_pixel() {
  local w h
  read -r w h < <(identify -format '%w %h' "$shots/$1.png")
  convert "$shots/$1.png" -format "%[pixel:p{$((w * $2 / 1000)),$((h * 76 / 1000))}]" info:
}
# The right end of the bar is green while the health is full.
health_full() { [ "$(health_pixel "$1" 195)" = "srgb(0,102,0)" ]; }
# The left end holds one of the bar's colours, from red to green, while the map view shows.
map_view_shown() {
  case "$(health_pixel "$1" 22)" in
  "srgb(102,0,0)" | "srgb(102,34,0)" | "srgb(102,102,0)" | "srgb(34,102,0)" | "srgb(0,102,0)") return 0 ;;
  *) return 1 ;;
  esac
}
map_view_shown 06-first-level || fail "the first level's screen shows no health bar"
health_full 06-first-level || fail "the health bar is not full at the start"
# The bar is looked at after the walk and after every blow, so that a new character is not
# fought to death between two looks (the save below needs it alive). A blow into an altar or a
# chest opens a screen of its own, which is no hit.
hit_taken() {
  shot 08-fight
  map_view_shown 08-fight && ! health_full 08-fight
}
# Exploring stops while a hostile is in view; one that cannot walk (a fungus) is gone to, a step
# a round in turn to every side.
walk=(KP_2 KP_6 KP_8 KP_4)
# A blow into a locked door or a trap opens a dialog that takes the keys after it. Escape closes
# it; with no dialog open it opens the game menu (a plain screen of few colours), which a second
# Escape closes.
back_to_map() {
  keys Escape
  shot 08-round
  if (($(colours 08-round) < 600)); then keys Escape; fi
}
fought=0
for round in $(seq 1 60); do
  back_to_map
  keys e
  sleep 0.3
  hit_taken && fought=1
  for blow in KP_8 KP_9 KP_6 KP_3 KP_2 KP_1 KP_4 KP_7; do
    ((fought)) && break
    keys "$blow"
    hit_taken && fought=1
  done
  ((fought)) || { keys "${walk[$(((round / 3) % 4))]}"; hit_taken && fought=1; }
  if ((fought)); then
    echo "a fight in round $round"
    break
  fi
done
((fought)) || fail "no creature met in 60 rounds of exploring"
expect_colours_over 08-fight 300

# 4. Save through the game menu: the program quits and leaves the save. A first key ends any
# walk or rest still going on; a wait takes one turn.
# A level-up pause or a message may hold the keys for a moment: Escape is pressed again until
# the game menu (a plain screen of few colours) shows.
keys KP_5 Escape
for _ in $(seq 1 10); do
  shot 09-game-menu
  (($(colours 09-game-menu) < 600)) && break
  sleep 1
  keys Escape
done
(($(colours 09-game-menu) < 600)) || fail "the game menu did not open"
keys Down Return
for _ in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "the game did not quit after saving"
status=0
wait "$pid" || status=$?
((status == 0)) || fail "the game ended with status $status after saving and quitting"
pid=""
ls "$game_dir"/Save/*.dsg >/dev/null 2>&1 || fail "no save file"

# 5. Started again: CONTINUE GAME and the save from the load list.
start_game
shot 10-main-menu-with-save
keys Down Return
shot 11-load-list
keys Return
shot 12-loaded
expect_colours_over 12-loaded 300
expect_text_in_log 12-loaded
ls "$game_dir"/Save/*.dsg >/dev/null 2>&1 && fail "the save was not used up by the load"
[ -s "$game_dir/Error-log.txt" ] && fail "the error log has entries"
kill -0 "$pid" 2>/dev/null || fail "the game ended after loading"

# 6. QUIT GAME from the game menu asks first; "No" keeps the game, "Yes" ends it with status 0.
keys Escape End Return
shot 13-quit-question
keys Return
kill -0 "$pid" 2>/dev/null || fail "\"No\" ended the game"
keys End Return Right Return
for _ in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "the game did not quit after \"Yes\""
status=0
wait "$pid" || status=$?
((status == 0)) || fail "QUIT GAME ended the game with status $status"
pid=""
echo "window test: passed; screenshots in $shots"
