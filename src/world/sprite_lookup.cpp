#include "world/sprite_lookup.h"

#include <algorithm>
#include <array>
#include <vector>

namespace dravok {

namespace {
// Entries by category and entry number: creatures and items ask here for every being and item
// made, so the look-up is an index, not a search.
constexpr int sprite_categories = 11;
std::array<std::vector<tsprite_info>, sprite_categories + 1>& table() {
    static std::array<std::vector<tsprite_info>, sprite_categories + 1> t;
    return t;
}
} // namespace

tsprite_info sprite_info(int category, int entry) {
    if (category < 0 || category > sprite_categories || entry < 0) return {};
    const std::vector<tsprite_info>& entries = table()[category];
    return entry < static_cast<int>(entries.size()) ? entries[entry] : tsprite_info{};
}

void set_sprite_info(int category, int entry, tsprite_info info) {
    if (category < 0 || category > sprite_categories || entry < 0) return;
    std::vector<tsprite_info>& entries = table()[category];
    if (entry >= static_cast<int>(entries.size())) entries.resize(entry + 1);
    entries[entry] = info;
}

void clear_sprite_infos() {
    for (std::vector<tsprite_info>& entries : table())
        entries.clear();
}

namespace {
constexpr int shaded_categories = 8, light_runs = 5;
// Effects are drawn in the brightest light, whatever lights their cells.
constexpr int brightest_light = 3;
int light_offsets[shaded_categories + 1][light_runs + 1] = {};

bool has_dark_run(int category) {
    return category == sprites_terrain || category == sprites_furniture;
}
} // namespace

int light_offset(int category, int light) {
    if (category < 1 || category > shaded_categories) return 0;
    const int run = has_dark_run(category) ? light + 1 : std::max(light, 1);
    return run >= 1 && run <= light_runs ? light_offsets[category][run] : 0;
}

void set_light_offset(int category, int run, int offset) {
    if (category >= 1 && category <= shaded_categories && run >= 1 && run <= light_runs)
        light_offsets[category][run] = offset;
}

int shaded_sprite(int category, int sprite, int light) {
    return sprite == 0 ? 0 : sprite + light_offset(category, light);
}

uint16_t effect_sprite_image(int entry) {
    const int first = sprite_info(sprites_effect, entry).first_image;
    if (first == 0) return 0;
    return uint16_t(first + light_offset(sprites_effect, brightest_light));
}

} // namespace dravok
