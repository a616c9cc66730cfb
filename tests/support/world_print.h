// One fingerprint of a game in progress: the game record, the player, every being with its
// items, the level's items and map cells, and the message log. Equal prints mean the same world;
// the recorded games and the same-seed tests compare them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace dravok::testing {

uint64_t world_print();

// The print in its parts, named, for telling which part of the world differs.
struct world_part {
    const char* name;
    uint64_t hash;
};
std::vector<world_part> world_print_parts();

// The newest `count` lines of the message log, without colour codes or time stamps, oldest
// first.
std::vector<std::string> last_log_lines(int count);

} // namespace dravok::testing
