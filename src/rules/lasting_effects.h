// Lasting effects: the list duration_effects of effects that outlive their action, storing and
// refreshing them, the upkeep (periodic ticks, fading, expiry), re-applying a being's effects
// when its statistics are recomputed and removing effects when a being dies. Called by the
// effect pipeline and handlers, the scheduler, update_being, kill_being and the level code.
#pragma once
#include "records/layout_parts.h"
#include "rules/map_effects.h"

namespace dravok {

constexpr int duration_effects_growth = 50;

// Stores the effect (or refreshes an equal live one); the slot index, 0 when not stored.
int add_duration_effect(const teffect& effect, int depth);
// The first slot >= start matching every non-zero criterion; 0 when none.
int find_duration_effect(int start, int target_being, int origin_being, int source, int action_kind,
                         int talent);
// Same kind, shape, target, aim, period and sub-type.
bool effects_equal(const teffect& a, const teffect& b);
// The upkeep: periodic ticks, fading and expiry of every stored effect.
void update_duration_effects(int depth);
// Applies the being's lasting effects again after its statistics were reset.
void update_duration_effects_on_being(int being, int depth);
// Blanks the being's lasting effects of the kind (0: any); no end sentence.
void remove_target_being_effects(int being, int kind, int depth);
void remove_origin_being_from_effects(int being, int depth);

} // namespace dravok
