// Furniture drawing; see furniture_art.h.
#include "furniture_art.h"

#include <cmath>

#include "furniture_parts.h"

namespace dravok::tilebuild {
namespace {

using namespace furniture;

constexpr double T = art_tile;

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
// The size comes as it does to the other drawers; these shapes need only the context's scale.
void draw_decorations(cairo_t* cr, int id, [[maybe_unused]] int s) {
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
