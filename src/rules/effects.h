// The effect pipeline: every talent, item use or hit, natural attack with a hit effect, trap and
// switch reaches the world through handle_effect, which aims, charges, tells, rolls and then
// runs the effect at once or stores it as a lasting effect; apply_effect runs an effect on the
// beings it reaches. Also the sentence buffer of the current action. Called by talents, items,
// melee and ranged attacks, traps, switches, the target mode, creatures and the lasting effects.
#pragma once
#include <cstdint>
#include <string>

#include "records/layout_parts.h"

namespace dravok {

// The sentence being built for the current action; the pipeline flushes it to the log.
extern std::string message_text;
extern uint32_t next_effect_time; // 0 = none due
extern bool effects_changed;
// The effect the player is aiming in the target mode (what it aims is targeting's target_action_kind).
extern teffect target_effect;

// One use of an effect by the acting being; the caller's record is not changed.
void handle_effect(int being, teffect effect, int depth);
// Runs the effect once on its target being or on every being in its cells; out is the record
// as the handlers left it.
void apply_effect(const teffect& effect, int depth, teffect& out);
// Sets, at level 1, each status flagged in the talent's on-use list.
void apply_talent_statuses(int being, int talent);
// Whether the effect would harm the being; with duration_index >= 1 the stored lasting effect of
// that index is judged instead.
bool effect_harmful_for_being(int being, const teffect& effect, int duration_index, int depth);
// The being on the first listed cell that holds one; 0 when none.
int get_first_being_in_effect(const teffect& effect);
bool is_being_in_target_effect(int being);
bool is_effect_seen_by(int being, const teffect& effect);
// A flicked switch at (x, y): an effect of the given kind from the switch, run for the being.
void handle_furniture_effect(int being, int x, int y, int kind, int depth);

} // namespace dravok
