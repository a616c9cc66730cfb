// Level-ups: the level-up screen's set-up when a being has gathered the experience of its next
// level. Called by the module initialisation and the experience awards.
#pragma once

namespace dravok {

void setup_level_up(int being);

} // namespace dravok
