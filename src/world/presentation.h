// The presentation services that the rules, the generator and the AI call: a redraw of the
// frame, closing the window, the end-of-game panels, the spectator's clock and the dialogs that
// a move can open. They never draw or touch the window themselves: the interface installs its
// routines here at start-up (install_ui_services), and until then every entry does nothing, so
// the rules run headless in tools and tests.
#pragma once
#include <string>

namespace dravok {

class Timer;
class Bitmap;

// Confirmation values carried by the furniture dialogs: the action done on "yes".
constexpr int confirm_toggle = 7, confirm_close = 8, confirm_loot = 9, confirm_portal = 10,
              confirm_pick_lock = 13, confirm_force = 14;

struct tpresentation {
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
};

extern tpresentation presentation;

} // namespace dravok
