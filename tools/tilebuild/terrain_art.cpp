// Terrain drawing; see terrain_art.h.
#include "terrain_art.h"

#include <cmath>

namespace dravok::tilebuild {
namespace {

constexpr int T = art_tile;

void fill_rect(cairo_t* cr, double x, double y, double w, double h, rgb c) {
    set_colour(cr, c);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

// A stone or brick with a lit top-left edge and a shadowed bottom-right edge.
void bevel_block(cairo_t* cr, double x, double y, double w, double h, double r, rgb c) {
    path_rounded_rect(cr, x, y, w, h, r);
    set_colour(cr, scale(c, 0.6));
    cairo_fill(cr);
    path_rounded_rect(cr, x, y, w - 1.5, h - 1.5, r);
    set_colour(cr, mix(c, rgb{1, 1, 1}, 0.25));
    cairo_fill(cr);
    path_rounded_rect(cr, x + 1.5, y + 1.5, w - 3, h - 3, r);
    set_colour(cr, c);
    cairo_fill(cr);
}

// Rows of blocks in running bond; `rough` varies widths and corners like field stone.
void masonry(cairo_t* cr, tnoise& n, double top, double height, int rows, rgb base, rgb mortar, bool rough,
             double variation) {
    fill_rect(cr, 0, top, T, height, mortar);
    const double rh = height / rows;
    for (int row = 0; row < rows; ++row) {
        double x = (row % 2) ? -T / 4.0 - n.range(0, rough ? 8 : 0) : -n.range(0, rough ? 6 : 0);
        while (x < T) {
            const double w = rough ? n.range(13, 26) : T / 2.0;
            const rgb c = scale(base, 1.0 + n.range(-variation, variation));
            bevel_block(cr, x + 1, top + row * rh + 1, w - 2, rh - 2, rough ? n.range(2, 5) : 1.5, c);
            x += w;
        }
    }
}

void moss(cairo_t* cr, tnoise& n, double top, double height, int blobs) {
    for (int i = 0; i < blobs; ++i) {
        const double x = n.range(0, T), y = top + n.range(0, height), r = n.range(2, 6);
        set_colour(cr, rgb_hex(n.unit() < 0.5 ? 0x3f6a2a : 0x567d33), 0.85);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

void grime(cairo_t* cr, tnoise& n, double top, double height) {
    for (int i = 0; i < 5; ++i) {
        const double x = n.range(2, T - 4);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, top + height);
        cairo_pattern_add_color_stop_rgba(p, 0, 0.15, 0.2, 0.08, 0.0);
        cairo_pattern_add_color_stop_rgba(p, 1, 0.15, 0.2, 0.08, 0.55);
        cairo_set_source(cr, p);
        cairo_rectangle(cr, x, top + n.range(0, height / 2), n.range(2, 5), height);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
}

void planks(cairo_t* cr, tnoise& n, double top, double height, bool vertical, rgb wood) {
    const int count = 4;
    for (int i = 0; i < count; ++i) {
        const rgb c = scale(wood, 1.0 + n.range(-0.12, 0.12));
        const double a = i * (vertical ? T : height) / count;
        const double len = (vertical ? T : height) / count;
        if (vertical)
            fill_rect(cr, a, top, len, height, c);
        else
            fill_rect(cr, 0, top + a, T, len, c);
        // Grain lines along the plank.
        set_colour(cr, scale(c, 0.8), 0.8);
        cairo_set_line_width(cr, 0.8);
        for (int g = 0; g < 3; ++g) {
            const double o = a + n.range(2, len - 2);
            if (vertical) {
                cairo_move_to(cr, o, top);
                cairo_curve_to(cr, o + n.range(-2, 2), top + height / 3, o + n.range(-2, 2),
                               top + 2 * height / 3, o, top + height);
            } else {
                cairo_move_to(cr, 0, top + o);
                cairo_curve_to(cr, T / 3.0, top + o + n.range(-2, 2), 2 * T / 3.0, top + o + n.range(-2, 2),
                               T, top + o);
            }
            cairo_stroke(cr);
        }
        set_colour(cr, scale(c, 0.45));
        if (vertical)
            fill_rect(cr, a + len - 1.5, top, 1.5, height, scale(c, 0.45));
        else
            fill_rect(cr, 0, top + a + len - 1.5, T, 1.5, scale(c, 0.45));
        // A nail or two.
        set_colour(cr, rgb_hex(0x2a2a2a));
        const double nx = vertical ? a + len / 2 : n.range(6, T - 6),
                     ny = vertical ? top + n.range(4, 10) : top + a + len / 2;
        cairo_arc(cr, nx, ny, 1.1, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

void cave_rock(cairo_t* cr, tnoise& n, double top, double height, rgb base) {
    fill_rect(cr, 0, top, T, height, scale(base, 0.8));
    for (int i = 0; i < 14; ++i) {
        const double x = n.range(-6, T), y = top + n.range(-6, height), w = n.range(10, 24),
                     h = n.range(8, 18);
        cairo_save(cr);
        cairo_rectangle(cr, 0, top, T, height);
        cairo_clip(cr);
        bevel_block(cr, x, y, w, h, n.range(3, 7), scale(base, 1.0 + n.range(-0.15, 0.15)));
        cairo_restore(cr);
    }
}

// Colour of a wall family member: families vary slightly in hue along their kinds.
rgb wall_colour(int kind) {
    const int family_step = kind <= 9    ? kind - 1
                            : kind <= 17 ? kind - 10
                            : kind <= 25 ? kind - 18
                            : kind <= 33 ? kind - 26
                                         : kind - 34;
    rgb base;
    if (kind <= 9)
        base = rgb_hex(0x7d7a74);
    else if (kind <= 17)
        base = rgb_hex(0x8a6a52);
    else if (kind <= 25)
        base = rgb_hex(0x6f7468);
    else if (kind <= 33)
        base = rgb_hex(0x5f6650);
    else if (kind == 34)
        base = rgb_hex(0x7a5633);
    else
        base = rgb_hex(0x6b625a);
    const rgb tints[] = {rgb_hex(0x8080a0), rgb_hex(0xa08870), rgb_hex(0x70a070),
                         rgb_hex(0xb09060), rgb_hex(0x606080), rgb_hex(0xa07070),
                         rgb_hex(0x909090), rgb_hex(0x7090a0), rgb_hex(0xa0a070)};
    return mix(base, scale(tints[family_step % 9], base.r + base.g + base.b > 1.5 ? 0.95 : 0.8), 0.22);
}

void wall_texture(cairo_t* cr, tnoise& n, int kind, double top, double height, bool face) {
    const rgb c = wall_colour(kind);
    if (kind <= 9)
        masonry(cr, n, top, height, face ? 3 : 4, c, scale(c, 0.35), true, 0.12);
    else if (kind <= 17)
        masonry(cr, n, top, height, face ? 4 : 4, c, scale(c, 0.45), false, 0.08);
    else if (kind <= 25) {
        masonry(cr, n, top, height, face ? 3 : 4, c, scale(c, 0.35), true, 0.1);
        moss(cr, n, top, height, face ? 16 : 10);
    } else if (kind <= 33) {
        masonry(cr, n, top, height, 5, c, scale(c, 0.4), false, 0.1);
        if (face) grime(cr, n, top, height);
    } else if (kind == 34)
        planks(cr, n, top, height, true, c);
    else
        cave_rock(cr, n, top, height, c);
}

} // namespace

timage wall_art(int kind, bool front) {
    tcanvas canvas;
    cairo_t* cr = canvas.cr();
    tnoise n(uint32_t(kind) * 97 + (front ? 5 : 0));
    if (!front) {
        // The top of the wall mass: darker, seen from above.
        wall_texture(cr, n, kind, 0, T, false);
        set_colour(cr, rgb{0.05, 0.05, 0.08}, 0.45);
        cairo_rectangle(cr, 0, 0, T, T);
        cairo_fill(cr);
    } else {
        // The face toward the open cell south of it, lit from the room, with a cap on top.
        tnoise cap(uint32_t(kind) * 97);
        wall_texture(cr, cap, kind, 0, 16, false);
        set_colour(cr, rgb{0.05, 0.05, 0.08}, 0.45);
        cairo_rectangle(cr, 0, 0, T, 16);
        cairo_fill(cr);
        fill_rect(cr, 0, 16, T, 3, scale(wall_colour(kind), 1.25));
        wall_texture(cr, n, kind, 19, T - 19, true);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 19, 0, T);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.08);
        cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0.35);
        cairo_set_source(cr, p);
        cairo_rectangle(cr, 0, 19, T, T - 19);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    timage img = canvas.finish();
    add_grain(img, uint32_t(kind) * 31 + front, 0.05);
    return img;
}

timage floor_art(int kind) {
    // Odd kinds are the base colour; even ones repeat the pattern in a lighter shade.
    const int base_kind = kind % 2 ? kind : kind - 1;
    const bool light = kind % 2 == 0;
    tcanvas canvas;
    cairo_t* cr = canvas.cr();
    tnoise n(uint32_t(base_kind) * 131);
    const int step = (base_kind - 41) / 2;
    auto tone = [&](uint32_t hex) {
        rgb c = rgb_hex(hex);
        const rgb tints[] = {rgb_hex(0x9a8a70), rgb_hex(0x808890), rgb_hex(0x8a7a90), rgb_hex(0x7a8a70),
                             rgb_hex(0xa08060), rgb_hex(0x707a8a), rgb_hex(0x907070)};
        c = mix(c, tints[step % 7], 0.25);
        return light ? mix(c, rgb{1, 1, 1}, 0.18) : c;
    };
    if (base_kind <= 53) {
        // Natural floor: packed earth with pebbles and cracks.
        const rgb earth = tone(0x5e5040);
        fill_rect(cr, 0, 0, T, T, earth);
        for (int i = 0; i < 40; ++i) {
            set_colour(cr, scale(earth, n.range(0.75, 1.25)), 0.6);
            cairo_arc(cr, n.range(0, T), n.range(0, T), n.range(1.5, 5), 0, 2 * M_PI);
            cairo_fill(cr);
        }
        for (int i = 0; i < 6; ++i) {
            const double x = n.range(4, T - 4), y = n.range(4, T - 4), r = n.range(1.5, 3);
            set_colour(cr, scale(earth, 0.55));
            cairo_arc(cr, x + 0.8, y + 0.8, r, 0, 2 * M_PI);
            cairo_fill(cr);
            set_colour(cr, mix(earth, rgb{0.9, 0.9, 0.85}, 0.35));
            cairo_arc(cr, x, y, r, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    } else if (base_kind <= 67) {
        // Flagstones: large irregular slabs with dark joints.
        const rgb stone = tone(0x6a6660);
        fill_rect(cr, 0, 0, T, T, scale(stone, 0.4));
        const double xs[] = {0, n.range(24, 40), T}, ys[] = {0, n.range(20, 30), n.range(40, 50), T};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c) {
                const double off = (r == 1) ? n.range(-8, 8) : 0;
                bevel_block(cr, xs[c] + 1 + (c ? off : 0), ys[r] + 1,
                            xs[c + 1] - xs[c] - 2 + (c ? -off : off), ys[r + 1] - ys[r] - 2, 2.5,
                            scale(stone, 1.0 + n.range(-0.12, 0.12)));
            }
    } else if (base_kind <= 83) {
        // Plates: square dressed tiles; the kinds alternate between four and sixteen per cell.
        const rgb stone = tone(step % 2 ? 0x6f6a78 : 0x75706a);
        const int per = (step % 3 == 0) ? 4 : 2;
        fill_rect(cr, 0, 0, T, T, scale(stone, 0.45));
        const double s = double(T) / per;
        for (int y = 0; y < per; ++y)
            for (int x = 0; x < per; ++x)
                bevel_block(cr, x * s + 1, y * s + 1, s - 2, s - 2, 1.5,
                            scale(stone, ((x + y) % 2 ? 0.92 : 1.05) + n.range(-0.05, 0.05)));
    } else if (base_kind == 85) {
        planks(cr, n, 0, T, false, light ? rgb_hex(0xa07a4e) : rgb_hex(0x7a5633));
    } else {
        // Mosaic of small square stones.
        const rgb stone = tone(0x6a6a62);
        fill_rect(cr, 0, 0, T, T, scale(stone, 0.5));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                set_colour(cr, scale(stone, n.range(0.8, 1.2)));
                cairo_rectangle(cr, x * 8 + 0.7, y * 8 + 0.7, 6.6, 6.6);
                cairo_fill(cr);
            }
    }
    timage img = canvas.finish();
    add_grain(img, uint32_t(kind) * 17, 0.06);
    return img;
}

} // namespace dravok::tilebuild
