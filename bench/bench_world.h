// A fresh world for each benchmark, whatever ran before it in the same run: the figures of one
// benchmark must not depend on the ones before it.
#pragma once

namespace dravok {

// A blank 128 x 128 map (no blocks, effects, lights, light map, items, lasting effects or areas
// beyond the first) and level record, no creatures and room for being_slots of them, a new game
// and run state in the main mode with the log muted, two blank creature plans, the sight tables
// built and the random numbers seeded. The benchmark then lays out its own level and creatures.
void reset_bench_world(int being_slots);

// The game's database and tile figures loaded, the world at its first sizes, a fresh game, run
// state and light, and a scratch program folder for level files: what a level is created in.
// False when the build has not made the data.
bool prepare_level_world();

} // namespace dravok
