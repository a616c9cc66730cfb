// The services of the layers above the world that the world, the generator, the rules and the
// AI call upward: the interface's redraws, dialogs, panels, minimap and speech bubbles, the
// rules' being updates and the beings the generator places, the AI's sight, paths and turns, and
// what setting up, resetting and releasing the world asks of the layers above. Every entry does nothing (or
// answers no) until a layer installs its routine: the rules at start-up (install_game_services), the
// interface after them (install_ui_services), so the rules run headless in tools and tests.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace dravok {

class Timer;
class Bitmap;
struct tbeing;
struct tpath;

// Confirmation values carried by the furniture dialogs: the action done on "yes".
constexpr int confirm_toggle = 7, confirm_close = 8, confirm_loot = 9, confirm_portal = 10,
              confirm_pick_lock = 13, confirm_force = 14;

struct tservices {
    // ----- The interface: what the screen shows -----
    // Draws and shows the frame of the current game mode.
    void (*redraw)() = [] {};
    // Closes the window as its close button does.
    void (*close_window)() = [] {};
    // Clears the panels that show the end of a game before the spectator looks on.
    void (*clear_end_of_game_panels)() = [] {};
    // The timer that moves the spectator's view on after the end of a game (none when headless).
    Timer* (*spectator_timer)() = [] { return static_cast<Timer*>(nullptr); };
    // The dialogs a step can open: a trap seen on the ground, a golem to wake.
    void (*setup_ground_trap_dialog)(int confirmation, int thing, int x, int y) = [](int, int, int, int) {};
    void (*setup_activate_golem_dialog)(int confirmation, int thing, int x, int scroll,
                                        int y) = [](int, int, int, int, int) {};
    // The dialogs of furniture, portals and friends: an owner watching, a lock without its key, a
    // known trap in furniture, a switch, stairs or a teleporter, a friendly creature in the way.
    void (*setup_property_confirmation_dialog)(int confirmation, int thing, int x, int owner,
                                               int y) = [](int, int, int, int, int) {};
    void (*setup_locked_furniture_dialog)(int confirmation, int thing, int x, int y) = [](int, int, int,
                                                                                          int) {};
    void (*setup_furniture_trap_dialog)(int confirmation, int thing, int x, int y) = [](int, int, int, int) {
    };
    void (*setup_switch_dialog)(int confirmation, int thing, int x, int y) = [](int, int, int, int) {};
    void (*setup_use_portal)(int thing, int x, int y) = [](int, int, int) {};
    void (*setup_bump_friendly_dialog)(int being) = [](int) {};
    // The inventory beside the items of the furniture at (x, y), to loot it.
    void (*open_loot_screen)(int being, int x, int y, int depth) = [](int, int, int, int) {};
    // A book's text broken into the lines of its page ("\r\n" after each), in the book's font.
    std::string (*wrap_book_text)(const std::string& text) = [](const std::string& text) { return text; };
    // The key caps of a command's bindings, for the arrival's welcome lines.
    std::string (*command_key_text)(int command) = [](int) { return std::string(); };
    // The minimap of a level just entered.
    void (*draw_level_minimap)() = [] {};
    // The window's picture as last drawn (none when there is no window).
    const Bitmap* (*screen_picture)() = [] { return static_cast<const Bitmap*>(nullptr); };
    // A cell the player has just explored, onto the minimap's base.
    void (*minimap_cell_explored)(int x, int y) = [](int, int) {};
    // A cell whose block changed (a wall gone), redrawn on the minimap's base.
    void (*minimap_cell_changed)(int x, int y) = [](int, int) {};
    // Speech bubbles over the map: the entry (1 or 2) a new speech of the being may take, 0 when
    // none may (headless, the first is always free); showing what a being says.
    int (*choose_bubble_slot)(int being) = [](int) { return 1; };
    void (*add_speech_bubble)(int being, int listener, int trigger,
                              const std::string& text) = [](int, int, int, const std::string&) {};
    // Opens the menu with that id (character creation's steps, a level-up's skills menu).
    void (*setup_menu)(int id) = [](int) {};
    // A line that lasts a moment between two beings (from_being above 0) or two cells: kinds 1..4
    // are beams, a larger kind is the colour of a straight line. Nothing when neither end is in
    // view, nor, with check_seen, seen by the player's being.
    void (*add_line)(int from_being, int to_being, int from_x, int from_y, int to_x, int to_y, int kind,
                     bool check_seen) = [](int, int, int, int, int, int, int, bool) {};

    // ----- The rules, the AI and the release of the world -----
    // Recomputes a being's figures after an item it received was equipped (item placement).
    void (*update_being)(int being, int depth) = [](int, int) {};
    // Puts a received item into the weapon slot that last held its class (item placement).
    bool (*auto_equip_like_item)(int being, int slot, int item) = [](int, int, int) { return false; };
    // Whether the viewer sees the other being, or the cell (x, y) when other is 0 (the AI's sight):
    // the sentences and awards the player is told of only when it sees them.
    uint8_t (*can_see)(int viewer, int other, int x, int y) = [](int, int, int, int) { return uint8_t(0); };
    // init_globals
    void (*init_interface_templates)() = [] {}; // blank menu entries with their "none" values
    void (*delete_update_files)() = [] {};      // updater: scripts and leftovers of an update
    // reset_world and free_world
    void (*clear_indicators)() = [] {};    // floating texts, lines and cell animations
    void (*clear_static_lights)() = [] {}; // the static light list
    // The level's light after a light source moved, came or went (the AI's light map).
    void (*update_lights)() = [] {};
    void (*reset_offscreen_beings)() = [] {}; // the off-screen beings table and its layer
    void (*free_pantheon)() = [] {};          // avatar item lists, demigods and their items
    // free_all and shutdown
    void (*free_interface_records)() = [] {}; // the three lister arrays and the menu entries
    void (*clear_generator_lists)() = [] {};  // the level generator's candidate lists
    void (*free_graphics)() = [] {};
    void (*end_application)() = [] {}; // shutdown with halt set

