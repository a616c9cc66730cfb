// A game begun deeper down, for the soak: the new character gets the strength a player would
// have by then (levels, healing potions, gear of that depth) and is carried to the level the
// way stairs carry it. The bot then saves and loads, so the deep game goes on from a loaded save.
#pragma once
#include <cstdint>

namespace dravok::testing {

// The level the start carries the character to: a dungeon level, entered by its stairs up; the
// hub or the trading level, entered beside the shallowest gate to the hub, for the bot to step
// into. False when the content has no way in to that level or the level could not be entered.
bool begin_at_depth(int level_index, uint32_t seed);

// The index of the hub level (0 when the content has none), and whether a level is the hub or
// a level reached only from it.
int hub_level_index();
bool beyond_the_hub(int level_index);

// The portal on the current level, standing at (x, y); 0 when none.
int portal_at(int x, int y);
// The level a portal leads to; 0 when it leads nowhere.
int portal_destination_level(int portal);

} // namespace dravok::testing
