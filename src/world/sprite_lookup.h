// What the tile set says about one entry of a sprite category: its first image, its number of
// appearance variants and the images of each variant. The map grid (furniture variants) and
// being creation (creature images) ask here; the tile-set loader fills the table.
#pragma once
#include <cstdint>

namespace dravok {

enum sprite_category : int {
    sprites_terrain = 1,
    sprites_furniture = 2,
    sprites_overlay = 3,
    sprites_splash = 4,
    sprites_creature = 6,
    sprites_item = 7,
    sprites_effect = 8,
    sprites_icon = 9,
    sprites_talent = 10,
    sprites_interface = 11,
};

struct tsprite_info {
    uint16_t first_image = 0;
    uint16_t variants = 0;           // appearance variants (count a)
    uint16_t images_per_variant = 0; // count b
};

// The entry's figures; all zero when the tile set has no such entry (or none is loaded).
tsprite_info sprite_info(int category, int entry);
// Sets one entry (the tile-set loader, and tests without a tile set).
void set_sprite_info(int category, int entry, tsprite_info info);
void clear_sprite_infos();

// The images of each sprite category come in runs by light: terrain and furniture for light
// 0..3, the others for light 1..3. The image offset of the run for a light level (light 0 of a
// category without a dark run gives the light-1 run).
int light_offset(int category, int light);
// Sets run v (1..5) of a category (1..8) (the tile-set loader).
void set_light_offset(int category, int run, int offset);
// The sprite shaded by the light: sprite 0 stays 0.
int shaded_sprite(int category, int sprite, int light);
// The image drawn for entry `entry` of the effect sprites in their brightest light; 0 when the
// tile set has no such entry (the effect keeps its frame).
uint16_t effect_sprite_image(int entry);

} // namespace dravok
