// Creating an item from its template: the creation limits, the rolls of its modifiers and
// charges, its picture, the enchantment by depth, and its full name and value. Called by item
// placement, beings' kits, shops, corpses, summoning and the effect handlers.
#pragma once
#include <array>
#include <cstdint>

#include "records/layout_dice.h"
#include "records/layout_item.h"

namespace dravok {

// Set by the content placement while it furnishes an area, 0 otherwise.
extern int enchant_depth_bonus;
extern int enchant_min_level;
// Set by the content placement while it furnishes an area, 0 otherwise: the beings its rows
// create get that much more enchantment in their kits.
extern int content_creature_bonus;
// Set while a being's kit is created, 0 otherwise.
extern int owner_enchant_bonus;
// The highest rollable level, then the per-mille chances of levels 1..5.
extern std::array<uint16_t, 6> enchantment_chance_table;

// Fills out from template plan with the amount rolled from amount_dice; a record whose template
// index stays 0 means nothing was created.
void create_item(int plan, const tdice& amount_dice, int depth, titem& out);
void enchantment_chances(int category, int value);

} // namespace dravok
