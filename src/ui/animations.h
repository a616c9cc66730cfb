// Floating texts, indicator lines, cell animations, lunges and speech bubbles: advanced by one
// tick each (true when something changed) and drawn onto the effects layer. Called by the frame
// drawing's animation tick, and cleared between games.
#pragma once
#include <array>
#include <string>
#include <string_view>

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
// A speech bubble: entry 1 over the top of the map view, 2 at its bottom, 3 the dialog partner's.
struct tbubble {
    int speaker = 0, x = 0, y = 0, listener = 0, trigger = 0, line_count = 0, width = 0, age = 0,
        lifetime = 0;
    bool fixed = false, telepathic = false, item_voice = false;
    std::string text;
};
constexpr int bubble_entries = 3;
extern std::array<tbubble, bubble_entries + 1> bubbles;

// The bubble entry (1 or 2) a new speech of the being may take, 0 for none.
int choose_bubble_slot(int being);
void add_speech_bubble(int being, int listener, int trigger, std::string_view text);
void draw_speech_bubble(int entry);
// Every list emptied, the bubbles blanked, the beings' animation flags cleared.
void clear_all_indicators();

} // namespace dravok
