// The pantheon: the eight avatars of the gods with their items and the stored demigods, kept
// from game to game. Being creation copies avatars; removing a being updates the pantheon.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "records/layout_being.h"
#include "records/layout_item.h"

namespace dravok {

constexpr int avatar_slot_count = 8;

// Slots 1..8 (entry 0 unused) and their item lists (each from index 1).
extern std::array<tbeing, avatar_slot_count + 1> avatars;
extern std::array<std::vector<titem>, avatar_slot_count + 1> avatar_items;
// Demigods from index 1 and their item lists.
extern std::vector<tbeing> demigods;
extern std::vector<std::vector<titem>> demigod_items;

// The slot 1..8 whose avatar has this id (the god plan's special kind), 0 when none has.
int find_avatar_slot(int avatar_id);
// Writes the pantheon file, or deletes it once an overgod has left the world.
void save_avatars();
void remove_avatar(int avatar_id);
void update_demigods();
// The pantheon file at start-up; false when there is none to read (then setup_avatars).
bool load_avatars();
// A fresh pantheon: eight gods picked from the god plans with their kits, no demigods; saved.
void setup_avatars(int depth);
// A new item of the template put into the first free entry of the avatar's item list.
void add_item_to_avatar(int slot, int item_plan, const tdice& amount, int depth);
// Releases the avatars' item lists and the demigods.
void free_pantheon();

// Puts the present demigods on the level being built (the hub).
void place_demigods(int depth);
// Appends the being to the stored demigods.
void add_demigod(int being);
// Every present companion of the player ascends with it.
void ascend_companions(int depth);
// The ascension ending.
void ascend_player();
// The present avatars in slot order, then the present demigods, for the "deities" placeholder.
std::string deities_list_text();
// The being takes the god's slot of the avatar.
void replace_avatar_with_being(int avatar, int being);

} // namespace dravok
