// The renderer's bitmaps and sprite lists; see graphics.h.
#include "ui/graphics.h"

namespace dravok {

Bitmap screen_bitmap;
Bitmap map_layer, creature_layer, effects_layer;
Bitmap level_minimap, minimap_work_bitmap, minimap_bitmap;
Bitmap status_panel, side_panel, log_panel;
std::array<Bitmap, 3> list_pane_bitmaps;
std::array<Bitmap, 3> work_bitmaps;
std::array<Bitmap, 9> threat_marker_bitmaps;

ImageList terrain_sprites, object_sprites, icon_sprites;

ttile_header tileset_header{};
std::array<std::vector<tsprite_entry>, 12> sprite_categories;

void clear_bitmap(Bitmap& bitmap) {
    bitmap.clear(colours::black);
}

void create_graphics() {
    level_minimap.set_size(256, 256);
    minimap_work_bitmap.set_size(256, 256);
    minimap_bitmap.set_size(128, 128);
    clear_bitmap(level_minimap);
    terrain_sprites.setup(32, 32, false);
    object_sprites.setup(32, 32, true, colours::white);
    icon_sprites.setup(32, 32, true, colours::white);
}

void free_graphics() {
    terrain_sprites.clear();
    object_sprites.clear();
    icon_sprites.clear();
    for (auto& table : sprite_categories)
        table.clear();
    for (Bitmap* b : {&screen_bitmap, &map_layer, &creature_layer, &effects_layer, &level_minimap,
                      &minimap_work_bitmap, &minimap_bitmap, &status_panel, &side_panel, &log_panel})
        b->set_size(0, 0);
    for (auto* group : {&list_pane_bitmaps, &work_bitmaps})
        for (Bitmap& b : *group)
            b.set_size(0, 0);
    for (Bitmap& b : threat_marker_bitmaps)
        b.set_size(0, 0);
}

} // namespace dravok
