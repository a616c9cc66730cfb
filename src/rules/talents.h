// Talents: using the last talent again on the marked target. Called by the main commands.
#pragma once

namespace dravok {

void repeat_talent(int being, int depth);

} // namespace dravok
