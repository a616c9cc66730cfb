// The effect pipeline's shared state: the text buffer of the current action, the time of the
// next due lasting effect and the flag that lasting effects changed. Read by the scheduler.
#pragma once
#include <cstdint>
#include <string>

namespace dravok {

extern std::string message_text;
extern uint32_t next_effect_time; // 0 = none due
extern bool effects_changed;

} // namespace dravok
