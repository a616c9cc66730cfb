#include "platform/bitmap.h"

#include <SDL.h>
#include <SDL2_gfxPrimitives.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace dravok {

namespace {

constexpr uint32_t rgb_mask = 0x00FFFFFF;

Rect intersect(const Rect& a, const Rect& b) {
    return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

Sint16 s16(int v) {
    return static_cast<Sint16>(std::clamp(v, -32768, 32767));
}

Uint8 r8(Colour c) {
    return static_cast<Uint8>(red_of(c));
}
Uint8 g8(Colour c) {
    return static_cast<Uint8>(green_of(c));
}
Uint8 b8(Colour c) {
    return static_cast<Uint8>(blue_of(c));
}

} // namespace

Bitmap::Bitmap(int width, int height) {
    set_size(width, height);
}

Bitmap::~Bitmap() {
    release();
}

Bitmap::Bitmap(const Bitmap& other) {
    *this = other;
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this == &other) return *this;
    set_size(other.width_, other.height_);
    for (int y = 0; y < height_; ++y)
        std::memcpy(row(y), other.row(y), static_cast<std::size_t>(width_) * 4);
    copy_state_from(other);
    return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept {
    *this = std::move(other);
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this == &other) return *this;
    release();
    surface_ = other.surface_;
    renderer_ = other.renderer_;
    width_ = other.width_;
    height_ = other.height_;
    copy_state_from(other);
    other.surface_ = nullptr;
    other.renderer_ = nullptr;
    other.width_ = other.height_ = 0;
    other.clip_ = Rect{};
    return *this;
}

void Bitmap::copy_state_from(const Bitmap& o) {
    clip_ = o.clip_;
    pen_colour_ = o.pen_colour_;
    pen_width_ = o.pen_width_;
    pen_pos_ = o.pen_pos_;
    brush_colour_ = o.brush_colour_;
    brush_style_ = o.brush_style_;
    font_ = o.font_;
    transparent_ = o.transparent_;
    transparent_colour_ = o.transparent_colour_;
}

void Bitmap::release() {
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (surface_) {
        // The pixels are the bitmap's own (see set_size): the surface only borrows them.
        void* pixels = surface_->pixels;
        SDL_FreeSurface(surface_);
        std::free(pixels);
    }
    renderer_ = nullptr;
    surface_ = nullptr;
}

void Bitmap::set_size(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (surface_ && width == width_ && height == height_) {
        clear(colours::black);
        clip_ = bounds();
        return;
    }
    release();
    width_ = width;
    height_ = height;
    clip_ = bounds();
    if (width == 0 || height == 0) return;
    // Zeroed memory of our own, which is black already: the system hands out a large block's
    // pages as they are first written, so a layer that is never drawn on costs nothing.
    const std::size_t pitch = std::size_t(width) * 4;
    void* pixels = std::calloc(std::size_t(height), pitch);
    surface_ = pixels ? SDL_CreateRGBSurfaceWithFormatFrom(pixels, width, height, 32, int(pitch),
                                                           SDL_PIXELFORMAT_RGB888)
                      : nullptr;
    if (!surface_) {
        std::free(pixels);
        width_ = height_ = 0;
        clip_ = Rect{};
        return;
    }
    SDL_SetSurfaceBlendMode(surface_, SDL_BLENDMODE_NONE);
}

uint32_t* Bitmap::row(int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface_->pixels) +
                                       static_cast<std::ptrdiff_t>(y) * surface_->pitch);
}

const uint32_t* Bitmap::row(int y) const {
    return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface_->pixels) +
                                             static_cast<std::ptrdiff_t>(y) * surface_->pitch);
}

Colour Bitmap::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return colours::black;
    return row(y)[x] & rgb_mask;
}

void Bitmap::set_pixel(int x, int y, Colour c) {
    if (!clip_.contains(x, y)) return;
    row(y)[x] = c & rgb_mask;
}

void Bitmap::set_pen(Colour colour, int width) {
    pen_colour_ = colour;
    pen_width_ = std::clamp(width, 0, 2);
}

