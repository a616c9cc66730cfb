// The creature decision chain: one turn of a being that the player does not command (expiries,
// sight and courage, the master link, hostility, then the ordered attempts; the tail books the
// time and lets idle beings grow sleepy), the AI plans, and the replay of missed turns when the
// player returns to a level. Called by the round scheduler and by level arrival.
#pragma once
#include <array>
#include <cstdint>

#include "records/layout_being.h"

namespace dravok {

// Names of plans 1..18 (entry 0 empty).
extern const std::array<const char*, ai_plan_count + 1> ai_plan_names;
// The plan a walk sets for path purposes 0..13; 0 leaves the plan unchanged.
extern const std::array<uint8_t, 14> plan_for_path_purpose;

// One creature turn; always books the being's next_action_time.
void ai_act(int being, int depth);
void set_ai_plan(int being, int plan, int x, int target_being, int area, int y);

} // namespace dravok
