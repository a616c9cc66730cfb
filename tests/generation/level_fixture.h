// Level templates built in code for the generator's tests, and checks over a generated level:
// reachability through floors and doors, area records against their cells, cells beyond the
// map untouched.
#pragma once
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "generation/grids.h"
#include "rules/being_creation.h"
#include "support/test_level.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok::testing_levels {

using dravok::make_test_level;
using dravok::template_options;

// Prepares an empty attempt on a map of the given size with the test level's parameters: the
// map and grids cleared, no marks, no areas, next area index 1.
void start_blank_attempt(int size);
// Builds a rectangular area by hand: wall border, floor inside, registered as `kind`.
void carve_area(int area, int x1, int y1, int x2, int y2, int kind);

// Fills every cell and generator grid entry beyond the map with a pattern.
void poison_outside_map();
// True when no map cell beyond the map differs from the pattern and no generator grid holds
// anything but the pattern or 0 there.
bool outside_map_untouched();

// Floor cells (of any area) that cannot be reached from the first floor cell through floor,
// door and vanishing-wall cells.
int unreachable_floor_cells();

// Empty when every area record agrees with the cells it claims; else what disagrees.
std::string area_record_faults();

// Sends the error log to a fresh temporary folder and clears the quit request.
void use_temporary_error_log();
// Puts the error log back beside the program and clears the quit request.
void restore_error_log();
// The message of the newest error log entry ("" when the log is empty).
std::string last_logged_message();

// Loads the built database and the figures of the built tile set (first images, variants), as
// the game has them before it creates a level. False when either is missing.
bool load_built_database();

// Writes the current map as a PNG, six pixels a cell: walls grey, rooms tinted by area,
// corridors light, doors brown (open: yellow), secret doors red.
bool write_level_png(const std::string& path);
// The folder in the build tree that receives the level images (created when missing).
std::string level_image_folder();

// The map and the area records as bytes, for comparing two generations.
std::vector<uint8_t> level_snapshot();

// The database's levels, a temporary program folder for the level files and the world allocated
// as the game allocates it, with the given seed; the level files and tables go when it ends.
class levels_in_play_test : public ::testing::Test {
  protected:
    explicit levels_in_play_test(uint32_t seed) : seed_(seed) {}
    void SetUp() override;
    void TearDown() override;
    std::string folder;

  private:
    uint32_t seed_;
};

} // namespace dravok::testing_levels
