// Creature attacks: choosing a target among the hated beings, the best way to hurt it (chase,
// a step for a line of fire, melee, a shot, a spell, a device, swapping weapons, keeping its
// distance) and doing it; and readying the ranged weapon set when calm. Called by the decision
// chain.
#pragma once
#include "records/layout_parts.h"

namespace dravok {

bool ai_attack(int being);
// The plan for attacking the target: 0 (none), 7 chase, 8 line of fire, 9 melee, 10 ranged,
// 11 talent, 12 swap weapons, 14 avoid, 16 device (the effect of the talent or device aimed in
// target_effect). entry is the being's attitude entry about the target.
int ai_target_ok_for_attack(int being, int target, const temotion& entry, bool afraid);
int ai_try_chase_target(int being, int target, const temotion& entry);
int ai_try_move_for_lof(int being, int target, int min_range, int range);
bool ai_keep_distance(int being, int target, int range);
bool ai_check_weapon_set(int being);
// The being would throw the melee weapon in its hand (its second, ranged mode) at a foe in
// range: it holds no ready ranged weapon, and its other set keeps a melee weapon.
bool throws_by_second_ranged_mode(int being);
// A free cell next to the being, one it could step to.
bool has_free_neighbour_cell(int being);

} // namespace dravok
