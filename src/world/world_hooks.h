// The services of other units that setting up, resetting and releasing the world call, each
// under the name its owner gives it. An owner installs its routine here when its unit lands
// (at start-up, before init_globals); an empty hook is skipped. Called by world/globals.cpp.
#pragma once
#include <string_view>

namespace dravok {

struct tworld_hooks {
    // init_globals
    void (*build_ray_endpoints)() = nullptr;      // map: the ray tables
    void (*build_sight_rays)() = nullptr;         // map: the sight rays
    void (*init_interface_templates)() = nullptr; // blank menu entries with their "none" values
    void (*delete_update_files)() = nullptr;      // updater: scripts and leftovers of an update
    // reset_world and free_world
    void (*clear_indicators)() = nullptr;       // floating texts, lines and cell animations
    void (*clear_static_lights)() = nullptr;    // the static light list
    void (*build_shuffle_bags)() = nullptr;     // text database
    void (*build_chatter_sections)() = nullptr; // text database, from the being plans
    void (*reset_offscreen_beings)() = nullptr; // the off-screen beings table and its layer
    void (*free_pantheon)() = nullptr;          // avatar item lists, demigods and their items
    void (*free_text_sections)() = nullptr;     // text sections, shuffle bags, chatter sections
    // free_all and shutdown
    void (*free_interface_records)() = nullptr; // the three lister arrays and the menu entries
    void (*clear_generator_lists)() = nullptr;  // the level generator's candidate lists
    void (*free_string_lists)() = nullptr;      // the lists kept by other units (log, texts)
    void (*clear_temporary_folder)() = nullptr;
    void (*free_graphics)() = nullptr;
    void (*end_application)() = nullptr; // shutdown with halt set
    // the rules open a menu (a level-up's skills menu)
    void (*setup_menu)(int id) = nullptr;
    // shell_execute: opens a file or address with the system's default handler
    bool (*open_document)(std::string_view file, std::string_view parameters, std::string_view folder,
                          int show_mode) = nullptr;
};

extern tworld_hooks world_hooks;

// Runs a hook when it is installed.
inline void run_hook(void (*hook)()) {
    if (hook) hook();
}

} // namespace dravok
