// The character sheet screen: its text built once when opened, then drawn. Called by the frame
// drawing and the character mode's keys.
#pragma once

namespace dravok {

void build_character_sheet();
void draw_character_sheet();

} // namespace dravok
