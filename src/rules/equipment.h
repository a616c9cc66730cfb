// Equipment and weapon sets: which carried item may go into which of a being's 17 slots,
// putting items on and taking them off, the choice of a being's weapons and worn items, the
// ammunition in the quiver, and the figures of a weapon set that combat reads.
// Called by update_being, item placement, being creation, the list screens, quickslots and the AI.
#pragma once
#include <initializer_list>

#include "records/layout_item.h"
#include "records/layout_parts.h"

namespace dravok {

constexpr int set_1_main_hand = 13, set_2_main_hand = 15;
// The wish byte that stands for "wants a shield" or "wants a ranged weapon".
constexpr int arrows_wanted_below = 30;

// 13 <-> 14, 15 <-> 16; 0 for any other slot.
int other_hand_slot(int slot);
// The ammunition flag a launcher shoots (arrow, bolt or bullet), 0 for anything else.
int launcher_ammunition_flag(const titem& launcher);

bool meets_ability_requirements(int being, const titem& item);
// The launcher and weapon half of the hand rules for a weapon-set slot.
bool weapon_set_hand_ok(int being, int slot, const titem& item);
// The two-handed half of the hand rules.
bool weapon_set_twohand_ok(int being, int slot, const titem& item);
bool item_fits_slot(int being, int item, int slot);
int count_items_for_slot(int being, int slot);
// Slot 1..17 the item goes to, or 0.
int get_equipment_slot(int being, int item, int depth);
// Puts item (0: nothing) into the slot (0: the item's own slot); true when done.
bool equip_item(int being, int item, int slot, int depth, bool no_time);
// Puts the first carried item like the one last worn in the slot back into it, or the item into
// the first empty weapon slot that last held its class.
bool auto_equip_like_item(int being, int slot, int item);
void get_next_matching_equipped_item(int being, int after_slot, const titem& like, titem& out, int depth);
// The most valuable carried item matching the signed flags (empty: any); 0 when none.
int get_being_item_type(int being, std::initializer_list<int> flags, int depth, bool include_equipped);
bool equip_weapons(int being, bool melee_set, bool ranged_set, int depth, bool no_time, bool unequip_first);
// Fills the slot (0: all) with the being's best fitting carried items; whether any slot changed.
bool equip_being(int being, int slot, int depth);
// The figures of the active set (or of the other set when active is false).
void setup_weapon_set(int being, bool active, int depth, tweapon_set& out);
bool ammo_matches_launcher(int being, const titem& launcher, const titem& ammunition);
void check_ammunition(int being, int depth);
void switch_ammunition(int being, int depth);

} // namespace dravok
