// The effect pipeline's shared state.
#include "rules/effects.h"

namespace dravok {

std::string message_text;
uint32_t next_effect_time = 0;
bool effects_changed = false;

} // namespace dravok
