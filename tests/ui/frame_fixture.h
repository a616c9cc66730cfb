// A world to draw for the renderer's tests and benchmark: a generated level, the player with
// creatures and items round it, light falling off with distance, and the player's view as the
// sight pass leaves it (explored marks, remembered sprites, the view memory's shaded sprites).
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace dravok::frame_fixture {

// Builds a tile set for the fixture's templates into folder/Data with the game's tile-set
// builder; false when the builder is not there.
bool build_tileset(const std::string& folder);
// Database tables sized like the fixture's tile set, the settings' defaults and layout.
void prepare_tables();
// A level generated from a fixed seed, the player (being 1) in a room near a door, a dozen
// creatures and ten items in view, each with its own content icon, the view computed. Returns false when no
// such place was found.
bool prepare_level(unsigned seed);
// The player's view round being 1: light, explored marks, view memory.
void compute_view();

// Where things were put, for checks.
struct tplaced {
    int player_x = 0, player_y = 0;
    int creature_x = 0, creature_y = 0;
    int item_x = 0, item_y = 0;
    int door_x = 0, door_y = 0;
    std::vector<std::pair<int, int>> creature_cells, item_cells; // all but the player
};
extern tplaced placed;

} // namespace dravok::frame_fixture
