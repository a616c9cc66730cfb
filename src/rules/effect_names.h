// The names effects go by: the text-section name behind each effect (its "sprite name") and the
// name used in sentences. Called by the effect messages, movement and the map-effect sentences.
#pragma once
#include <string>

#include "records/layout.h"

namespace dravok {

// The talent identifier, "<attack>_<being>[_hit]", "<item>[_spring|_activate|_hit]"; empty when
// the effect has no such name (switches, unknown beings).
std::string get_effect_sprite_name(const teffect& effect, bool with_suffix);
// The talent name, else the item type name without "wand of"/"potion of", else the kind name.
void get_effect_source_name(const teffect& effect, std::string& out);
std::string get_effect_source_name(const teffect& effect);

} // namespace dravok
