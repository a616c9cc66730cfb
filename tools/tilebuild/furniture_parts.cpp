// The furniture drawings' pen and shared parts; see furniture_parts.h.
#include "furniture_parts.h"

#include <cmath>

namespace dravok::tilebuild::furniture {

void paint(cairo_t* cr, rgb c, double line) {
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    cairo_pattern_t* p = cairo_pattern_create_linear(x1, y1, x2 * 0.3 + x1 * 0.7, y2);
    const rgb l = mix(c, rgb{1, 1, 1}, 0.3), d = scale(c, 0.7);
    cairo_pattern_add_color_stop_rgb(p, 0, l.r, l.g, l.b);
    cairo_pattern_add_color_stop_rgb(p, 1, d.r, d.g, d.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    set_colour(cr, ink);
    cairo_set_line_width(cr, line);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void box(cairo_t* cr, double x, double y, double w, double h, rgb c, double r) {
    path_rounded_rect(cr, x, y, w, h, r);
    paint(cr, c);
}

void disc(cairo_t* cr, double x, double y, double r, rgb c) {
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    paint(cr, c);
}

void ellipse(cairo_t* cr, double x, double y, double rx, double ry, rgb c) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    paint(cr, c);
}

void line(cairo_t* cr, double x1, double y1, double x2, double y2, rgb c, double w) {
    set_colour(cr, c);
    cairo_set_line_width(cr, w);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_stroke(cr);
}

void glow(cairo_t* cr, double x, double y, double r, rgb c, double strength) {
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, strength);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void flame(cairo_t* cr, double x, double y, double s) {
    glow(cr, x, y - s * 0.4, s * 2.2, rgb_hex(0xffb040), 0.45);
    cairo_new_path(cr);
    cairo_move_to(cr, x, y - s * 1.4);
    cairo_curve_to(cr, x + s * 0.9, y - s * 0.4, x + s * 0.8, y + s * 0.5, x, y + s * 0.5);
    cairo_curve_to(cr, x - s * 0.8, y + s * 0.5, x - s * 0.9, y - s * 0.4, x, y - s * 1.4);
    paint(cr, rgb_hex(0xf08020), 1.2);
    cairo_new_path(cr);
    cairo_move_to(cr, x, y - s * 0.6);
    cairo_curve_to(cr, x + s * 0.4, y - s * 0.1, x + s * 0.4, y + s * 0.4, x, y + s * 0.4);
    cairo_curve_to(cr, x - s * 0.4, y + s * 0.4, x - s * 0.4, y - s * 0.1, x, y - s * 0.6);
    set_colour(cr, rgb_hex(0xffe890));
    cairo_fill(cr);
}

void coin_mark(cairo_t* cr) {
    disc(cr, 55, 9, 6, gold);
    set_colour(cr, rgb_hex(0x7a5a10));
    cairo_set_line_width(cr, 1.2);
    cairo_arc(cr, 55, 9, 3, 0, 2 * M_PI);
    cairo_stroke(cr);
}

void loot(cairo_t* cr, double x, double y) {
    disc(cr, x - 6, y, 4, gold);
    disc(cr, x + 2, y - 2, 4, gold);
    ellipse(cr, x + 7, y + 1, 3, 4, rgb_hex(0x3070d0));
    disc(cr, x - 1, y + 3, 3.5, rgb_hex(0xc03030));
}

void stairs(cairo_t* cr, bool down) {
    // Steps as bands that darken into the depth (down) or brighten toward the top (up).
    box(cr, 6, 6, 52, 52, scale(stone, 0.6), 3);
    for (int i = 0; i < 6; ++i) {
        const double f = down ? 1.0 - i * 0.13 : 0.35 + i * 0.13;
        const double inset = down ? i * 3 : (5 - i) * 3;
        box(cr, 9 + inset, 9 + i * 8, 46 - 2 * inset, 8, scale(stone, f), 1);
    }
    // An arrow to tell the direction at a glance.
    set_colour(cr, down ? rgb_hex(0x20c0ff) : rgb_hex(0xffd040));
    cairo_new_path(cr);
    if (down) {
        cairo_move_to(cr, 32, 56);
        cairo_line_to(cr, 22, 44);
        cairo_line_to(cr, 42, 44);
    } else {
        cairo_move_to(cr, 32, 8);
        cairo_line_to(cr, 22, 20);
        cairo_line_to(cr, 42, 20);
    }
    cairo_close_path(cr);
    cairo_fill_preserve(cr);
    set_colour(cr, ink);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void door(cairo_t* cr, int kind, bool open) {
    // Frame of stone around the doorway.
    box(cr, 2, 2, 60, 60, scale(stone, 0.8), 2);
    box(cr, 8, 6, 48, 56, rgb_hex(0x151518), 1);
    if (!open) {
        if (kind == 10) {
            for (int i = 0; i < 6; ++i)
                box(cr, 11 + i * 8, 6, 4, 56, iron, 1);
            box(cr, 8, 20, 48, 4, iron, 1);
            box(cr, 8, 44, 48, 4, iron, 1);
            return;
        }
        box(cr, 9, 7, 46, 55, wood, 1);
        for (int i = 1; i < 4; ++i)
            line(cr, 9 + i * 11.5, 8, 9 + i * 11.5, 61, scale(wood, 0.55), 1.5);
        box(cr, 9, 16, 46, 5, iron, 0.5);
        box(cr, 9, 46, 46, 5, iron, 0.5);
        disc(cr, 47, 34, 3, gold);
        if (kind == 9) {
            box(cr, 40, 37, 10, 9, iron, 1);
            set_colour(cr, ink);
            cairo_arc(cr, 45, 40.5, 1.5, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    } else {
        // Open: the leaf swung to the side, the floor beyond visible in the dark.
        if (kind == 10) {
            box(cr, 8, 6, 8, 56, iron, 1);
            for (int i = 0; i < 3; ++i)
                line(cr, 10 + i * 2.5, 8, 10 + i * 2.5, 60, scale(iron, 0.6), 0.8);
        } else {
            cairo_new_path(cr);
            cairo_move_to(cr, 8, 6);
            cairo_line_to(cr, 18, 10);
            cairo_line_to(cr, 18, 60);
            cairo_line_to(cr, 8, 62);
            cairo_close_path(cr);
            paint(cr, wood);
        }
    }
}

void chest(cairo_t* cr, int state, rgb body) {
    if (state == 0) {
        box(cr, 8, 22, 48, 32, body, 2);
        cairo_new_path(cr);
        cairo_move_to(cr, 8, 30);
        cairo_curve_to(cr, 8, 12, 56, 12, 56, 30);
        cairo_close_path(cr);
        paint(cr, scale(body, 1.1));
        box(cr, 8, 28, 48, 4, iron, 0.5);
        box(cr, 28, 28, 8, 10, gold, 1);
    } else {
        box(cr, 8, 10, 48, 14, scale(body, 0.9), 3); // lid thrown back
        box(cr, 8, 26, 48, 28, body, 2);
        box(cr, 11, 28, 42, 10, rgb_hex(0x1a1410), 1);
        if (state == 2) loot(cr, 32, 32);
        box(cr, 8, 38, 48, 4, iron, 0.5);
    }
}

void barrel(cairo_t* cr, int state) {
    cairo_new_path(cr);
    cairo_move_to(cr, 16, 10);
    cairo_curve_to(cr, 8, 24, 8, 42, 16, 56);
    cairo_line_to(cr, 48, 56);
    cairo_curve_to(cr, 56, 42, 56, 24, 48, 10);
    cairo_close_path(cr);
    paint(cr, wood);
    for (int i = 1; i < 5; ++i)
        line(cr, 16 + i * 6.4, 11, 16 + i * 6.4, 55, scale(wood, 0.6), 1);
    box(cr, 10, 20, 44, 4, iron, 1);
    box(cr, 10, 42, 44, 4, iron, 1);
    if (state == 0)
        ellipse(cr, 32, 11, 16, 4, scale(wood, 1.15));
    else {
        ellipse(cr, 32, 11, 16, 4, rgb_hex(0x1a1410));
        if (state == 2) loot(cr, 32, 10);
    }
}

void crate(cairo_t* cr, int state) {
    box(cr, 8, 12, 48, 44, wood, 1);
    line(cr, 10, 14, 54, 54, dark_wood, 4);
    line(cr, 54, 14, 10, 54, dark_wood, 4);
    box(cr, 8, 12, 48, 6, scale(wood, 1.1), 1);
    box(cr, 8, 50, 48, 6, scale(wood, 1.1), 1);
    if (state > 0) {
        box(cr, 12, 14, 40, 14, rgb_hex(0x1a1410), 1);
        if (state == 2) loot(cr, 32, 20);
    }
}

void coffin(cairo_t* cr, int state, bool stone_made) {
    const rgb c = stone_made ? stone : dark_wood;
    cairo_new_path(cr);
    cairo_move_to(cr, 24, 4);
    cairo_line_to(cr, 40, 4);
    cairo_line_to(cr, 50, 18);
    cairo_line_to(cr, 44, 60);
    cairo_line_to(cr, 20, 60);
    cairo_line_to(cr, 14, 18);
    cairo_close_path(cr);
    paint(cr, c);
    if (state == 0) {
        if (stone_made) {
            box(cr, 26, 14, 12, 36, scale(c, 1.15), 4);
            disc(cr, 32, 14, 6, scale(c, 1.15));
        } else {
            box(cr, 30, 14, 4, 28, gold, 1);
            box(cr, 24, 20, 16, 4, gold, 1);
        }
    } else {
        cairo_new_path(cr);
        cairo_move_to(cr, 25, 8);
        cairo_line_to(cr, 39, 8);
        cairo_line_to(cr, 46, 19);
        cairo_line_to(cr, 41, 56);
        cairo_line_to(cr, 23, 56);
        cairo_line_to(cr, 18, 19);
        cairo_close_path(cr);
        set_colour(cr, rgb_hex(0x181412));
        cairo_fill(cr);
        if (state == 2)
            loot(cr, 32, 30);
        else
            disc(cr, 32, 18, 4, rgb_hex(0xe0d8c0));
    }
}

void stand_items(cairo_t* cr, int id) {
    switch (id) {
    case 20:
    case 21:
        box(cr, 20, 12, 24, 24, iron, 4);
        disc(cr, 32, 10, 6, iron);
        break; // armour
    case 22:
    case 23:
        line(cr, 18, 8, 18, 48, rgb_hex(0xc8ccd4), 3);
        line(cr, 30, 8, 30, 48, rgb_hex(0xc8ccd4), 3);
        line(cr, 44, 6, 40, 48, dark_wood, 3);
        disc(cr, 44, 8, 4, iron);
        break;
    case 24:
    case 25:
        for (int r = 0; r < 3; ++r)
            for (int i = 0; i < 6; ++i) {
                const rgb c[] = {rgb_hex(0x8a2a2a), rgb_hex(0x2a4a8a), rgb_hex(0x2a7a3a), rgb_hex(0x8a7a2a)};
                box(cr, 12 + i * 6.6, 10 + r * 16, 5, 12, c[(i + r) % 4], 0.5);
            }
        break;
    default:
        loot(cr, 32, 26);
        break;
    }
}

void statue(cairo_t* cr, int id) {
    box(cr, 12, 50, 40, 10, scale(stone, 0.8), 1);
    const rgb c = id == 35 ? rgb_hex(0x9a8aa8) : stone;
    switch (id) {
    case 31: // gargoyle: hunched, winged
        cairo_new_path(cr);
        cairo_move_to(cr, 8, 20);
        cairo_line_to(cr, 24, 28);
        cairo_line_to(cr, 20, 50);
        cairo_close_path(cr);
        paint(cr, scale(c, 0.85));
        cairo_new_path(cr);
        cairo_move_to(cr, 56, 20);
        cairo_line_to(cr, 40, 28);
        cairo_line_to(cr, 44, 50);
        cairo_close_path(cr);
        paint(cr, scale(c, 0.85));
        box(cr, 22, 26, 20, 24, c, 6);
        disc(cr, 32, 20, 8, c);
        line(cr, 27, 13, 24, 6, ink, 2);
        line(cr, 37, 13, 40, 6, ink, 2);
        break;
    case 33:
        box(cr, 22, 14, 20, 36, c, 2);
        disc(cr, 32, 24, 7, gold);
        break; // symbol pillar
    case 34:
        ellipse(cr, 32, 32, 14, 18, c);
        break;
    default:
        box(cr, 24, 22, 16, 28, c, 4);
        disc(cr, 32, 15, 7, c);
        line(cr, 24, 26, 16, 42, ink, 4);
        line(cr, 24, 26, 16, 42, c, 2);
        line(cr, 40, 26, 48, 42, ink, 4);
        line(cr, 40, 26, 48, 42, c, 2);
        break;
    }
}

} // namespace dravok::tilebuild::furniture
