// The statistics kept across games (games, deaths, wins, time played): read at start-up,
// counted at the end of each game and saved. Called by the window's start-up and the end of play.
#pragma once
#include <cstdint>

namespace dravok {

void load_statistics();
void save_statistics();
void count_game_end(bool won, uint32_t seconds_played);

} // namespace dravok
