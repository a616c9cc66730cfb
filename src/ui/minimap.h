// The minimap: the explored level at one pixel per cell with dots for the seen items and beings,
// the cursor, and in autopilot mode the path and the map points; the frame of the map view over
// it. The base is redrawn on arrival and extended cell by cell as the player explores. Called by
// the frame drawing, the frame composition and (through the world's services) the level code.
#pragma once

namespace dravok {

// Cell (x, y) lies at pixel (x + minimap_margin, y + minimap_margin) of the base.
constexpr int minimap_margin = 31;

void draw_level_minimap();
// One newly explored cell onto the base.
void draw_minimap_cell(int x, int y);
// The minimap bitmap of this frame, marking (x, y).
void draw_minimap(int being, int x, int y);
// Over the minimap placed on the screen at (x, y): the view's frame and, in autopilot, map points.
void draw_minimap_view_frame(int x, int y);

} // namespace dravok
