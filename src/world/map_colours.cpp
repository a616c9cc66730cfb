// Map colours; see map_colours.h.
#include "world/map_colours.h"

#include <string_view>

#include "records/vocabulary.h"

namespace dravok {

namespace {

struct thue {
    std::string_view word;
    Colour colour;
};

constexpr thue hues[] = {
    {"blue", 0x3050A0}, {"brown", 0x7A5030},  {"gold", 0xB09030}, {"green", 0x407A30},
    {"grey", 0x787878}, {"purple", 0x704890}, {"red", 0x903030},  {"turquoise", 0x30908C},
    {"sand", 0xB0A070}, {"wood", 0x8A6038},
};
constexpr int last_wall_block = 40, last_block = 90;

Colour scaled(Colour c, int percent) {
    auto part = [&](int v) { return v * percent / 100 > 255 ? 255 : v * percent / 100; };
    return rgb(part(red_of(c)), part(green_of(c)), part(blue_of(c)));
}

Colour hue_of(std::string_view identifier) {
    for (const thue& h : hues)
        if (identifier.find(h.word) != std::string_view::npos) return h.colour;
    return colours::grey;
}

} // namespace

Colour block_map_colour(int block) {
    if (block < 1 || block > last_block || vocab::blocks[block] == "-") return 0;
    const std::string_view id = vocab::blocks[block];
    if (block <= last_wall_block) return scaled(hue_of(id), 60);
    return scaled(hue_of(id), id.ends_with("_light") ? 170 : 130);
}

Colour furniture_map_colour(int furniture) {
    if (furniture < 1 || furniture >= static_cast<int>(vocab::furniture.size())) return 0;
    const std::string_view id = vocab::furniture[furniture];
    if (id.starts_with("fu_stairs")) return colours::yellow;
    if (id == "fu_teleporter") return colours::fuchsia;
    if (id.starts_with("fu_door")) return 0x8B5A2B;
    if (id.starts_with("fu_light")) return 0xFFA040;
    return 0;
}

} // namespace dravok
