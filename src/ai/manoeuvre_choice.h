// A creature's choice of a combat manoeuvre against its target: a charge, a sweep of blows or a
// double strike when it fights with a melee weapon, a volley or a double shot when its ranged
// weapon is ready, and a leap. Called by the attack decision.
#pragma once

namespace dravok {

// Where the target stands and what the attacker's active weapon set offers.
struct tmanoeuvre_setting {
    int distance = 0;
    bool mobile = false;
    bool holds_ranged = false, holds_melee = false, ranged_ready = false;
    int min_range = 0, max_range = 0; // the distances the ready ranged weapon reaches
};

// The combat manoeuvre talent to use on the target, the first that fits; 0 when none.
int ai_get_combat_manoeuvre(int being, int target, const tmanoeuvre_setting& s);
// A leap at a target two steps away; 0 when none.
int ai_get_leap(int being, int target, const tmanoeuvre_setting& s);

} // namespace dravok