void Bitmap::set_clip(const Rect& r) {
    clip_ = intersect(r, bounds());
    if (clip_.empty()) clip_ = Rect{};
    if (renderer_) {
        SDL_Rect c{clip_.left, clip_.top, clip_.width(), clip_.height()};
        SDL_RenderSetClipRect(renderer_, &c);
    }
}

void Bitmap::clear_clip() {
    set_clip(bounds());
}

SDL_Renderer* Bitmap::renderer() {
    if (!surface_) return nullptr;
    if (!renderer_) {
        renderer_ = SDL_CreateSoftwareRenderer(surface_);
        if (!renderer_) return nullptr;
        SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
        SDL_Rect c{clip_.left, clip_.top, clip_.width(), clip_.height()};
        SDL_RenderSetClipRect(renderer_, &c);
    }
    return renderer_;
}

void Bitmap::clear(Colour c) {
    for (int y = 0; y < height_; ++y)
        std::fill_n(row(y), width_, c & rgb_mask);
}

void Bitmap::fill_rect(const Rect& r, Colour c) {
    Rect a = intersect(r, clip_);
    if (a.empty()) return;
    for (int y = a.top; y < a.bottom; ++y)
        std::fill_n(row(y) + a.left, a.width(), c & rgb_mask);
}

void Bitmap::fill_rect(const Rect& r) {
    if (brush_style_ == BrushStyle::solid) fill_rect(r, brush_colour_);
}

void Bitmap::frame_rect(const Rect& r, Colour c) {
    if (r.empty()) return;
    fill_rect(Rect{r.left, r.top, r.right, r.top + 1}, c);
    fill_rect(Rect{r.left, r.bottom - 1, r.right, r.bottom}, c);
    fill_rect(Rect{r.left, r.top, r.left + 1, r.bottom}, c);
    fill_rect(Rect{r.right - 1, r.top, r.right, r.bottom}, c);
}

void Bitmap::rectangle(const Rect& r) {
    if (r.empty()) return;
    int pw = pen_width_;
    fill_rect(Rect{r.left + pw, r.top + pw, r.right - pw, r.bottom - pw});
    for (int k = 0; k < pw; ++k)
        frame_rect(Rect{r.left + k, r.top + k, r.right - k, r.bottom - k}, pen_colour_);
}

void Bitmap::line(int x1, int y1, int x2, int y2) {
    if (!pen_visible()) return;
    SDL_Renderer* rr = renderer();
    if (!rr) return;
    Colour c = pen_colour_;
    if (pen_width_ >= 2)
        thickLineRGBA(rr, s16(x1), s16(y1), s16(x2), s16(y2), static_cast<Uint8>(pen_width_), r8(c), g8(c),
                      b8(c), 255);
    else
        lineRGBA(rr, s16(x1), s16(y1), s16(x2), s16(y2), r8(c), g8(c), b8(c), 255);
    SDL_RenderFlush(rr);
}

void Bitmap::move_to(int x, int y) {
    pen_pos_ = Point{x, y};
}

void Bitmap::line_to(int x, int y) {
    Point from = pen_pos_;
    pen_pos_ = Point{x, y};
    if (from == pen_pos_) return;
    // The end point is left as it was, so joined lines meet without drawing a pixel twice.
    bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
    uint32_t saved = inside ? row(y)[x] : 0;
    line(from.x, from.y, x, y);
    if (inside && pen_width_ <= 1) row(y)[x] = saved;
}

