#include "ui/animations.h"

namespace dravok {

// not built yet: lunges, cell animations, floating texts, lines and speech bubbles; nothing moves
bool update_lunges() {
    return false;
}
bool update_cell_animations() {
    return false;
}
bool update_indicators() {
    return false;
}
bool update_indicator_lines() {
    return false;
}
bool update_bubbles() {
    return false;
}
void draw_indicators() {}
void draw_indicator_lines() {}
void draw_speech_bubbles() {}
void clear_speech_bubbles() {}
void clear_all_indicators() {}

bool being_animation_shown(int) {
    // not built yet: cell animations; no being is ever shown by one
    return false;
}

} // namespace dravok
