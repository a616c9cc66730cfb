// The pantheon: the eight avatars of the gods with their items and the stored demigods, kept
// from game to game. Being creation copies avatars; removing a being updates the pantheon.
#pragma once
#include <array>
#include <vector>

#include "records/layout.h"

namespace dravok {

constexpr int avatar_slot_count = 8;

// Slots 1..8 (entry 0 unused) and their item lists (each from index 1).
extern std::array<tbeing, avatar_slot_count + 1> avatars;
extern std::array<std::vector<titem>, avatar_slot_count + 1> avatar_items;
// Demigods from index 1 and their item lists.
extern std::vector<tbeing> demigods;
extern std::vector<std::vector<titem>> demigod_items;

void save_avatars();
void remove_avatar(int avatar_id);
void update_demigods();

} // namespace dravok
