// Looting, portals, displacing, picking up, weapon sets, yelling and resting: the actions the
// player's commands and bumps lead to. Called by the main commands, the bump actions and the AI.
#pragma once

namespace dravok {

void loot_container(int being, int direction, bool confirmed, int depth, bool trap_dialog_done);
void bump_portal(int being, int direction);
// Takes the being through the stairs or teleporter one step away in the direction.
void handle_portal(int being, int direction, int depth);
void bump_friendly(int being, int other);
// Swaps places with a friendly being, spending time; true when done.
bool displace_being(int being, int other);
void displace_hostile_being(int being, int other);
void fire_ranged(int being, int command);
// The index of the picked-up item, 0 on failure.
int get_item(int being, int item, int depth);
void swap_weapons(int being);
void yell(int being);
void rest_until_healed(int being);

} // namespace dravok
