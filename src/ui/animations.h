// Floating texts, indicator lines, cell animations, lunges and speech bubbles: advanced by one
// tick each (true when something changed) and drawn onto the effects layer. Called by the frame
// drawing's animation tick, and cleared between games.
#pragma once

namespace dravok {

bool update_lunges();
bool update_cell_animations();
bool update_indicators();
bool update_indicator_lines();
bool update_bubbles();
void draw_indicators();
void draw_indicator_lines();
void draw_speech_bubbles();
void clear_speech_bubbles();
// Every list emptied, the bubbles blanked, the beings' animation flags cleared.
void clear_all_indicators();

} // namespace dravok
