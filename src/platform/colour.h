// Colours of the game: one 32-bit value 0x00RRGGBB (red in bits 16..23, blue in bits 0..7),
// the order in which the game's colour tables are written ("#FF3030" is 0xFF3030).
// Used by every drawing call of the platform layer (bitmap, image list) and by the renderer.
#pragma once
#include <cstdint>

namespace dravok {

using Colour = uint32_t;

constexpr Colour rgb(int r, int g, int b) {
    return (static_cast<Colour>(r & 0xFF) << 16) | (static_cast<Colour>(g & 0xFF) << 8) |
           static_cast<Colour>(b & 0xFF);
}
constexpr int red_of(Colour c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int green_of(Colour c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blue_of(Colour c) {
    return static_cast<int>(c & 0xFF);
}

// A Windows-order value (0x00BBGGRR) turned into ours, and back: the same swap both ways.
constexpr Colour swap_red_blue(Colour c) {
    return rgb(blue_of(c), green_of(c), red_of(c));
}

namespace colours {
constexpr Colour black = 0x000000;
constexpr Colour white = 0xFFFFFF;
constexpr Colour red = 0xFF0000;
constexpr Colour lime = 0x00FF00;
constexpr Colour blue = 0x0000FF;
constexpr Colour yellow = 0xFFFF00;
constexpr Colour aqua = 0x00FFFF;
constexpr Colour fuchsia = 0xFF00FF;
constexpr Colour grey = 0x808080;
constexpr Colour silver = 0xC0C0C0;
} // namespace colours

} // namespace dravok
