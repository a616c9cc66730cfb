// The run state: flags and counters of the running program that never go into a file (one
// global `state`, declared here). Read and set by every subsystem.
#pragma once
#include <cstdint>
#include <string>

namespace dravok {

struct tstate {
    uint8_t generating_level = 0; // set for the whole of a level's generation
    uint8_t initialised = 0;      // the start-up sequence has finished
    uint8_t restart = 0;          // restart requested
    // The quit request lives with the error log (quit_requested, request_quit): a fatal
    // error sets it and the program stops in order at the next check.
    uint8_t busy = 0;              // a long operation runs; key presses are ignored
    uint8_t died = 0;              // the player's character died
    uint8_t won = 0;               // the player's character ascended
    uint8_t overgod_left = 0;      // an overgod left the world (read when the pantheon is saved)
    uint8_t pantheon_disabled = 0; // pantheon saving disabled
    uint8_t level_up_pending = 0;  // the level-up pause: the effects timer opens the level-up screen
    uint8_t log_muted = 0;
    uint8_t speech_passes = 0;      // speech still reaches a muted log
    uint8_t blank_line_pending = 0; // the log flag of arrivals: a blank line before the next message
    uint8_t relayout = 0;           // the layout changed; the window is laid out again
    uint8_t go_to_main_menu = 0;    // clear: restart with the same character
    uint8_t screen_flag = 0;
    uint8_t creature_decision = 0;
    uint8_t obituary_saved = 0;
    uint8_t update_available = 0; // a newer release is known
    uint8_t saves_exist = 0;
    uint8_t update_chosen = 0;
    uint8_t keep_settings = 0;  // keep settings and key bindings on update
    int32_t walk_direction = 0; // continued walking
    int32_t run_counter = 0;
    int32_t side_openings = 0;
    int32_t walk_steps = 0;
    int32_t autopilot_cursor_x = 0; // set by the autopilot key handler, drawn
    int32_t autopilot_cursor_y = 0;
    int32_t explore_cursor_x = 0; // the last unexplored cell chosen as explore target
    int32_t explore_cursor_y = 0;
    uint32_t travel_target = 0;    // cleared by end_possession and the autopilot
    uint32_t spectator_serial = 0; // the being kept in view after the end of a game (0 none)
    uint32_t spectator_ticks = 0;
    bool lister_time_passing = false; // an action in the inventory screen took time
    uint32_t key_entry_counter = 0;
    std::string obituary_file;
    std::string obituary_title;
    uint32_t animation_serial = 0; // the animation counter: the serial of the newest animation
    uint8_t resting = 0;           // cleared by stop_resting
    uint8_t quiet = 0;             // indicators and level-ups suppressed (the world runs unseen)
    // Flags and values the later subsystems keep here.
    uint8_t game_started = 0;
    uint8_t spawning_off = 0;
    uint8_t read_pantheon = 0; // read the pantheon at the next start of play
    uint8_t paused = 0;
    uint8_t tileset_reload = 0; // the tile-size change request
    uint8_t catch_up = 0;       // missed turns are being replayed
    uint8_t rest_screen = 0;    // the resting banner is shown
    uint8_t lighting_off = 0;
    uint8_t autoplay = 0;            // no rule sets it; it stays 0
    int32_t autopilot_item = 0;      // the item to pick up at the end of autopilot travel
    uint32_t arrival_word = 0;       // cleared at every arrival on a level
    uint32_t player_action_time = 0; // the player's next_action_time before a command
};

// The one run state of the program.
extern tstate state;

} // namespace dravok
