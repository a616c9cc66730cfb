// Images of the tile-set builder: 32-bit ARGB pixel buffers (straight alpha) with the few
// operations the art needs: shading for the light runs, keying on white for the sheet, and
// cutting multi-cell images into tiles. Drawing itself is done with cairo and librsvg.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dravok::tilebuild {

constexpr int art_tile = 64; // the sheet tile size

struct rgb {
    double r = 0, g = 0, b = 0; // 0..1
};
rgb rgb_hex(uint32_t hex);
rgb mix(rgb a, rgb b, double t);
rgb scale(rgb c, double f);

// Adds a rectangle with corners rounded by r to the path.
void path_rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r);

struct timage {
    int width = 0, height = 0;
    std::vector<uint32_t> argb; // straight alpha, 0xAARRGGBB
    uint32_t& at(int x, int y) { return argb[std::size_t(y) * width + x]; }
    uint32_t at(int x, int y) const { return argb[std::size_t(y) * width + x]; }
};

// A cairo canvas to draw one image on; finish() turns it into a straight-alpha image.
class tcanvas {
  public:
    tcanvas(int width = art_tile, int height = art_tile);
    ~tcanvas();
    tcanvas(const tcanvas&) = delete;
    tcanvas& operator=(const tcanvas&) = delete;
    cairo_t* cr() const { return cr_; }
    timage finish();

  private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

void set_colour(cairo_t* cr, rgb c, double alpha = 1.0);

// Light runs: darker images for dimmer light, drawn toward a cold blue-black.
timage shade(const timage& img, double light);

// Deterministic per-pixel grain, so stone and earth do not look flat.
void add_grain(timage& img, uint32_t seed, double amount);

// Cuts an image of w x h tiles into its parts, row by row from the top-left.
std::vector<timage> cut_parts(const timage& img, int w_tiles, int h_tiles);

// SVG text rendered at the given pixel size.
timage render_svg(const std::string& svg, int width, int height);

// A small deterministic random source for the art.
struct tnoise {
    uint32_t state;
    explicit tnoise(uint32_t seed) : state(seed * 2654435761u + 12345u) {}
    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    double unit() { return (next() & 0xFFFFFF) / double(0x1000000); }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    int pick(int n) { return int(next() % uint32_t(n)); }
};

} // namespace dravok::tilebuild
