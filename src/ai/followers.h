// Followers, items, talents and hostility in the decision chain: turning hostile, using
// talents and items, picking items up, following masters and teleporter users. Called by the
// decision chain and by the rules (hostility).
#pragma once

namespace dravok {

void ai_get_hostile(int being, int depth);
void ai_get_hostile_on_home_trespassers(int being, int depth);
bool ai_use_protection_talent(int being);
bool ai_use_utility_talent(int being);
bool ai_use_item(int being);
bool ai_pick_item(int being);
bool ai_follow_teleport(int being);
bool ai_follower(int being);

} // namespace dravok
