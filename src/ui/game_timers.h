// The game window's timers as the rules see them: the spectator timer that drives the end of
// a game and the play timer that counts play time. Read by the scheduler and key entry.
#pragma once
#include <cstdint>

namespace dravok {

struct tgame_timer {
    bool enabled = false;
    uint32_t tag = 0; // spectator: the game clock at the start of a tick; play: idle seconds
};
extern tgame_timer spectator_timer;
extern tgame_timer play_timer;

// One tick of the spectator timer (also run at once by Escape after a death).
void spectator_timer_tick();

} // namespace dravok
