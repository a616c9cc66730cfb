// Bitmap: the off-screen canvas every frame, panel, sprite and picture is drawn on. A 32-bit
// surface with a pen (colour, width 1 or 2), a brush (colour or clear) and a font, offering the
// shapes, text and copies the renderer needs. Shapes go through SDL2_gfx on a software renderer,
// text through SDL_ttf; copies are plain pixel copies.
//
// Conventions: colours are 0xRRGGBB (colour.h); rectangles exclude their right and bottom edge;
// text is Windows-1252; everything is clipped to the bitmap and to its clip rectangle.
// Shapes outline with the pen and fill with the brush; a clear brush leaves the inside alone.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/colour.h"
#include "platform/fonts.h"
#include "platform/geometry.h"

struct SDL_Surface;
struct SDL_Renderer;

namespace dravok {

enum class BrushStyle { solid, clear };

class Bitmap {
  public:
    Bitmap() = default;
    Bitmap(int width, int height);
    ~Bitmap();
    Bitmap(const Bitmap& other); // a deep copy of pixels, pen, brush and font
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;

    // New size; the contents become black. A size of 0 frees the pixels.
    void set_size(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }
    Rect bounds() const { return Rect{0, 0, width_, height_}; }

    // --- pixels: one uint32 per pixel, 0x??RRGGBB (the top byte means nothing) ---
    Colour pixel(int x, int y) const; // black outside the bitmap
    void set_pixel(int x, int y, Colour c);
    uint32_t* row(int y);
    const uint32_t* row(int y) const;

    // --- drawing state ---
    void set_pen(Colour colour, int width = 1);
    Colour pen_colour() const { return pen_colour_; }
    int pen_width() const { return pen_width_; }
    void set_brush(Colour colour) {
        brush_colour_ = colour;
        brush_style_ = BrushStyle::solid;
    }
    void set_brush_style(BrushStyle style) { brush_style_ = style; }
    void set_brush_clear() { brush_style_ = BrushStyle::clear; }
    Colour brush_colour() const { return brush_colour_; }
    BrushStyle brush_style() const { return brush_style_; }
    void set_font(const FontSpec& font) { font_ = font; }
    const FontSpec& font() const { return font_; }
    void set_font_colour(Colour c) { font_.colour = c; }
    void set_font_height(int h) { font_.height = h; }
    void set_font_bold(bool b) { font_.bold = b; }
    void set_font_family(std::string_view family) { font_.family = std::string(family); }
    // Drawing outside the clip rectangle leaves the pixels alone; the whole bitmap by default.
    void set_clip(const Rect& r);
    void clear_clip();
    Rect clip() const { return clip_; }

    // --- shapes ---
    void clear(Colour c = colours::black); // whole bitmap, ignoring the clip
    void fill_rect(const Rect& r, Colour c);
    void fill_rect(const Rect& r);             // with the brush; nothing when it is clear
    void frame_rect(const Rect& r, Colour c);  // one-pixel frame just inside r
    void rectangle(const Rect& r);             // pen frame inside r, brush inside the frame
    void line(int x1, int y1, int x2, int y2); // pen, both end points drawn
    void move_to(int x, int y);
    void line_to(int x, int y);  // pen, from the current point; the end point is not drawn
    void ellipse(const Rect& r); // inscribed in r
    void polygon(std::span<const Point> points);
    void round_rect(const Rect& r, int corner_width, int corner_height);

    // --- text (Windows-1252) ---
    // Draws at (x, y) (top-left of the text cell) in the font colour; with a solid brush the
    // text's box is first filled with the brush colour.
    void text_out(int x, int y, std::string_view text);
    Size text_extent(std::string_view text) const;
    int text_width(std::string_view text) const { return text_extent(text).width; }
    int text_height(std::string_view text) const { return text_extent(text).height; }

    // --- copies ---
    // Transparent drawing: draw() and stretch_draw() leave the destination where the source has
    // the transparent colour, while this flag is on.
    void set_transparent(bool on, Colour key = colours::white) {
        transparent_ = on;
        transparent_colour_ = key;
    }
    bool transparent() const { return transparent_; }
    Colour transparent_colour() const { return transparent_colour_; }

    // The whole source at (x, y), transparent when the source says so.
    void draw(int x, int y, const Bitmap& src);
    // The whole source stretched over dest (nearest pixel), transparent when the source says so.
    void stretch_draw(const Rect& dest, const Bitmap& src);
    // Part of the source onto part of this bitmap, opaque; stretched (nearest) when sizes differ.
    void copy_rect(const Rect& dest, const Bitmap& src, const Rect& src_rect);
    // The source at (x, y) leaving out every pixel of the key colour.
    void draw_transparent(int x, int y, const Bitmap& src, Colour key);
    void draw_transparent(const Rect& dest, const Bitmap& src, const Rect& src_rect, Colour key);

    // Every pixel becomes grey: clamp(round((0.11 blue + 0.59 green + 0.3 red) * factor)).
    void greyscale(double factor = 1.0);

    // For the platform's own units (window, PNG files): the SDL surface, format XRGB8888.
    SDL_Surface* surface() const { return surface_; }

  private:
    SDL_Renderer* renderer();
    void release();
    void copy_state_from(const Bitmap& o);
    void blit(const Rect& dest, const Bitmap& src, const Rect& src_rect, bool keyed, Colour key);
    bool pen_visible() const { return pen_width_ > 0; }

    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    Rect clip_{};
    Colour pen_colour_ = colours::black;
    int pen_width_ = 1;
    Point pen_pos_{};
    Colour brush_colour_ = colours::white;
    BrushStyle brush_style_ = BrushStyle::solid;
    FontSpec font_{};
    bool transparent_ = false;
    Colour transparent_colour_ = colours::white;
};

} // namespace dravok
