// The names effects go by: the text-section name behind each effect (its "sprite name") and the
// name used in sentences and in target mode. Called by the effect messages, movement, the
// map-effect sentences and the target-mode hints.
#pragma once
#include <string>

#include "records/layout_parts.h"

namespace dravok {

// The talent identifier, "<attack>_<being>[_hit]", "<item>[_spring|_activate|_hit]"; empty when
// the effect has no such name (switches, unknown beings).
std::string get_effect_sprite_name(const teffect& effect, bool with_suffix);
// The talent name, else the item type name without "wand of"/"potion of", else the kind name.
void get_effect_source_name(const teffect& effect, std::string& out);
std::string get_effect_source_name(const teffect& effect);
// What target mode says is being aimed: the used item's name ("a wand of fire") for an item use,
// the talent's name for a talent use; empty otherwise.
std::string get_effect_name_for_target_mode(int being, const teffect& effect);

} // namespace dravok
