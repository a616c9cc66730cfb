// Level creation: turns the current level record into a finished level on its first visit,
// by repeated generation attempts and then the dressing steps in their fixed order.
// Owner: the level generator; caller: level setup.
#pragma once
#include <string>

namespace dravok {

void create_level(int depth);

// The number of attempts the last create_level ran (for tests and reports).
extern int last_creation_attempts;

} // namespace dravok
