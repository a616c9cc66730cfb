// The talent screen. Called by the frame drawing.
#pragma once

namespace dravok {

void draw_talent_screen();

} // namespace dravok
