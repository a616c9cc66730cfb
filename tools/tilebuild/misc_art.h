// Procedural art of the smaller categories: splashes, cell animations, map effects, floor
// symbols, and the interface icons (abilities, skills, damage types, bars, arrows).
#pragma once
#include <string>
#include <vector>

#include "raster.h"

namespace dravok::tilebuild {

constexpr int splash_kinds = 8;
constexpr int splash_variants = 3;
constexpr int animation_rows = 19;
constexpr int animation_frames = 4;
// Four one-cell sigils, then a seal of 2 x 2 cells (its quarters row by row).
constexpr int floor_symbols = 8;

timage splash_art(int kind, int variant);
timage animation_art(int row, int frame);
std::vector<timage> effect_art(int kind); // the normal image, then the fading one
timage floor_symbol_art(int index);
timage interface_icon_art(int entry); // 1..46

} // namespace dravok::tilebuild
