// The services of other units that the start-up sequence, the timers and shutdown call, under
// the names and signatures their owners give them (world files, database, key bindings,
// pantheon, menus, game set-up, title screen, release check, scheduler, statistics, level-up
// and game-over screens). Until an owner lands, its entry has a minimal honest body in
// startup_links.cpp.
#pragma once
#include <array>
#include <string>

#include "platform/bitmap.h"
#include "rules/scheduler.h"
#include "rules/stand_ins.h"
#include "ui/key_bindings.h"
#include "ui/menus.h"

namespace dravok {

// World files beside the program.
bool create_game_folders();
void clear_temporary_folder();
void load_settings();
void load_statistics();
void save_statistics();
void count_game_end(bool won, uint32_t seconds_played);
void write_history_file(const std::string& path);
void load_title_pictures();
// Pantheon, menus, a new game with the kept character sheet.
bool load_avatars();
void setup_avatars(int depth);

std::string spaced_title(const std::string& text);
// The scheduler, the floating texts, the game-over dialog.
void clear_all_indicators();
void setup_game_over_dialog();

} // namespace dravok
