#include "world/sprite_lookup.h"

#include <map>
#include <utility>

namespace dravok {

namespace {
std::map<std::pair<int, int>, tsprite_info>& table() {
    static std::map<std::pair<int, int>, tsprite_info> t;
    return t;
}
} // namespace

tsprite_info sprite_info(int category, int entry) {
    auto it = table().find({category, entry});
    return it == table().end() ? tsprite_info{} : it->second;
}

void set_sprite_info(int category, int entry, tsprite_info info) {
    table()[{category, entry}] = info;
}

void clear_sprite_infos() {
    table().clear();
}

} // namespace dravok
