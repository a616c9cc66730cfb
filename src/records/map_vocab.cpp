#include "records/map_vocab.h"

#include "records/vocabulary.h"

namespace dravok {

namespace {

// The identifiers are the content vocabulary's own lists; this unit adds what follows them.
template <std::size_t N, std::size_t A, std::size_t B>
constexpr std::array<std::string_view, N> joined(const std::array<std::string_view, A>& a,
                                                 const std::array<std::string_view, B>& b) {
    static_assert(A + B == N);
    std::array<std::string_view, N> out{};
    for (std::size_t i = 0; i < A; ++i)
        out[i] = a[i];
    for (std::size_t i = 0; i < B; ++i)
        out[A + i] = b[i];
    return out;
}

} // namespace

// The display names that follow the identifiers (index 61 on).
constexpr std::array<std::string_view, 61> display_part = {
    "-",          "stairs down",     "stairs up",    "teleporter",  "torch",        "candelabrum",
    "brazier",    "campfire",        "door",         "locked door", "cell door",    "secret door",
    "chest",      "chest",           "barrel",       "barrel",      "crate",        "crate",
    "coffin",     "sarcophagus",     "armor stand",  "armor stand", "weapon rack",  "weapon rack",
    "bookcase",   "bookcase",        "table",        "table",       "altar",        "pedestal",
    "cauldron",   "gargoyle statue", "statue",       "statue",      "statue",       "statue",
    "wall",       "switch",          "broken table", "chair",       "broken chair", "throne",
    "bed",        "broken bed",      "pillar",       "pillar",      "totem",        "rubble",
    "stalagmite", "painting",        "tapestry",     "forge",       "well",         "well",
    "basin",      "basin",           "target dummy", "target",      "crystal ball", "tube",
    "text",
};

const std::array<std::string_view, 122> furniture_names = joined<122>(vocab::furniture, display_part);

// The placement patterns that follow the zone names (index 61 on).
constexpr std::array<std::string_view, 24> pattern_part = {
    "-",         "full_area", "random",     "center",         "nest",        "wall",
    "arc",       "arc_big",   "arrow",      "corners",        "corners_big", "cross",
    "cross_big", "diamond",   "horizontal", "horizontal_big", "paired",      "ring",
    "ring_big",  "square",    "triangle",   "triangle_big",   "vertical",    "vertical_big",
};

const std::array<std::string_view, 85> vault_zone_names = joined<85>(vocab::zones, pattern_part);

} // namespace dravok
