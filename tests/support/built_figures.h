// The figures of the built tile set (first images, variants), as the game has them before it
// creates a level: without them every new creature logs a missing image. Shared by the tests
// and the benchmarks that make levels from the built database.
#pragma once

namespace dravok {

// Reads Data/Dravok.dti of the build against the loaded database's tables; false when missing.
bool load_built_sprite_figures();

} // namespace dravok
