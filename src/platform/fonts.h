// Fonts: the game's font names mapped to the free families shipped with the system or beside
// the program, the .ttf file look-up, and one cache of opened SDL_ttf fonts for every bitmap.
// Called by the bitmap's text drawing; the renderer only names fonts through FontSpec.
//
//   "Verdana", "Tahoma" and any unknown name -> DejaVu Sans
//   "Georgia"                                 -> DejaVu Serif
//   "Arial Narrow"                            -> Liberation Sans Narrow
//
// The .ttf files are looked for in <program folder>/Data/fonts/, <program folder>/Data/, the
// Debian font folders, and last through fontconfig (`fc-match`).
#pragma once
#include <string>
#include <string_view>

#include "platform/colour.h"

typedef struct _TTF_Font TTF_Font;
struct SDL_Surface;

namespace dravok {

// A font as the game names it. height is the character height in pixels (the sign is ignored,
// so both of the game's conventions work); `from_points` converts a point size at 96 dpi.
struct FontSpec {
    std::string family = "Tahoma";
    int height = 13;
    bool bold = false;
    Colour colour = colours::black;

    static int points_to_pixels(int points);
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The free family that stands in for a game font name ("DejaVu Sans", ...).
std::string font_family_for(std::string_view game_font);

// The path of the .ttf file for a game font name and weight; empty when none was found.
std::string font_file_for(std::string_view game_font, bool bold);

// An opened font from the cache (never freed by the caller); nullptr when no file loads.
TTF_Font* open_cached_font(std::string_view game_font, int height, bool bold);

// The text (Windows-1252) rendered in this font and colour, antialiased, with alpha; kept in a
// cache because frames draw the same texts again and again. Owned by the cache; valid until the
// next call. nullptr for an empty text or a failure.
SDL_Surface* render_text_cached(TTF_Font* font, Colour colour, std::string_view text);

// Width and height of the text (Windows-1252) in this font, cached like the rendered texts
// (word wrapping measures the same words every frame). {0, font height} for an empty text.
struct TextSize {
    int width = 0;
    int height = 0;
};
TextSize measure_text_cached(TTF_Font* font, std::string_view text);

// Closes every cached font and forgets every rendered text (at shutdown, or in tests).
void clear_font_cache();

} // namespace dravok
