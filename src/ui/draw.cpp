// Frame drawing. Until the renderer lands a redraw only counts the frame.
#include "ui/draw.h"

namespace dravok {

long frames_painted = 0;

void draw_screen() { ++frames_painted; }

} // namespace dravok
