// The dispatch of effects to their handlers by kind: the immediate handlers that the pipeline
// runs once per use, and the per-being handlers that apply_effect runs on each affected being.
// The handler tables live in effect_dispatch.cpp, where the build checks that every kind but
// none and restoration has its handler. Called by the effect pipeline.
#pragma once
#include "records/layout_level.h"
#include "records/layout_parts.h"

namespace dravok {

// Runs the per-being handler of the effect's kind on the being; out is the record as the
// handler left it (the effect itself when the handler does not return one).
void apply_effect_to_being(const teffect& effect, int origin, int being, int depth, teffect& out);

// Whether the kind is handled once per use by an immediate handler.
bool has_immediate_handler(int kind);
// Runs the immediate handler of the effect's kind for the acting being. `origin` is the origin
// index and `first` the first being in the effect's cells (some handlers work on them).
void run_immediate_handler(int being, teffect& effect, int origin, int first, int depth);

// Damage of the effect to the furniture on (x, y), a cell without a being; out as above.
void run_furniture_damage(int origin, int x, int y, const teffect& effect, int depth, teffect& out);

} // namespace dravok
