// The play-testing bot: plays one whole game through the window's key path of a started game
// as a careful player would: it spends its creation points, explores, meets foes in the narrows,
// drinks its healing when low, rests when no foe is in sight, wears better gear, searches for
// secret doors where the stairs hide, goes down once a level is done, from the deepest level
// through the gate to the hub, where it visits the trading level and then ascends; it saves and
// loads now and then (checking that the load gives back what was saved), until death, victory
// or the turn limit, which no game passes: near it the bot takes only one round at a time.
// Every choice comes from one seed, which also seeds the game, so a failing game replays exactly.
// Used by the short play test and by the soak program.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/game_start.h"

namespace dravok::testing {

struct bot_options {
    uint32_t seed = 1;
    int turn_limit = 300;
    // Game rounds between saves (a save quits the program; the bot starts it again and loads).
    int save_every = 400;
    // Wall-clock seconds without a new turn before the game counts as hung.
    int hang_seconds = 30;
    // Every key and every new log line to the error stream, for replaying a failed game by eye.
    bool trace = false;
    // Called whenever the turn count grows.
    std::function<void(int turns)> on_progress;
    // The game is at its main menu already (a game before this one returned there): the bot
    // begins from it instead of starting the program.
    bool from_main_menu = false;
    // Called with every input the game gets, in order, for recording a game that replays
    // without the bot: "seed N" (the seed set after start), "tick" (the bot's timer tick), "wait MS" (a
    // longer one while the spectator looks on), "key K S C A" (code and the Shift, Ctrl, Alt flags),
    // "restart".
    std::function<void(const std::string& event)> on_event;
    // The level the game begins on (see depth_start.h): past 1 the new character is made as strong
    // as a player down there, carried to it, saved and loaded before it plays on.
    int start_depth = 1;
};

struct bot_report {
    uint32_t seed = 0;
    int turns = 0;
    int deepest = 0;
    // "died", "won" (ascended), "turn limit", "hang", "fatal", "no start"
    std::string ending;
    // The level the game began on, and every level it played on, in the order first entered.
    int start_depth = 1;
    std::vector<int> levels_played;
    int saves = 0, loads = 0, fights = 0, items_used = 0, pickups = 0, stairs = 0, rests = 0;
    // The error log's entries (headline lines), newest first; a fatal one ends the game.
    std::vector<std::string> errors;
    // A fingerprint of the first level's map as the game began: seeds that differ make
    // dungeons that differ.
    uint32_t first_level_print = 0;
    // Loads that did not give back the character as it was saved.
    int load_mismatches = 0;
    bool failed() const {
        return ending == "hang" || ending == "fatal" || ending == "no start" || load_mismatches > 0;
    }
};

// Plays one game in the started game's folder; the game is started (or restarted) by the bot.
bot_report play_bot_game(started_game& game, const bot_options& options);

// One line: seed, turns, deepest level, ending.
std::string report_line(const bot_report& report);

} // namespace dravok::testing
