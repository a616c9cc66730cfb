// Weak stand-ins: see the header. The owners' units replace them at link time.
#include "ai/world_stand_ins.h"

#include <algorithm>

#include "rules/being_creation.h"
#include "world/being.h"
#include "world/globals.h"
#include "world/map.h"

namespace dravok {

[[gnu::weak]] void kill_being(int being, tdamage& damage, int depth) {
    if (!is_being_ok(being, depth)) return;
    beings[being].last_damage = damage;
    remove_being(being, depth);
}

[[gnu::weak]] void end_charm(int being, bool release) {
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    b.charmer = 0;
    b.charm_end = 0;
    if (release) release_follower(being);
    b.type_flags[tf_charmed] = 0;
    b.type_flags[tf_ignore_emotion_presets] = 0;
}

[[gnu::weak]] void end_confusion(int being) {
    if (!is_being_ok(being)) return;
    beings[being].type_flags[tf_confused] = 0;
    beings[being].confusion_end = 0;
}

[[gnu::weak]] void release_follower(int being) {
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    const int master = find_being_by_serial(b.master);
    if (master > 0 && beings[master].followers > 0) --beings[master].followers;
    b.master = 0;
    b.master_name = "";
    b.follower_word = 0;
}

[[gnu::weak]] void seek_master(int, int) {}
[[gnu::weak]] void seek_pack_leader(int, int) {}

[[gnu::weak]] bool is_confined_in_cell(int being, bool check_exit) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = beings[being];
    if (!has_type_flag(b, tf_spawned_in_cell) || !has_type_flag(b, tf_has_not_left_cell)) return false;
    const int zone = cell_at(b.x, b.y).vault_zone;
    if (zone < vz_first_cell || zone > vz_last_cell) return false;
    if (!check_exit) return true;
    const int area = cell_at(b.x, b.y).area;
    if (area < 1 || area >= int(areas.size())) return false;
    const auto& exit = areas[area].cell_zone_exits[zone - vz_first_cell];
    return on_map(exit.x, exit.y) && can_move_to(being, exit.x, exit.y, 0, true, true) < 1;
}

[[gnu::weak]] bool is_in_home_area(int being) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = beings[being];
    return b.home_level == level.index && b.home_area != 0 && cell_at(b.x, b.y).area == b.home_area;
}

[[gnu::weak]] void reset_being_path(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    beings[being].noticed_stimulus = tsound{};
    beings[being].heard_sound = tsound{};
    beings[being].investigate_slot = 0;
}

[[gnu::weak]] bool being_type_matches(int being, const int* types, int count, int, int other) {
    if (count < 1 || !is_being_ok(being)) return false;
    if (other != 0 && !is_being_ok(other)) return false;
    const tbeing& b = beings[being];
    if (other != 0 && types[0] >= tf_all && types[0] <= tf_all_except_same_race) {
        const tbeing& o = beings[other];
        switch (types[0]) {
        case tf_all:
            return true;
        case tf_same_plan:
            return b.plan == o.plan;
        case tf_all_except_same_plan:
            return b.plan != o.plan;
        case tf_same_type:
            return b.category == o.category;
        case tf_all_except_same_type:
            return b.category != o.category;
        case tf_same_race:
            return b.race == o.race;
        default:
            return b.race != o.race;
        }
    }
    for (int i = 0; i < count; ++i) {
        const int t = types[i];
        if (t >= 1 && t <= 219) {
            if (!has_type_flag(b, t)) return false;
        } else if (t <= 0) {
            if (-t < type_flag_count && has_type_flag(b, -t)) return false;
        } else if (b.plan != t - 219) {
            return false;
        }
    }
    return true;
}

[[gnu::weak]] void add_floating_text(int, std::string_view, uint32_t) {}
[[gnu::weak]] void add_cell_animation(int, int, int, int, int) {}
[[gnu::weak]] void add_coins_to_being(int, int, int) {}
[[gnu::weak]] int being_coins(int) {
    return 0;
}

} // namespace dravok
