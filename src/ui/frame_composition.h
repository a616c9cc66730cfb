// The frame of the map modes: the message log panel and the composition of the map view, the
// log and the side columns (minimap and status, or the side panel) into the screen bitmap, where
// the layout places them. Called by the frame drawing.
#pragma once

namespace dravok {

void draw_log_panel();
void compose_frame();

} // namespace dravok
