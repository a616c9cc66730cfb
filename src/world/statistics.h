// The statistics kept across games (games, deaths, wins, time played): read at start-up,
// counted at the end of each game and saved, and shown in the main menu's footer. Called by the
// window's start-up, the end of play and the menu screen.
#pragma once
#include <cstdint>

#include "records/layout_files.h"

namespace dravok {

extern tstatistics statistics;

void load_statistics();
void save_statistics();
void count_game_end(bool won, uint32_t seconds_played);

} // namespace dravok
