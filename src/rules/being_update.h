// Recomputing a being's derived values (current abilities, skills, resistances, health and
// stamina maxima) from its base values, statuses, items and lasting effects.
#pragma once

namespace dravok {

// The full recomputation; does nothing for a being failing is_being_ok.
void update_being(int being, int depth);

} // namespace dravok
