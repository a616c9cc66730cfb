// Talents: using the last talent again on the marked target. Called by the main commands.
#pragma once

#include "records/layout.h"

namespace dravok {

void repeat_talent(int being, int depth);
// Whether the being has the stamina the talent costs (report: tell the player when not).
bool has_stamina_for_talent(int being, int talent, bool report);
// Uses the talent; a blank effect means the talent's own.
bool use_talent(int being, int talent, const teffect& effect, int depth);

} // namespace dravok
