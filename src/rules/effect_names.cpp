// Effect names. Until the effect messages land an effect is named by what it is.
#include "rules/effect_names.h"

namespace dravok {

void get_effect_source_name(const teffect&, std::string& out) { out = "effect"; }

} // namespace dravok
