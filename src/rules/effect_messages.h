// The sentences of effects: the opening sentence when an effect is used and the ending sentence
// when a lasting effect runs out, from the text database when it has a section for the effect,
// else built from the source. Called by the effect pipeline and the lasting-effect upkeep.
#pragma once
#include <string>

#include "records/layout_parts.h"

namespace dravok {

// The opening sentence with its colour code first; empty when there is nothing to tell.
std::string compose_effect_message(const teffect& effect);
// Adds the ending sentence of a lasting effect to the message log.
void compose_effect_end_message(const teffect& effect);

} // namespace dravok