void Bitmap::ellipse(const Rect& r) {
    if (r.empty()) return;
    SDL_Renderer* rr = renderer();
    if (!rr) return;
    int cx = (r.left + r.right - 1) / 2;
    int cy = (r.top + r.bottom - 1) / 2;
    int rx = (r.width() - 1) / 2;
    int ry = (r.height() - 1) / 2;
    if (brush_style_ == BrushStyle::solid) {
        Colour b = brush_colour_;
        filledEllipseRGBA(rr, s16(cx), s16(cy), s16(rx), s16(ry), r8(b), g8(b), b8(b), 255);
    }
    if (pen_visible()) {
        Colour c = pen_colour_;
        for (int k = 0; k < pen_width_ && rx - k >= 0 && ry - k >= 0; ++k)
            ellipseRGBA(rr, s16(cx), s16(cy), s16(rx - k), s16(ry - k), r8(c), g8(c), b8(c), 255);
    }
    SDL_RenderFlush(rr);
}

void Bitmap::polygon(std::span<const Point> points) {
    if (points.size() < 2) return;
    SDL_Renderer* rr = renderer();
    if (!rr) return;
    std::vector<Sint16> vx, vy;
    for (const Point& p : points) {
        vx.push_back(s16(p.x));
        vy.push_back(s16(p.y));
    }
    int n = static_cast<int>(points.size());
    if (brush_style_ == BrushStyle::solid && n >= 3) {
        Colour b = brush_colour_;
        filledPolygonRGBA(rr, vx.data(), vy.data(), n, r8(b), g8(b), b8(b), 255);
    }
    if (pen_visible()) {
        Colour c = pen_colour_;
        if (pen_width_ >= 2) {
            for (int i = 0; i < n; ++i) {
                int j = (i + 1) % n;
                thickLineRGBA(rr, vx[i], vy[i], vx[j], vy[j], 2, r8(c), g8(c), b8(c), 255);
            }
        } else {
            polygonRGBA(rr, vx.data(), vy.data(), n, r8(c), g8(c), b8(c), 255);
        }
    }
    SDL_RenderFlush(rr);
}

void Bitmap::round_rect(const Rect& r, int corner_width, int corner_height) {
    if (r.empty()) return;
    SDL_Renderer* rr = renderer();
    if (!rr) return;
    int rad = std::max(0, std::min({corner_width, corner_height, r.width(), r.height()}) / 2);
    if (brush_style_ == BrushStyle::solid) {
        Colour b = brush_colour_;
        roundedBoxRGBA(rr, s16(r.left), s16(r.top), s16(r.right - 1), s16(r.bottom - 1), s16(rad), r8(b),
                       g8(b), b8(b), 255);
    }
    if (pen_visible()) {
        Colour c = pen_colour_;
        for (int k = 0; k < pen_width_; ++k)
            roundedRectangleRGBA(rr, s16(r.left + k), s16(r.top + k), s16(r.right - 1 - k),
                                 s16(r.bottom - 1 - k), s16(std::max(0, rad - k)), r8(c), g8(c), b8(c), 255);
    }
    SDL_RenderFlush(rr);
}

Size Bitmap::text_extent(std::string_view text) const {
    TextSize s = measure_text_cached(open_cached_font(font_.family, font_.height, font_.bold), text);
    return Size{s.width, s.height};
}

void Bitmap::text_out(int x, int y, std::string_view text) {
    if (text.empty() || !surface_) return;
    TTF_Font* f = open_cached_font(font_.family, font_.height, font_.bold);
    SDL_Surface* s = render_text_cached(f, font_.colour & rgb_mask, text);
    if (!s) return;
    if (brush_style_ == BrushStyle::solid) fill_rect(Rect::from_size(x, y, s->w, s->h));
    Rect dest = intersect(Rect::from_size(x, y, s->w, s->h), clip_);
    if (dest.empty()) return;
    SDL_Rect sr{dest.left - x, dest.top - y, dest.width(), dest.height()};
    SDL_Rect dr{dest.left, dest.top, dest.width(), dest.height()};
    // The software renderer may have left its own clip on the surface; ours is applied above.
    SDL_SetClipRect(surface_, nullptr);
    SDL_BlitSurface(s, &sr, surface_, &dr);
}

