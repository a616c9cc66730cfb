// The pen and parts of the furniture drawings: shaded shapes on the 64-pixel tile, and the
// pieces several furniture ids share (stairs, doors, containers, coffins, stands, statues).
#pragma once
#include "raster.h"

namespace dravok::tilebuild::furniture {

inline const rgb ink = rgb_hex(0x141414);
inline const rgb wood = rgb_hex(0x8a5a30), dark_wood = rgb_hex(0x5a3a1e), iron = rgb_hex(0x6a6e76),
                 gold = rgb_hex(0xd8b030), stone = rgb_hex(0x8c8a84), cloth = rgb_hex(0x8a2a2a);

// Fill the current path with a top-lit gradient of c and outline it.
void paint(cairo_t* cr, rgb c, double line = 1.6);
// A shaded rounded box, disc and ellipse.
void box(cairo_t* cr, double x, double y, double w, double h, rgb c, double r = 2);
void disc(cairo_t* cr, double x, double y, double r, rgb c);
void ellipse(cairo_t* cr, double x, double y, double rx, double ry, rgb c);
// A plain stroke of width w with round caps.
void line(cairo_t* cr, double x1, double y1, double x2, double y2, rgb c, double w);
// A soft radial light of radius r.
void glow(cairo_t* cr, double x, double y, double r, rgb c, double strength);
// A lit flame of size s with its glow.
void flame(cairo_t* cr, double x, double y, double s);
// The coin in the top right corner of the pieces that hold money.
void coin_mark(cairo_t* cr);
// A small heap of coins and gems.
void loot(cairo_t* cr, double x, double y);

// Stairs going down or up.
void stairs(cairo_t* cr, bool down);
// A door of the furniture kind, closed or open.
void door(cairo_t* cr, int kind, bool open);
// Containers in their states: closed, open and empty, open and full.
void chest(cairo_t* cr, int state, rgb body);
void barrel(cairo_t* cr, int state);
void crate(cairo_t* cr, int state);
void coffin(cairo_t* cr, int state, bool stone_made);
// What the stands and shelves of the furniture id show when full.
void stand_items(cairo_t* cr, int id);
// The statue of the furniture id on its plinth.
void statue(cairo_t* cr, int id);

} // namespace dravok::tilebuild::furniture
