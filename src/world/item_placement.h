// The two kinds of item list: the level's items (loose on a cell or held by its furniture) and
// each being's items. Adding with stack merging, removing, amounts and coins, carried weight,
// the cell's item counts and shown item, dropping everything at death, and the level passes over
// corpses and bones. Called by item creation's callers, beings, actions, effects and level set-up.
#pragma once
#include <cstdint>
#include <vector>

#include "records/layout_dice.h"
#include "records/layout_item.h"

namespace dravok {

// The level item being walked to for looting (run time only).
extern int loot_target_item;

// The first entry of the list whose template index is 0, the list grown by growth when none is.
int first_free_slot(std::vector<titem>& list, int growth);
// The item R (or, when R's template is 0, one created from plan and amount_dice) put on (x, y);
// its index in level_items, or 0.
int add_item_to_level(int x, int y, const titem& r, int depth, const tdice& amount_dice, int plan);
void remove_item_from_level(int item, int depth);
// A copy; blank when the index is not valid.
void get_level_item(int item, int depth, titem& out);
// As add_item_to_level for the being's list; its index there, or 0.
int add_item_to_being(int being, const titem& r, int plan, int depth, const tdice& amount_dice);
void remove_item_from_being(int being, int item, int depth);
void get_being_item(int being, int item, int depth, titem& out);
void drop_all_items(int being, int depth);
void update_item_count(int being);
void update_carried_weight(int being);
int get_being_item_index(int being, int plan, int god_number, int depth);
int get_amount_of_items(int being, int plan, int god_number, int depth);
// being 0: the level's list. True when the item was used up and removed.
bool adjust_item_amount(int being, int item, int delta, int depth);
bool adjust_wealth(int being, int delta, int depth);
void combine_similar_being_items(int being, int depth);
void combine_similar_level_items(int x, int y, int depth);

// Recounts the loose items (+40) and the items inside the furniture (+42) of the cell.
void recount_cell_items(int x, int y);
void update_cell_item_shown(int x, int y, int item);
void move_level_items(int x1, int y1, int x2, int y2);

// Level passes: bones beside old armour, splashes under corpses, corpses decayed to bones.
void place_bones();
void place_level_item_splashes();
void decay_corpses(int depth);

// An evil being's holy item damage becomes necrotic; any other being's necrotic becomes holy.
void holy_to_necrotic_items(int being);
void necrotic_to_holy_items(int being);

void clear_item_animation_marks();
int find_item_by_marks(uint32_t low1, uint32_t high1, uint32_t low2, uint32_t high2);

} // namespace dravok