void Bitmap::blit(const Rect& dest, const Bitmap& src, const Rect& src_rect, bool keyed, Colour key) {
    if (!surface_ || !src.surface_ || dest.empty() || src_rect.empty()) return;
    const int dw = dest.width(), dh = dest.height();
    const int sw = src_rect.width(), sh = src_rect.height();
    Rect a = intersect(dest, clip_);
    if (a.empty()) return;
    const uint32_t k = key & rgb_mask;
    // Drawing a bitmap onto itself goes through a copy so rows are not read after being written.
    const Bitmap* from = &src;
    Bitmap temp;
    if (&src == this) {
        temp = src;
        from = &temp;
    }
    const bool same_size = dw == sw && dh == sh;
    // The source column of each target column, worked out once for all the rows (a division a
    // pixel made stretching the minimap a large part of every frame); -1 outside the source.
    thread_local std::vector<int> columns;
    bool every_column = true;
    if (!same_size || keyed) {
        columns.resize(std::size_t(a.width()));
        for (int x = a.left; x < a.right; ++x) {
            const int sx =
                src_rect.left +
                (same_size ? x - dest.left : static_cast<int>(static_cast<int64_t>(x - dest.left) * sw / dw));
            columns[std::size_t(x - a.left)] = sx < 0 || sx >= from->width_ ? -1 : sx;
            every_column = every_column && columns[std::size_t(x - a.left)] >= 0;
        }
    }
    int last_sy = -1;
    for (int y = a.top; y < a.bottom; ++y) {
        int sy = src_rect.top +
                 (same_size ? y - dest.top : static_cast<int>(static_cast<int64_t>(y - dest.top) * sh / dh));
        if (sy < 0 || sy >= from->height_) continue;
        const uint32_t* srow = from->row(sy);
        uint32_t* drow = row(y);
        // Stretched upward, a source row makes several rows alike: the first is copied when it
        // was written whole.
        if (!same_size && !keyed && every_column && sy == last_sy) {
            std::memcpy(drow + a.left, row(y - 1) + a.left, static_cast<std::size_t>(a.width()) * 4);
            continue;
        }
        last_sy = sy;
        if (same_size && !keyed) {
            int x0 = a.left, x1 = a.right;
            int sx0 = src_rect.left + (x0 - dest.left);
            // Keep within the source's own width.
            if (sx0 < 0) {
                x0 -= sx0;
                sx0 = 0;
            }
            int over = sx0 + (x1 - x0) - from->width_;
            if (over > 0) x1 -= over;
            if (x1 > x0) std::memcpy(drow + x0, srow + sx0, static_cast<std::size_t>(x1 - x0) * 4);
            continue;
        }
        uint32_t* out = drow + a.left;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int sx = columns[i];
            if (sx < 0) continue;
            const uint32_t p = srow[sx] & rgb_mask;
            if (keyed && p == k) continue;
            out[i] = p;
        }
    }
}

void Bitmap::draw(int x, int y, const Bitmap& src) {
    blit(Rect::from_size(x, y, src.width_, src.height_), src, src.bounds(), src.transparent_,
         src.transparent_colour_);
}

void Bitmap::stretch_draw(const Rect& dest, const Bitmap& src) {
    blit(dest, src, src.bounds(), src.transparent_, src.transparent_colour_);
}

void Bitmap::copy_rect(const Rect& dest, const Bitmap& src, const Rect& src_rect) {
    blit(dest, src, src_rect, false, 0);
}

void Bitmap::draw_transparent(int x, int y, const Bitmap& src, Colour key) {
    blit(Rect::from_size(x, y, src.width_, src.height_), src, src.bounds(), true, key);
}

void Bitmap::draw_transparent(const Rect& dest, const Bitmap& src, const Rect& src_rect, Colour key) {
    blit(dest, src, src_rect, true, key);
}

void Bitmap::greyscale(double factor) {
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = row(y);
        for (int x = 0; x < width_; ++x) {
            Colour c = p[x];
            double v = (0.11 * blue_of(c) + 0.59 * green_of(c) + 0.3 * red_of(c)) * factor;
            int g = v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(std::nearbyint(v));
            p[x] = rgb(g, g, g);
        }
    }
}

} // namespace dravok
