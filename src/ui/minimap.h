// The minimap: the level in miniature with the view, the cursor and the marks of what the
// character knows. Called by the frame drawing.
#pragma once

namespace dravok {

void draw_minimap(int being, int x, int y);

} // namespace dravok
