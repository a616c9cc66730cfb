// Level setup and bookkeeping: area texts and writing the current level's record back into
// `levels`. Owner: the level generator; callers: level creation and level changes.
#pragma once

namespace dravok {

void set_area_texts();
void update_level(int depth);

} // namespace dravok
