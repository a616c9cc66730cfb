// Melee attacks. Until combat lands an attack is only the time it takes.
#include "rules/melee.h"

#include "rules/action_time.h"
#include "rules/stand_ins.h"

namespace dravok {

void melee_attack(int attacker, int defender, int, int depth) {
    if (!is_being_ok(attacker, depth) || !is_being_ok(defender, depth)) return;
    spend_time(attacker, action_time(attacker, 15));
}

} // namespace dravok
