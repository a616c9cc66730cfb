// The vocabularies of the map grid: furniture identifiers and display names, vault zone names
// followed by the placement patterns (the block kinds are vocabulary.h's `blocks`). Read by
// the content tools, the generator, the descriptions and the map routines.
#pragma once
#include <array>
#include <string_view>

namespace dravok {

// 0 "-", 1..60 identifiers, 61 "-", 62..121 display names (display name of kind k at 61 + k).
extern const std::array<std::string_view, 122> furniture_names;
// 0 "-", 1..60 vault zones, 61 "-", 62..84 placement patterns (pattern p at 61 + p).
extern const std::array<std::string_view, 85> vault_zone_names;

inline std::string_view furniture_display_name(int kind) {
    return kind >= 1 && kind <= 60 ? furniture_names[61 + kind] : furniture_names[0];
}

} // namespace dravok
