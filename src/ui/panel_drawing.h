// The small pieces the panels and list screens are built from: value bars, banded bars,
// separator lines, framed icons of sprites or beings with a caption beside them. Called by the
// status, look and side panels, the list screens and the dialogs.
#pragma once
#include <span>
#include <string_view>

#include "platform/bitmap.h"

namespace dravok {

// What the image number of an icon counts: terrain, object or icon sprites, or a being's index.
enum class icon_kind { terrain = 1, object = 2, icon = 3, being = 4 };

// A bar filled from the left by value / maximum in one of the colours (empty: the first, full:
// the last), with "value / maximum" centred on it unless the text is hidden.
void draw_bar(Bitmap& bitmap, int x, int y, bool hide_text, std::span<const Colour> colours, int value,
              int maximum, int height, int width);
// A bar against the last threshold, coloured and labelled by the band the value falls in.
void draw_threshold_bar(Bitmap& bitmap, int x, int y, std::span<const int> thresholds,
                        std::span<const Colour> colours, std::span<const std::string_view> labels, int value,
                        int height, int width);
// A dim line across the bitmap at y, with the caption centred over it on black.
void draw_separator(Bitmap& bitmap, int y, int margin, std::string_view caption);
// The image stretched into (x, y, x + width, y + height), framed when the frame colour is set.
void draw_icon(Bitmap& bitmap, int x, int y, Colour frame, int image, icon_kind kind, int height, int width);
// The icon and, beside it, the marked-up text centred on its height; alignment 1 ends the block at x.
void draw_icon_with_text(Bitmap& bitmap, int x, int y, Colour frame, std::string_view text, int alignment,
                         int image, icon_kind kind, int height, int width);

} // namespace dravok
