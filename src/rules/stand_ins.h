// Stand-ins for world services that other branches are building now (regeneration, being
// control, deaths, checks, map features, items, key history, history). Each is the smallest
// honest version the turn engine needs; an entry goes as soon as its owner lands.
// Used by the scheduler, the key entry, the main commands and movement.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/layout.h"

namespace dravok {

// ---- beings ----
void regenerate_being(int being, int depth);
void stop_on_hostiles(int being, bool hostiles_seen);
void stop_resting(int being);
void end_possession(int being);
void check_animated_and_summoned(int master, int depth);
int ability_check_roll(int being, int ability, int difficulty, bool take_best);
// Rolls the skill check; true when the being's skill and roll reach the difficulty.
bool skill_check_roll(int being, int skill, int difficulty);
void statues_to_beings(int revealer, int area, int chance, int depth);

// ---- key history, pictures, history ----
void record_key_history(int key, int modifier, int command);
void take_screenshot();
void save_map_image();
void add_history(std::string_view text);

// ---- map features, items, levels ----
void smear_splashes(int being, int x, int y, int depth);
void add_splash(int x, int y, int being, int damage, int kind, int direction);
void get_cell_text(int x, int y, bool once, std::string& out);
void autopick_items(int being, int x, int y, std::string& out, int depth);
void spring_trap(int being, int x, int y, int depth);
void handle_sentient_item_oneliners(int being, int depth);
void check_ammunition(int being, int depth);
void switch_ammunition(int being, int depth);
bool carries_item_with_effect(int being, int effect_kind);
// The next cell worth exploring as x + 65536 y; 0 when none.
uint32_t find_explore_target();
// The text of an area's discovery text id.
std::string area_discovery_text(int area);

} // namespace dravok
