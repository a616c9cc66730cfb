// The items beings choose: the random choice of item templates from an item group, the starting
// kit of a new being, its item interests (wishes), the automatic pick-up of the player's being
// and the items a being drops when it no longer needs them.
// Called by being creation, the content placement, movement, looting and the AI.
#pragma once
#include <initializer_list>
#include <string>

namespace dravok {

// Numbers the templates that fit the group 1..n (reset: their pick counts start again); n.
int choose_random_item_plans(int group, bool reset, int max_picks, bool restrict_kit);
// As choose_random_item_plans without the depth bounds, for a kit made outside any level (the
// gods' at the first start): depths keep templates out of a level's rows, not out of a god's kit.
int choose_random_item_plans_at_any_depth(int group, bool reset, int max_picks);
// One of the templates numbered by the last choice (n of them); 0 when none.
int pick_random_item_plan(int count);
void add_equipment_to_being(int being, int depth);
void update_item_interests(int being, int depth);
// Takes the wished items on (x, y) for the player's being; out: what was taken, for a loot view.
void autopick_items(int being, int x, int y, std::string& out, int depth);
// The most valuable carried item whose activation effect is of the kind and that matches the
// signed flags (empty: any); 0 when none.
int get_being_item_index_with_effect(int being, int kind, std::initializer_list<int> flags, int depth);
// Whether anything was dropped.
bool drop_unneeded_items(int being, bool destroy, int depth);

} // namespace dravok
