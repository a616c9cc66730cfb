// The running game's record and the fresh one a new game starts from.
#pragma once

namespace dravok {

struct tgame;

extern tgame game;
// Copied over the game's record before each new game or load.
extern tgame game_template;

} // namespace dravok
