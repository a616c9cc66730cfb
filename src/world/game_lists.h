// The lists a game keeps beside its records: the characters that can be played again, the
// game's history, the chatter said lately and when, and the names of the saves. Defined in
// world/world_lifecycle.cpp; a new game clears them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace dravok {

struct tcharacter;

// The characters that can be played again, from entry 1.
extern std::vector<tcharacter> past_characters;

// Lists kept for the game: its history, the chatter said lately and when, the save names.
extern std::vector<std::string> history;
extern std::vector<std::string> recent_chatter;
extern uint32_t last_chatter_time;
extern std::vector<std::string> save_names;

} // namespace dravok
