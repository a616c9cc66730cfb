// The services of the layers above the world that setting up, resetting and releasing the
// world call: the interface's records and pictures, the AI's static lights, the pantheon and
// the generator's lists. Each layer installs its entries when the program starts (the window's
// start-up through install_game_services, and the tests' world fixture the same way); an
// entry not installed is skipped. Called by world/globals.cpp.
#pragma once

#include <cstdint>

namespace dravok {

struct tworld_hooks {
    // Recomputes a being's figures after an item it received was equipped (item placement).
    void (*update_being)(int being, int depth) = nullptr;
    // Puts a received item into the weapon slot that last held its class (item placement).
    bool (*auto_equip_like_item)(int being, int slot, int item) = nullptr;
    // Whether the viewer sees the other being, or the cell (x, y) when other is 0 (the AI's sight):
    // the sentences and awards the player is told of only when it sees them.
    uint8_t (*can_see)(int viewer, int other, int x, int y) = nullptr;
    // init_globals
    void (*init_interface_templates)() = nullptr; // blank menu entries with their "none" values
    void (*delete_update_files)() = nullptr;      // updater: scripts and leftovers of an update
    // reset_world and free_world
    void (*clear_indicators)() = nullptr;       // floating texts, lines and cell animations
    void (*clear_static_lights)() = nullptr;    // the static light list
    void (*reset_offscreen_beings)() = nullptr; // the off-screen beings table and its layer
    void (*free_pantheon)() = nullptr;          // avatar item lists, demigods and their items
    // free_all and shutdown
    void (*free_interface_records)() = nullptr; // the three lister arrays and the menu entries
    void (*clear_generator_lists)() = nullptr;  // the level generator's candidate lists
    void (*free_graphics)() = nullptr;
    void (*end_application)() = nullptr; // shutdown with halt set
};

extern tworld_hooks world_hooks;

// Runs a hook when it is installed.
inline void run_hook(void (*hook)()) {
    if (hook) hook();
}

// The AI's sight through its hook; nothing is seen before the hook is installed.
inline bool hook_can_see(int viewer, int other, int x, int y) {
    return world_hooks.can_see != nullptr && world_hooks.can_see(viewer, other, x, y) != 0;
}

} // namespace dravok
