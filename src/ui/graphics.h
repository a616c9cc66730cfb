// The renderer's off-screen bitmaps and sprite lists: the frame, the three map layers, the
// minimap bitmaps, the panels, the list panes and work bitmaps, the threat arrows, and the
// terrain, object and icon image lists. Created once by the window's creation handler, sized
// by the layout, filled by the tile-set loader, drawn on by every renderer unit.
#pragma once
#include <array>
#include <vector>

#include "platform/bitmap.h"
#include "platform/image_list.h"
#include "records/tileset_file.h"

namespace dravok {

extern Bitmap screen_bitmap;
extern Bitmap map_layer, creature_layer, effects_layer;
extern Bitmap level_minimap, minimap_work_bitmap, minimap_bitmap;
extern Bitmap status_panel, side_panel, log_panel;
extern std::array<Bitmap, 3> list_pane_bitmaps;
extern std::array<Bitmap, 3> work_bitmaps;
extern std::array<Bitmap, 9> threat_marker_bitmaps; // 1..8, north clockwise

extern ImageList terrain_sprites, object_sprites, icon_sprites;

// The tile set's index as loaded: header and the 1-based entry tables of categories 1..11.
extern ttile_header tileset_header;
extern std::array<std::vector<tsprite_entry>, 12> sprite_categories;

// Creates the bitmaps and the three image lists; the minimap bitmaps get their fixed sizes.
void create_graphics();
// Frees the image lists, the category tables and every bitmap.
void free_graphics();
// Fills a bitmap black.
void clear_bitmap(Bitmap& bitmap);

} // namespace dravok
