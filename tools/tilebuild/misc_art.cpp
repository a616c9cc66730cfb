// Splashes, animations, effects, symbols and interface icons; see misc_art.h.
#include "misc_art.h"

#include <cmath>

#include "icons.h"

namespace dravok::tilebuild {
namespace {

constexpr double T = art_tile;

void blob(cairo_t* cr, tnoise& n, double cx, double cy, double r, int lobes) {
    cairo_new_path(cr);
    for (int i = 0; i <= lobes; ++i) {
        const double a = i * 2 * M_PI / lobes, rr = r * n.range(0.7, 1.2);
        const double x = cx + rr * std::cos(a), y = cy + rr * std::sin(a) * 0.8;
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

} // namespace

timage splash_art(int kind, int variant) {
    tcanvas canvas;
    cairo_t* cr = canvas.cr();
    tnoise n(uint32_t(kind) * 53 + variant);
    rgb c = kind <= 3   ? rgb_hex(0x8a1010)
            : kind <= 5 ? rgb_hex(0x3a9a2a)
            : kind <= 7 ? rgb_hex(0x6a5a3a)
                        : rgb_hex(0x8a8070);
    const bool pool = kind == 1 || kind == 4 || kind == 6;
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (kind == 8) {
        // Litter: scraps of bone, cloth and wood.
        for (int i = 0; i < 7; ++i) {
            set_colour(cr, n.unit() < 0.5 ? rgb_hex(0xd8d0b8) : rgb_hex(0x6a4a2a));
            cairo_save(cr);
            cairo_translate(cr, n.range(12, 52), n.range(12, 52));
            cairo_rotate(cr, n.range(0, M_PI));
            cairo_rectangle(cr, -5, -1.5, 10, 3);
            cairo_fill(cr);
            cairo_restore(cr);
        }
    } else if (pool) {
        blob(cr, n, 32 + n.range(-4, 4), 34 + n.range(-4, 4), 16 + variant * 2, 14);
        set_colour(cr, c, 0.85);
        cairo_fill(cr);
        for (int i = 0; i < 5; ++i) {
            cairo_arc(cr, n.range(8, 56), n.range(8, 56), n.range(1.5, 3.5), 0, 2 * M_PI);
            cairo_fill(cr);
        }
        set_colour(cr, mix(c, rgb{1, 1, 1}, 0.35), 0.7);
        cairo_arc(cr, 26, 28, 3, 0, 2 * M_PI);
        cairo_fill(cr);
    } else {
        // A trail of drops across the cell.
        const double dir = variant * 1.1 + (kind == 3 ? 0.5 : 0);
        for (int i = 0; i < 7; ++i) {
            const double t = i / 6.0 - 0.5;
            set_colour(cr, c, 0.85);
            cairo_arc(cr, 32 + t * 44 * std::cos(dir) + n.range(-3, 3),
                      32 + t * 44 * std::sin(dir) + n.range(-3, 3), n.range(1.5, kind == 3 ? 2.5 : 4.5), 0,
                      2 * M_PI);
            cairo_fill(cr);
        }
    }
    return canvas.finish();
}

timage animation_art(int row, int frame) {
    tcanvas canvas;
    cairo_t* cr = canvas.cr();
    const double t = (frame + 1) / double(animation_frames);
    static const uint32_t colours[animation_rows + 1] = {
        0,        0xd02020, 0xf0f0e0, 0xa09070, 0x60a0ff, 0xff4040, 0xe8e0c8, 0x70c040, 0xffd040, 0xff8020,
        0x40e0e0, 0xc060ff, 0x80ff80, 0xff80c0, 0xb070ff, 0x8080ff, 0xfff080, 0xff3030, 0xff70c0, 0xffff40};
    const rgb c = rgb_hex(colours[(row - 1) % animation_rows + 1]);
    const double fade = 1.0 - 0.6 * t;
    tnoise n(uint32_t(row) * 11 + frame);
    switch (row) {
    case 5:
    case 6:
    case 7:
    case 8: {
        // Hits: a burst star with shards flying out.
        cairo_new_path(cr);
        for (int i = 0; i < 16; ++i) {
            const double a = i * M_PI / 8, r = (i % 2 ? 8 : 22) * (0.6 + 0.6 * t);
            cairo_line_to(cr, 32 + r * std::cos(a), 32 + r * std::sin(a));
        }
        cairo_close_path(cr);
        set_colour(cr, c, fade);
        cairo_fill_preserve(cr);
        set_colour(cr, rgb{0.1, 0.1, 0.1}, fade);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        if (row == 8) {
            set_colour(cr, rgb{0.95, 0.95, 0.95}, fade);
            cairo_set_line_width(cr, 3);
            for (int i = 0; i < 3; ++i) {
                cairo_move_to(cr, 8 + i * 10, 56 - i * 4);
                cairo_line_to(cr, 40 + i * 10, 8 - i * 4);
                cairo_stroke(cr);
            }
        }
        break;
    }
    case 14:
    case 16:
    case 18:
    case 19:
    case 17: {
        // Swirls, sparkles and symbols of magic.
        for (int i = 0; i < 10; ++i) {
            const double a = i * 2 * M_PI / 10 + t * 2, r = 6 + 20 * t;
            set_colour(cr, c, fade);
            cairo_arc(cr, 32 + r * std::cos(a), 32 + r * std::sin(a) - (row == 16 ? t * 10 : 0), 3 - t, 0,
                      2 * M_PI);
            cairo_fill(cr);
        }
        break;
    }
    default: {
        // Rings that widen and fade: deaths, appearances and everything else.
        for (int k = 0; k < 2; ++k) {
            set_colour(cr, c, fade * (k ? 0.5 : 0.9));
            cairo_set_line_width(cr, 4 - 2 * t);
            cairo_arc(cr, 32, 32, 6 + 22 * t - k * 8, 0, 2 * M_PI);
            cairo_stroke(cr);
        }
        for (int i = 0; i < 6; ++i) {
            set_colour(cr, c, fade);
            cairo_arc(cr, n.range(10, 54), n.range(10, 54), 2, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        break;
    }
    }
    return canvas.finish();
}

std::vector<timage> effect_art(int kind) {
    std::vector<timage> out;
    for (int fading = 0; fading < 2; ++fading) {
        tcanvas canvas;
        cairo_t* cr = canvas.cr();
        tnoise n(uint32_t(kind) * 7);
        const double a = fading ? 0.45 : 0.8;
        switch (kind) {
        case 1: // fire
            for (int i = 0; i < 5; ++i) {
                const double x = n.range(12, 52), y = n.range(24, 56), s = n.range(8, 13);
                set_colour(cr, rgb_hex(0xf07010), a);
                cairo_move_to(cr, x, y - 2 * s);
                cairo_curve_to(cr, x + s, y - s, x + s, y, x, y);
                cairo_curve_to(cr, x - s, y, x - s, y - s, x, y - 2 * s);
                cairo_fill(cr);
                set_colour(cr, rgb_hex(0xffe070), a);
                cairo_arc(cr, x, y - s * 0.5, s * 0.35, 0, 2 * M_PI);
                cairo_fill(cr);
            }
            break;
        case 2: // poison gas
            for (int i = 0; i < 9; ++i) {
                set_colour(cr, rgb_hex(0x70c040), a * 0.6);
                cairo_arc(cr, n.range(12, 52), n.range(12, 52), n.range(8, 14), 0, 2 * M_PI);
                cairo_fill(cr);
            }
            break;
        case 3: // web
            set_colour(cr, rgb_hex(0xe8e8f0), a);
            cairo_set_line_width(cr, 1.2);
            for (int i = 0; i < 8; ++i) {
                cairo_move_to(cr, 32, 32);
                cairo_line_to(cr, 32 + 34 * std::cos(i * M_PI / 4), 32 + 34 * std::sin(i * M_PI / 4));
            }
            for (int r = 6; r < 32; r += 7) {
                for (int i = 0; i <= 8; ++i) {
                    const double ang = i * M_PI / 4;
                    if (i == 0)
                        cairo_move_to(cr, 32 + r * std::cos(ang), 32 + r * std::sin(ang));
                    else
                        cairo_line_to(cr, 32 + r * std::cos(ang), 32 + r * std::sin(ang));
                }
            }
            cairo_stroke(cr);
            break;
        case 4: // slime
            for (int i = 0; i < 6; ++i) {
                set_colour(cr, rgb_hex(0x40b030), a);
                blob(cr, n, n.range(14, 50), n.range(14, 50), n.range(6, 12), 10);
                cairo_fill(cr);
            }
            break;
        default: // darkness
            cairo_pattern_t* p = cairo_pattern_create_radial(32, 32, 4, 32, 32, 34);
            cairo_pattern_add_color_stop_rgba(p, 0, 0.05, 0.02, 0.1, a);
            cairo_pattern_add_color_stop_rgba(p, 1, 0.05, 0.02, 0.1, a * 0.5);
            cairo_set_source(cr, p);
            cairo_paint(cr);
            cairo_pattern_destroy(p);
            break;
        }
        out.push_back(canvas.finish());
    }
    return out;
}

namespace {

constexpr int sigils = 4;

// One quarter (0 north-west, 1 north-east, 2 south-west, 3 south-east) of a seal drawn round
// the corner the four tiles share.
timage seal_quarter_art(int quarter) {
    tcanvas canvas;
    cairo_t* cr = canvas.cr();
    const double cx = quarter % 2 == 0 ? 64 : 0, cy = quarter < 2 ? 64 : 0;
    set_colour(cr, rgb_hex(0x3060c0), 0.8);
    cairo_set_line_width(cr, 3);
    for (double r : {56.0, 44.0}) {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_stroke(cr);
    }
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        cairo_move_to(cr, cx + 12 * std::cos(a), cy + 12 * std::sin(a));
        cairo_line_to(cr, cx + 44 * std::cos(a), cy + 44 * std::sin(a));
    }
    cairo_stroke(cr);
    return canvas.finish();
}

} // namespace

timage floor_symbol_art(int index) {
    if (index > sigils) return seal_quarter_art(index - sigils - 1);
    tcanvas canvas;
    cairo_t* cr = canvas.cr();
    set_colour(cr, rgb_hex(0xa03030 + 0x102000 * index), 0.8);
    cairo_set_line_width(cr, 2.5);
    cairo_arc(cr, 32, 32, 24, 0, 2 * M_PI);
    cairo_stroke(cr);
    const int points = 3 + index;
    for (int i = 0; i <= points; ++i) {
        const double a = i * 2 * M_PI / points * (points % 2 ? 2 : 1) - M_PI / 2;
        if (i == 0)
            cairo_move_to(cr, 32 + 20 * std::cos(a), 32 + 20 * std::sin(a));
        else
            cairo_line_to(cr, 32 + 20 * std::cos(a), 32 + 20 * std::sin(a));
    }
    cairo_stroke(cr);
    return canvas.finish();
}

timage interface_icon_art(int entry) {
    struct row {
        const char* icon;
        uint32_t colour;
    };
    static const row rows[47] = {
        {"dot", 0},
        {"fist", 0xc04030},
        {"boot", 0x40a040},
        {"brain", 0xd080a0},
        {"sun", 0xe0c040}, // abilities
        {"lockpick", 0xc0a040},
        {"dodge", 0x60c0e0},
        {"star", 0xa060ff},
        {"sword", 0xc0c0c0}, // skills
        {"bow", 0x9a6a3a},
        {"magnifier", 0x80c0e0},
        {"mask", 0x505a70},
        {"hammer", 0x9090a0},
        {"arrow", 0xa0a0a0},
        {"sword", 0xd0d0d0},
        {"swirl", 0xd070d0}, // damage types
        {"essence", 0x70e0ff},
        {"flame", 0xf06010},
        {"snowflake", 0x90d0ff},
        {"lightning", 0xffe040},
        {"drop", 0x80d030},
        {"waves", 0xc0a0ff},
        {"drop", 0x40a040},
        {"sun", 0xfff0a0},
        {"skull", 0x9a80b0},
        {"level", 0xe0c040},
        {"heart", 0xd02828},
        {"lightning", 0x40c040},
        {"boot", 0x6090d0},
        {"check", 0x40d040},
        {"dot", 0x808080},
        {"dot", 0x808080},
        {"dot", 0x808080},
        {"dot", 0x808080},
        {"dot", 0x808080},
        {"arrow_up", 0xe02020},
        {"arrow_up", 0xe02020},
        {"arrow_up", 0xe02020},
        {"arrow_up", 0xe02020}, // 35..42
        {"arrow_up", 0xe02020},
        {"arrow_up", 0xe02020},
        {"arrow_up", 0xe02020},
        {"arrow_up", 0xe02020},
        {"arrow_up", 0xd0d0d0},
        {"arrow_down", 0xd0d0d0},
        {"arrow_both", 0xd0d0d0},
        {"dot", 0x808080},
    };
    const row& r = rows[entry];
    const double rotate = (entry >= 35 && entry <= 42) ? (entry - 35) * 45.0 : 0.0;
    return render_icon(r.icon, rgb_hex(r.colour), 1, 1, rotate);
}

} // namespace dravok::tilebuild
