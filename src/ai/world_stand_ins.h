// Stand-ins for world and presentation services that the light, sight and decision units call
// and whose owners have not landed on this branch yet: being removal and regeneration, charm and
// confusion ends, master links, prison cells, home areas, noted items, group matches, floating
// texts and cell animations. Each keeps its final signature and does the least that is true of
// the real one; each definition is weak, so the owner's unit replaces it when it lands.
// Callers: src/ai.
#pragma once
#include <cstdint>
#include <string_view>

#include "records/layout.h"

namespace dravok {

// Death of a being; the stand-in only takes it off the map.
void kill_being(int being, tdamage& damage, int depth);
// One regeneration step of health.
void regenerate_being(int being, int depth);
void end_charm(int being, bool release);
void end_confusion(int being);
// Drops the link to the being's master.
void release_follower(int being);
// The being looks for a master or a pack leader among the beings it sees.
void seek_master(int being, int depth);
void seek_pack_leader(int being, int depth);
// A being spawned in a prison cell that has not left it (with check_exit: and cannot step out).
bool is_confined_in_cell(int being, bool check_exit);
bool is_in_home_area(int being);
// Notes the items the being sees lying on (x, y).
void note_seen_items(int being, int x, int y);
// Blanks both AI target records and the plan state byte.
void reset_being_path(int being);
// The group test of presets: creature types, relations and template numbers.
bool being_type_matches(int being, const int* types, int count, int depth, int other);
// A floating text over a being, in the given colour (0xRRGGBB), drawn where seen.
void add_floating_text(int being, std::string_view text, uint32_t colour);
// A cell animation of the kind at (x, y).
void add_cell_animation(int x, int y, int kind, int ticks_per_frame, int repeats);
// The coin item given to a shopkeeper; the stand-in gives nothing.
void add_coins_to_being(int being, int amount, int depth);
// Coins the being carries.
int being_coins(int being);

} // namespace dravok
