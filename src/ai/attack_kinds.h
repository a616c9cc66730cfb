// A creature's choice of an attack spell or a carried device: a draw over the kinds of attack
// that make sense against the target (raise the dead, summon, poison, hold, harm, banish).
// Called by the attack decision.
#pragma once

namespace dravok {

// Whether the being may call up another servant: fewer than two summoned or raised ones, itself
// neither, not during the catch-up replay, and stronger than half again their health.
bool may_summon(int being);
// The attack talent to use on the target (its aim kept in the talent record); 0 when none.
int ai_get_attack_spell(int being, int target);
// The carried device to use on the target (its aim kept in the item's x and y); 0 when none.
int ai_get_attack_device(int being, int target);

} // namespace dravok
