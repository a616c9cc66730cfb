#include "rules/pantheon.h"

namespace dravok {

std::array<tbeing, avatar_slot_count + 1> avatars{};
std::array<std::vector<titem>, avatar_slot_count + 1> avatar_items;
std::vector<tbeing> demigods(1);
std::vector<std::vector<titem>> demigod_items(1);

void save_avatars() {
    // not built yet: the pantheon file; nothing is written
}

void remove_avatar(int avatar_id) {
    if (avatar_id < 1 || avatar_id > avatar_slot_count) return;
    avatars[avatar_id].present = 0;
    avatars[avatar_id].serial = 0;
    avatars[avatar_id].highest_item = 0;
    avatar_items[avatar_id].clear();
}

void update_demigods() {
    // not built yet: demigods joining the pantheon
}

bool load_avatars() {
    // not built yet: the pantheon file; the avatars are set up afresh each start
    return false;
}

void setup_avatars(int) {
    // not built yet: the eight avatars of the gods
}

void free_pantheon() {
    for (auto& items : avatar_items)
        items.clear();
    demigods.assign(1, tbeing{});
    demigod_items.assign(1, {});
}

void add_demigod(int) {
    // not built yet: storing a demigod
}
void ascend_companions(int) {
    // not built yet: the companions' ascension
}
void ascend_player() {
    // not built yet: the ascension ending
}
void replace_avatar_with_being(int, int) {
    // not built yet: a being taking a god's place
}

void place_demigods(int) {
    // not built yet: the demigods of the pantheon waiting on the hub level
}

} // namespace dravok
