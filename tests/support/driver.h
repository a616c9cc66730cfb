// Headless driver for turn tests: builds a small walled level with a player's being and
// creatures, feeds key presses through the game's own key path (form_key_down) and lets the
// round scheduler run, so whole turns can be tested the way the player plays them.
#pragma once
#include <string>
#include <vector>

#include "ui/key_entry.h"

namespace dravok::testing {

class turn_driver {
  public:
    // A size x size level: floor inside, walls on the border; the game set up and in the main mode.
    explicit turn_driver(int size = 12);
    ~turn_driver();
    turn_driver(const turn_driver&) = delete;
    turn_driver& operator=(const turn_driver&) = delete;

    // The player's own character at (x, y), under the player's command.
    int add_player(int x, int y);
    // A character made from the template as a new game makes one: its kit chosen and worn, its
    // figures computed; the player's own character at (x, y), under the player's command.
    int add_character(int x, int y, const std::string& plan);
    // A creature at (x, y) that acts at the given time.
    int add_creature(int x, int y, uint32_t next_action_time, const std::string& name = "rat");

    void wall(int x, int y);
    void floor(int x, int y);

    // A key press through the key gate, the bindings, the dispatch and the scheduler. Returns
    // the key as the handler left it (0 when swallowed).
    int press(int key, tshift_state shift = {});
    int press_command(int command); // the first binding of the command
    // Keys delivered the next times the scheduler pumps window messages (one per pump).
    void key_during_pump(int key, tshift_state shift = {});

    // A text database holding only a one-key keyboard layout, so the help screen can open.
    void give_keyboard_layout();

    // Lets time pass without a key, as the spectator timer does.
    void run_rounds();

    // The messages logged since the driver started (newest last).
    std::vector<std::string> messages() const;
    bool logged(const std::string& text) const;
};

} // namespace dravok::testing