    // ----- The rules, for the level generator: the beings it puts on the level -----
    // Adds the being (created from the plan when the record is blank) at (x, y); its index, or 0.
    int (*add_being_to_level)(int x, int y, const tbeing& record, int depth,
                              int plan) = [](int, int, const tbeing&, int, int) { return 0; };
    // The stored demigods placed on the hub being built.
    void (*place_demigods)(int depth) = [](int) {};
    // The companions and recruitable beings levelled to one below the player's highest level.
    void (*level_up_recruitable_beings)(int master_serial, int being, int depth) = [](int, int, int) {};
    // The level's counts and its stored copy brought up to date.
    void (*update_level)(int depth) = [](int) {};

    // ----- The AI: what the rules tell the creatures, and the creatures' own turns -----
    // A being looks round after it moved or the light changed; every being's first look on a level.
    void (*ai_see)(int being, int depth) = [](int, int) {};
    void (*initial_sight)() = [] {};
    // The level's light sources gathered again after a source was lit or put out.
    void (*collect_light_sources)() = [] {};
    // A path from the being's cell to (tx, ty) for that walk purpose into `path`; false when none.
    bool (*find_path)(int being, int tx, int ty, int purpose, tpath& path) = [](int, int, int, int, tpath&) {
        return false;
    };
    // A creature turns on whoever trespasses on its home, or on its enemies in sight.
    void (*ai_get_hostile)(int being, int depth) = [](int, int) {};
    void (*ai_get_hostile_on_home_trespassers)(int being, int depth) = [](int, int) {};
    // The explore command's used targets, forgotten when the level changes.
    void (*forget_explore_targets)() = [] {};
    // A creature's turn: it looks round, decides and acts.
    void (*ai_act)(int being, int depth) = [](int, int) {};
    // One step along the being's path; false when none was taken.
    bool (*take_path_step)(int being, int depth) = [](int, int) { return false; };
    // The turns the creatures of a level just entered missed while the player was away.
    void (*ai_catch_up_rounds)() = [] {};
    // The autopilot's memory of a cell the player's being passed.
    void (*remember_place)(int x, int y) = [](int, int) {};
    // A noise or a touch wakes the sleeping being.
    void (*ai_wake_up)(int being, int depth) = [](int, int) {};
    // What the beings say about a situation (a fall, a trap), and the last words of the dying.
    void (*add_situation_or_oneliner)(int being, int other, int situation, bool followers_only, int trigger,
                                      int value) = [](int, int, int, bool, int, int) {};
    void (*say_death_lines)(int being, int killer, int depth) = [](int, int, int) {};
    // The being says a line for the chatter trigger, within its cooldowns; true when it was said.
    bool (*add_oneliner)(int being, int listener, int trigger, int depth, std::string_view extra_text,
                         std::string_view section_prefix) = [](int, int, int, int, std::string_view,
                                                               std::string_view) { return false; };
    // The owners who see a being touch their property at (x, y), and how they take it.
    int (*check_witnesses)(int doer, int x, int y, bool doer_only, bool reset) = [](int, int, int, bool,
                                                                                    bool) { return 0; };
    int (*count_witnesses)(int doer, int x, int y, bool doer_only) = [](int, int, int, bool) { return 0; };
    void (*touch_property_reactions)(int doer, int x, int y, int delta) = [](int, int, int, int) {};
    // The being that stands up for the other when it is bumped (0 none).
    int (*find_defender)(int being, int other) = [](int, int) { return 0; };
    // The creatures that watch a teleporter being used at (x, y).
    void (*sees_teleport_use)(int user, int x, int y, int depth) = [](int, int, int, int) {};
    // The creatures' feelings towards each other (the AI keeps them): read, changed by what
    // happens, cleared, handed on to clones and summoned servants.
    void (*add_emotions_against_target_master)(int being, int target, int delta, int depth) = [](int, int,
                                                                                                 int, int) {};
    void (*clear_emotions)(int being) = [](int) {};
    uint32_t (*emotion_hostile_since)(int a, int b) = [](int, int) { return uint32_t(0); };
    int (*find_emotion_entry)(int a, int b) = [](int, int) { return 0; };
    bool (*get_angry)(int being, int other, bool announce) = [](int, int, bool) { return false; };
    int16_t (*get_emotion)(int a, int b, bool use_default) = [](int, int, bool) { return int16_t(0); };
    void (*inherit_emotions)(int child, int parent, int depth) = [](int, int, int) {};
    bool (*is_afraid_of)(int being, int other, int courage) = [](int, int, int) { return false; };
    bool (*is_friendly)(int a, int b, int threshold, bool mutual) = [](int, int, int, bool) { return false; };
    void (*mass_update_emotion)(int doer, int victim, int delta, int fear) = [](int, int, int, int) {};
    void (*remove_emotion_against_target)(int being, int target, int depth) = [](int, int, int) {};
    void (*remove_related_emotions)(int being) = [](int) {};
    int (*update_emotion)(int being, int other, int delta, int depth, int distance) = [](int, int, int, int,
                                                                                         int) { return 0; };
    int (*update_fear)(int being, int other, int delta, int depth, int distance) = [](int, int, int, int,
                                                                                      int) { return 0; };
    void (*update_party_friendliness)() = [] {};
};

extern tservices services;

} // namespace dravok
