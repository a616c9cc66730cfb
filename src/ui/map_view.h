// The map view: the view window on the level, the map layer (terrain, furniture, splashes,
// items, effects and marks of the cells in view, the remembered look of explored cells), the
// threat arrows at the view's edges, the creature layer (beings with their target frames,
// health bars, sleep and unaware marks and names), the cell animations, and the aiming
// overlay of the target and autopilot modes. Called by the frame drawing of each game mode.
#pragma once
#include "platform/bitmap.h"

namespace dravok {

// Places the view window round (centre x, centre y) and redraws map_layer.
void draw_map(int viewer, int centre_x, int centre_y);
// The arrows of offscreen_beings onto map_layer.
void draw_threat_markers();
// creature_layer := map_layer with the beings the viewer sees.
void draw_creatures(int viewer);
// The animation sprites of view_memory onto effects_layer.
void draw_cell_animations();
void draw_target_overlay(int being);
// Whether (x, y) holds a valid target; the brush is left in the overlay colour of the cell.
bool target_cell_colour(Bitmap& bitmap, int x, int y, Colour bad, Colour good);
// The log panel shows what is aimed and the keys of target or autopilot mode instead of the log.
void draw_target_hints(int being);

// The view stays put until the followed position comes within 3 cells of an edge.
int push_scroll_centre(int position, int centre, int half_size);
double health_ratio(int being);
Colour health_bar_colour(int viewer, int being, int x, int y);

enum corner : unsigned {
    corner_bottom_right = 1,
    corner_bottom_left = 2,
    corner_top_right = 4,
    corner_top_left = 8,
    corner_all = 15
};
void draw_corner_frame(Bitmap& bitmap, int left, int top, unsigned corners, int arm, int thickness,
                       int height, int width);
void draw_attack_target_frame(int viewer, int target, int left, int top, int width, int height);
void draw_marked_target_frame(int viewer, int target, int left, int top, int width, int height);

} // namespace dravok
