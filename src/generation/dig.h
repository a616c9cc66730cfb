// The dig loop of one generation attempt: preparing the attempt from the level's generator
// parameters (`create_dungeon`, `setup_force_areas`), one growth step that picks a mark and
// builds an area on it (`dig_dungeon`) with the weighted choice of the area kind, and the
// forced-area query. Owner: the level generator; callers: level creation.
#pragma once

namespace dravok {

struct kind_ranges {
    bool allowed[10] = {};
    int low[10] = {};
    int high[10] = {};
    int allowed_count = 0;
    int total = 0;
};

void create_dungeon(int depth);
void setup_force_areas(int depth);
void dig_dungeon(int depth);
int first_pending_force_area();
void build_kind_weights(const bool* allowed, kind_ranges& out); // allowed[1..9]

} // namespace dravok
