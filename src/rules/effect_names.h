// The names effects go by in sentences. Called by movement and the effect messages.
#pragma once
#include <string>

namespace dravok {

struct teffect;
// The talent name, else the item type name without "wand of"/"potion of", else the kind name.
void get_effect_source_name(const teffect& effect, std::string& out);

} // namespace dravok
