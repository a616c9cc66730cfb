// A rooms-and-corridors level template built in code, for the generator's tests and the
// benchmarks: the level record filled in, no vault templates and no contents.
#pragma once

namespace dravok {

struct template_options {
    int map_size = 64;
    int dig_steps = 60;
    int corridor_weight = 40;
    int room_weight = 60;
    int room_maximum = 0;
    int corridor_style = 1;
    int level_index = 3;
    int dressing_pairs = 2; // grey blocks, then brown ones
    bool secret_doors = true;
    bool locks = true;
    bool spawns = true;
};

// Fills `level` (and `map_size`) with the template; empties the vault and content tables.
void make_test_level(const template_options& options);
// The template at the size the benchmarks measure: 128 cells, 250 dig steps, one dressing pair,
// no locks.
template_options bench_template();

} // namespace dravok
