// Furniture drawing; see furniture_art.h.
#include "furniture_art.h"

#include <cmath>

namespace dravok::tilebuild {
namespace {

constexpr double T = art_tile;
const rgb ink = rgb_hex(0x141414);
const rgb wood = rgb_hex(0x8a5a30), dark_wood = rgb_hex(0x5a3a1e), iron = rgb_hex(0x6a6e76),
          gold = rgb_hex(0xd8b030), stone = rgb_hex(0x8c8a84), cloth = rgb_hex(0x8a2a2a);

// Fill the current path with a top-lit gradient of c and outline it.
void paint(cairo_t* cr, rgb c, double line = 1.6) {
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

void box(cairo_t* cr, double x, double y, double w, double h, rgb c, double r = 2) {
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

// A piece with no drawing of its own: a plain stone block.
void unknown_piece(cairo_t* cr) {
    box(cr, 12, 12, 40, 40, stone, 3);
}

// A broken table: a tilted top and a snapped leg.
void broken_table(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, 6, 26);
    cairo_line_to(cr, 56, 16);
    cairo_line_to(cr, 58, 34);
    cairo_line_to(cr, 8, 46);
    cairo_close_path(cr);
    paint(cr, wood);
    line(cr, 14, 46, 12, 58, dark_wood, 4);
    line(cr, 40, 52, 52, 58, dark_wood, 4);
}

// Ids 1..7: the stairs, the pool and the lights, lit or dark.
void draw_lights(cairo_t* cr, int id, int s) {
    switch (id) {
    case 1:
        stairs(cr, true);
        break;
    case 2:
        stairs(cr, false);
        break;
    case 3:
        ellipse(cr, 32, 36, 24, 16, scale(stone, 0.7));
        ellipse(cr, 32, 34, 18, 11, s ? rgb_hex(0x5050e0) : rgb_hex(0x303040));
        if (s) {
            glow(cr, 32, 30, 26, rgb_hex(0x90a0ff), 0.6);
            for (int i = 0; i < 5; ++i)
                disc(cr, 20 + i * 6, 28 + (i % 2) * 6, 1.5, rgb_hex(0xd0e0ff));
        }
        break;
    case 4: // torch on the wall, shining south
        box(cr, 28, 22, 8, 26, dark_wood, 1);
        box(cr, 25, 20, 14, 6, iron, 1);
        if (s == 0)
            flame(cr, 32, 16, 7);
        else
            disc(cr, 32, 18, 4, rgb_hex(0x2a2a2a));
        break;
    case 5:
        box(cr, 29, 20, 6, 36, iron, 1);
        box(cr, 20, 54, 24, 6, iron, 1);
        box(cr, 22, 16, 20, 6, iron, 1);
        if (s == 0) flame(cr, 32, 12, 6);
        break;
    case 6:
        line(cr, 20, 40, 14, 60, iron, 4);
        line(cr, 44, 40, 50, 60, iron, 4);
        line(cr, 32, 42, 32, 60, iron, 4);
        cairo_new_path(cr);
        cairo_move_to(cr, 12, 30);
        cairo_line_to(cr, 52, 30);
        cairo_line_to(cr, 44, 44);
        cairo_line_to(cr, 20, 44);
        cairo_close_path(cr);
        paint(cr, iron);
        if (s == 0) {
            flame(cr, 26, 26, 6);
            flame(cr, 38, 24, 7);
        } else
            ellipse(cr, 32, 30, 18, 3, rgb_hex(0x2a2a2a));
        break;
    case 7:
        for (int i = 0; i < 8; ++i)
            disc(cr, 32 + 16 * std::cos(i * M_PI / 4), 40 + 10 * std::sin(i * M_PI / 4), 5, stone);
        line(cr, 20, 46, 44, 34, dark_wood, 5);
        line(cr, 20, 34, 44, 46, dark_wood, 5);
        if (s == 0)
            flame(cr, 32, 36, 9);
        else
            ellipse(cr, 32, 40, 8, 4, rgb_hex(0x3a3a3a));
        break;
    default:
        unknown_piece(cr);
        break;
    }
}

// Ids 8..30: doors, containers, stands, altars and the cauldron, closed, empty or full.
void draw_containers(cairo_t* cr, int id, int s) {
    switch (id) {
    case 8:
    case 9:
    case 10:
        door(cr, id, s == 1);
        break;
    case 12:
    case 13:
        chest(cr, s, wood);
        if (id == 13) coin_mark(cr);
        break;
    case 14:
    case 15:
        barrel(cr, s);
        if (id == 15) coin_mark(cr);
        break;
    case 16:
    case 17:
        crate(cr, s);
        if (id == 17) coin_mark(cr);
        break;
    case 18:
        coffin(cr, s, false);
        break;
    case 19:
        coffin(cr, s, true);
        break;
    case 20:
    case 21:
        line(cr, 32, 14, 32, 56, dark_wood, 4);
        line(cr, 18, 20, 46, 20, dark_wood, 4);
        box(cr, 18, 54, 28, 6, dark_wood, 1);
        if (s) stand_items(cr, id);
        if (id == 21) coin_mark(cr);
        break;
    case 22:
    case 23:
        box(cr, 8, 48, 48, 8, dark_wood, 1);
        box(cr, 8, 10, 48, 5, dark_wood, 1);
        line(cr, 10, 12, 10, 56, dark_wood, 4);
        line(cr, 54, 12, 54, 56, dark_wood, 4);
        if (s) stand_items(cr, id);
        if (id == 23) coin_mark(cr);
        break;
    case 24:
    case 25:
        box(cr, 8, 4, 48, 56, dark_wood, 1);
        for (int r = 0; r < 3; ++r)
            box(cr, 11, 7 + r * 16, 42, 14, rgb_hex(0x2a1a10), 0.5);
        if (s) stand_items(cr, id);
        if (id == 25) coin_mark(cr);
        break;
    case 26:
    case 27:
        line(cr, 14, 40, 14, 58, dark_wood, 4);
        line(cr, 50, 40, 50, 58, dark_wood, 4);
        box(cr, 6, 18, 52, 24, wood, 2);
        if (s) loot(cr, 32, 28);
        if (id == 27) coin_mark(cr);
        break;
    case 28:
        box(cr, 8, 22, 48, 32, stone, 2);
        box(cr, 6, 18, 52, 8, scale(stone, 1.15), 2);
        box(cr, 28, 30, 8, 18, gold, 1);
        box(cr, 24, 34, 16, 5, gold, 1);
        if (s) {
            disc(cr, 16, 14, 5, rgb_hex(0xe8e0d0));
            loot(cr, 42, 12);
        }
        break;
    case 29:
        box(cr, 20, 24, 24, 34, stone, 2);
        box(cr, 16, 18, 32, 8, scale(stone, 1.15), 2);
        box(cr, 16, 54, 32, 6, scale(stone, 0.9), 1);
        if (s) loot(cr, 32, 12);
        break;
    case 30:
        line(cr, 18, 46, 14, 60, iron, 4);
        line(cr, 46, 46, 50, 60, iron, 4);
        ellipse(cr, 32, 36, 22, 18, rgb_hex(0x34343a));
        ellipse(cr, 32, 26, 20, 6, s ? rgb_hex(0x40b040) : rgb_hex(0x1a1a1a));
        if (s) {
            disc(cr, 26, 24, 3, rgb_hex(0x80f080));
            disc(cr, 38, 27, 2, rgb_hex(0x80f080));
        }
        break;
    default:
        unknown_piece(cr);
        break;
    }
}

// Ids 31..46: statues, the lever, the broken table, seats, the throne, shelves and pillars.
void draw_fittings(cairo_t* cr, int id, int s) {
    switch (id) {
    case 31:
    case 32:
    case 33:
    case 34:
    case 35:
        statue(cr, id);
        break;
    case 37:
        box(cr, 20, 20, 24, 28, iron, 2);
        line(cr, 32, 38, s ? 44 : 20, 12, dark_wood, 5);
        disc(cr, s ? 44 : 20, 12, 5, s ? rgb_hex(0x30c030) : rgb_hex(0xc03030));
        break;
    case 38:
        broken_table(cr);
        break;
    case 39:
    case 40:
        box(cr, 18, 8, 28, 28, wood, 2);
        box(cr, 16, 32, 32, 8, wood, 2);
        line(cr, 18, 40, 18, 58, dark_wood, 4);
        line(cr, 46, 40, id == 40 ? 52 : 46, id == 40 ? 50 : 58, dark_wood, 4);
        if (id == 40) line(cr, 20, 14, 40, 30, ink, 2);
        break;
    case 41:
        box(cr, 14, 4, 36, 40, cloth, 6);
        box(cr, 10, 36, 44, 12, gold, 2);
        line(cr, 14, 48, 14, 60, gold, 4);
        line(cr, 50, 48, 50, 60, gold, 4);
        disc(cr, 32, 10, 4, gold);
        break;
    case 42:
    case 43:
        box(cr, 14, 4, 36, 56, dark_wood, 2);
        box(cr, 17, 14, 30, 44, rgb_hex(0x3a5a9a), 2);
        box(cr, 19, 6, 26, 10, rgb_hex(0xe8e4dc), 4);
        if (id == 43) {
            line(cr, 14, 36, 50, 28, ink, 2.5);
            box(cr, 30, 40, 20, 20, rgb_hex(0x1a1410), 1);
        }
        break;
    case 44:
        box(cr, 16, 8, 32, 8, scale(stone, 1.1), 1);
        box(cr, 20, 14, 24, 38, stone, 1);
        box(cr, 14, 50, 36, 10, scale(stone, 0.9), 1);
        for (int i = 0; i < 3; ++i)
            line(cr, 25 + i * 7, 16, 25 + i * 7, 50, scale(stone, 0.7), 1.2);
        break;
    case 45:
        box(cr, 20, 30, 24, 22, stone, 1);
        box(cr, 14, 50, 36, 10, scale(stone, 0.9), 1);
        disc(cr, 14, 26, 5, stone);
        disc(cr, 48, 40, 4, stone);
        break;
    case 46:
        box(cr, 24, 6, 16, 54, wood, 2);
        for (int i = 0; i < 3; ++i) {
            disc(cr, 32, 14 + i * 16, 6, i == 0 ? cloth : rgb_hex(0x2a6a8a));
            set_colour(cr, ink);
            cairo_arc(cr, 30, 13 + i * 16, 1.5, 0, 7);
            cairo_arc(cr, 34, 13 + i * 16, 1.5, 0, 7);
            cairo_fill(cr);
        }
        break;
    default:
        unknown_piece(cr);
        break;
    }
}

// Ids 47..60: rocks, hangings, the forge, wells, fountains and the other fittings.
void draw_decorations(cairo_t* cr, int id, int s) {
    switch (id) {
    case 47: {
        tnoise n(47);
        for (int i = 0; i < 12; ++i)
            disc(cr, n.range(10, 54), n.range(20, 56), n.range(3, 8), scale(stone, n.range(0.7, 1.1)));
        break;
    }
    case 48:
        cairo_new_path(cr);
        cairo_move_to(cr, 20, 60);
        cairo_line_to(cr, 30, 4);
        cairo_line_to(cr, 44, 60);
        cairo_close_path(cr);
        paint(cr, scale(stone, 0.85));
        cairo_new_path(cr);
        cairo_move_to(cr, 40, 60);
        cairo_line_to(cr, 48, 30);
        cairo_line_to(cr, 56, 60);
        cairo_close_path(cr);
        paint(cr, scale(stone, 0.7));
        break;
    case 49:
        box(cr, 12, 10, 40, 30, gold, 2);
        box(cr, 16, 14, 32, 22, rgb_hex(0x3a5a7a), 1);
        cairo_new_path(cr);
        cairo_move_to(cr, 16, 36);
        cairo_line_to(cr, 28, 22);
        cairo_line_to(cr, 36, 30);
        cairo_line_to(cr, 48, 18);
        cairo_line_to(cr, 48, 36);
        cairo_close_path(cr);
        paint(cr, rgb_hex(0x4a7a3a), 0.8);
        break;
    case 50:
        line(cr, 8, 8, 56, 8, dark_wood, 4);
        cairo_new_path(cr);
        cairo_move_to(cr, 12, 8);
        cairo_line_to(cr, 52, 8);
        cairo_line_to(cr, 52, 50);
        cairo_line_to(cr, 32, 42);
        cairo_line_to(cr, 12, 50);
        cairo_close_path(cr);
        paint(cr, rgb_hex(0x6a2a6a));
        disc(cr, 32, 24, 7, gold);
        break;
    case 51:
        box(cr, 8, 20, 48, 38, rgb_hex(0x4a4a50), 3);
        box(cr, 16, 28, 32, 14, rgb_hex(0x1a0a04), 2);
        glow(cr, 32, 35, 16, rgb_hex(0xff6010), 0.9);
        box(cr, 40, 6, 10, 16, rgb_hex(0x4a4a50), 1);
        break;
    case 52:
    case 53:
        ellipse(cr, 32, 36, 24, 20, stone);
        ellipse(cr, 32, 36, 16, 13, id == 52 ? rgb_hex(0x2a5a9a) : rgb_hex(0x141414));
        line(cr, 10, 14, 10, 36, dark_wood, 3);
        line(cr, 54, 14, 54, 36, dark_wood, 3);
        line(cr, 8, 14, 56, 14, dark_wood, 4);
        break;
    case 54:
    case 55:
        box(cr, 26, 34, 12, 24, stone, 1);
        ellipse(cr, 32, 28, 22, 12, stone);
        ellipse(cr, 32, 27, 16, 7, id == 54 ? rgb_hex(0x4a8acf) : rgb_hex(0x2a2826));
        break;
    case 56:
        line(cr, 32, 30, 32, 60, dark_wood, 4);
        line(cr, 14, 30, 50, 30, dark_wood, 4);
        box(cr, 24, 20, 16, 24, rgb_hex(0xc8b070), 5);
        disc(cr, 32, 14, 7, rgb_hex(0xc8b070));
        break;
    case 57:
        line(cr, 20, 44, 14, 60, dark_wood, 4);
        line(cr, 44, 44, 50, 60, dark_wood, 4);
        disc(cr, 32, 30, 22, rgb_hex(0xe8e0d0));
        disc(cr, 32, 30, 16, rgb_hex(0xc03030));
        disc(cr, 32, 30, 10, rgb_hex(0xe8e0d0));
        disc(cr, 32, 30, 4, rgb_hex(0xc03030));
        break;
    case 58:
        box(cr, 22, 44, 20, 14, gold, 2);
        glow(cr, 32, 30, 22, rgb_hex(0xa080ff), 0.5);
        disc(cr, 32, 30, 14, rgb_hex(0x8070d0));
        disc(cr, 28, 26, 4, rgb_hex(0xe0e0ff));
        break;
    case 59:
        box(cr, 20, 4, 24, 56, rgb_hex(0x80a0a8), 10);
        box(cr, 24, 20, 16, 36, rgb_hex(0x50b070), 6);
        box(cr, 18, 2, 28, 6, iron, 2);
        box(cr, 18, 56, 28, 6, iron, 2);
        break;
    case 60:
        line(cr, 32, 36, 32, 60, dark_wood, 5);
        box(cr, 8, 8, 48, 30, wood, 2);
        for (int i = 0; i < 3; ++i)
            line(cr, 14, 16 + i * 7, 50 - i * 6, 16 + i * 7, rgb_hex(0x2a1a0a), 2);
        break;
    default:
        unknown_piece(cr);
        break;
    }
}

// Draws state s of the furniture id; each group of ids has its own drawer.
void draw_piece(cairo_t* cr, int id, int s) {
    if (id <= 7)
        draw_lights(cr, id, s);
    else if (id <= 30)
        draw_containers(cr, id, s);
    else if (id <= 46)
        draw_fittings(cr, id, s);
    else
        draw_decorations(cr, id, s);
}

std::vector<timage> draw_states(int id) {
    std::vector<timage> out;
    const int states = furniture_states(id);
    for (int s = 0; s < states; ++s) {
        tcanvas canvas;
        draw_piece(canvas.cr(), id, s);
        out.push_back(canvas.finish());
    }
    return out;
}

} // namespace

int furniture_states(int id) {
    if (id == 11 || id == 36) return 0;
    if (id == 3 || (id >= 4 && id <= 10) || id == 37) return 2;
    if (id >= 12 && id <= 19) return 3;
    if (id >= 20 && id <= 30) return 2;
    return 1;
}

std::vector<timage> furniture_art(int id) {
    return draw_states(id);
}

} // namespace dravok::tilebuild
