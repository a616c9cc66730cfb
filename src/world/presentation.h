// The presentation services that the rules, the generator and the AI call: a redraw of the
// frame, closing the window, the end-of-game panels, the spectator's clock and the dialogs that
// a move can open. They never draw or touch the window themselves: the interface installs its
// routines here at start-up (install_ui_services), and until then every entry does nothing, so
// the rules run headless in tools and tests.
#pragma once
#include <string>

namespace dravok {

class Timer;

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
    // The question before taking the stairs or teleporter at (x, y); thing is the step's direction.
    void (*setup_use_portal)(int thing, int x, int y) = [](int, int, int) {};
    // The key caps of a command's bindings, for the arrival's welcome lines.
    std::string (*command_key_text)(int command) = [](int) { return std::string(); };
    // The minimap of a level just entered.
    void (*draw_level_minimap)() = [] {};
    // A cell the player has just explored, onto the minimap's base.
    void (*minimap_cell_explored)(int x, int y) = [](int, int) {};
};

extern tpresentation presentation;

} // namespace dravok
