// Checks on a single being: whether it is still held in a prison cell, whether it stands in its
// home area, and whether it belongs to a group of creature types. Called by sight, the
// attitude presets and the decision chain.
#pragma once

namespace dravok {

// A being spawned in a prison cell that has not left it (with check_exit: and cannot step out).
bool is_confined_in_cell(int being, bool check_exit);
bool is_in_home_area(int being);
// The group test of presets: creature types, relations and template numbers.
bool being_type_matches(int being, const int* types, int count, int depth, int other);

// A d20 ability check: the roll plus the being's ability modifier less the difficulty.
int ability_check_roll(int being, int ability, int difficulty, bool take_best);
// Statues in the area may come alive when the revealer enters.
void statues_to_beings(int revealer, int area, int chance, int depth);
// Up to `most` statues and mimics of the area within range of the revealer may come alive.
void reveal_statues_and_mimics(int revealer, int area, int chance, int depth, int most, int range);

} // namespace dravok
