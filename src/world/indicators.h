// The passing marks the rules and the AI leave on the map for the eye: floating texts over a
// cell or a being, lines and beams between beings, cell animations played from the tile set's
// animation rows, and the lunge of an attacker. They change nothing in the game; this unit keeps
// their lists and adds to them, the interface advances and draws them on its effects timer.
// Called by damage, combat, sleep, traps, furniture, effects and the decision chain.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/layout_parts.h"

namespace dravok {

constexpr uint32_t floating_red = 0xFF0000;
constexpr int indicator_text_limit = 30;
constexpr int indicator_line_ticks = 15;
constexpr int cell_animation_frame_limit = 500;

struct tindicator {
    int x = 0, y = 0, being = 0;
    uint32_t colour = 0;
    int rise = 0;
    bool only_if_seen = false;
    std::string text;
};
struct tindicator_line {
    int from_being = 0, to_being = 0, from_x = 0, from_y = 0, to_x = 0, to_y = 0;
    int kind = 0; // 1..4 a jagged beam's palette, above 4 the colour of a straight line
    int remaining = indicator_line_ticks;
};
struct tcell_animation {
    int serial = 0, kind = 0, x = 0, y = 0, ticks_per_frame = 1;
    int flagged_being = 0, followed_being = 0, countdown = 0, frame_count = 0, current_frame = 0;
    std::vector<uint16_t> frames; // from 1; entry 0 is no image
};

// Oldest first.
extern std::vector<tindicator> indicators;
extern std::vector<tindicator_line> indicator_lines;
extern std::vector<tcell_animation> cell_animations;
// Per being: a cell animation shows in the being's place while it plays.
extern std::vector<uint8_t> animation_shown;

// A floating text over the cell (x, y), in the given colour (0xRRGGBB).
void add_floating_text(int x, int y, std::string_view text, uint32_t colour);
// A floating text over a being, in the given colour (0xRRGGBB), drawn where seen.
void add_floating_text(int being, std::string_view text, uint32_t colour);
// A floating indicator over (x, y), or following the being.
void add_indicator(int x, int y, std::string_view text, uint32_t colour, bool follow_being, int being);
// A line between two beings (from_being above 0) or two cells, 15 ticks long.
void add_line(int from_being, int to_being, int from_x, int from_y, int to_x, int to_y, int kind,
              bool check_seen);
void remove_lines_of_being(int being);
// A cell animation of the kind at (x, y).
void add_cell_animation(int x, int y, int kind, int ticks_per_frame, int repeats);
void add_cell_animation(int x, int y, int kind, int delay, int frame_offset, int repeats, int ticks_per_frame,
                        int flagged_being, int followed_being);
void remove_cell_animations(int x, int y);
// Ticks until every animation now on the cell has ended.
int cell_animation_wait(int x, int y);
void animate_being_hit(int being);
void animate_cell(int x, int y);
void animate_being_or_cell(int being, int x, int y);
void animate_being(int being);
void add_death_animation(int being);
// The animation of an effect over its area.
void animate_effect_area(const teffect& effect);
bool being_animation_shown(int being);
void set_animation_shown(int being, bool shown);
// Empties every list and clears the beings' shown flags.
void clear_indicator_lists();

} // namespace dravok
