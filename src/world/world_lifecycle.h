// The world's start-up, allocation, reset before each game and release at program end.
#pragma once

namespace dravok {

// Start-up, once, before anything else: settings defaults, lists, random seed, tables,
// presets, the error log kept from earlier runs.
void init_globals();
// Once, after the database is loaded: the beings and the level's arrays at their first size.
void allocate_world();
// At start and before each new game or load.
void reset_world();
// Program end.
void free_world();
void free_all();
void shutdown(bool halt);

} // namespace dravok
