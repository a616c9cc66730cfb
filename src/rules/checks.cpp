// Skill checks and reveals.
#include "rules/checks.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <cstdint>

#include "ai/light.h"
#include "ai/sight.h"
#include "records/being_flags.h"
#include "rules/being_creation.h"
#include "rules/effects.h"
#include "rules/followers.h"
#include "rules/level_up.h"
#include "world/being.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/globals.h"
#include "world/indicators.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/sprite_lookup.h"
#include "world/text_read.h"

namespace dravok {

namespace {

constexpr int spirit = 4;
constexpr int best_roll = 20;
constexpr int dim_light = 3; // below this a cell is too dark to work in
constexpr int dark_with_vision = 10, dark_blind = 30;

} // namespace

bool skill_check_roll(int being, int skill, int difficulty) {
    if (!is_being_ok(being) || skill < 1 || skill > skill_count) return false;
    tbeing& b = beings[being];
    int roll = roll_dice(d20_dice);
    int penalty = 0;
    if (skill == skill_disable || skill == skill_search) {
        penalty = b.seen_hostiles;
        if (penalty == 0) roll = best_roll; // with time and no one watching, the best is made of it
        if (on_map(b.x, b.y) && light_map.light(b.x, b.y) < dim_light)
            difficulty += b.dark_vision > 0 ? dark_with_vision : dark_blind;
    } else if (skill == skill_magic) {
        penalty = b.adjacent_hostiles;
    }
    if (penalty > 0) {
        penalty -= at1(b.ability_modifier, spirit);
        if (penalty < 0) penalty = 0;
    }
    const int target = difficulty + penalty;
    const int total = roll + b.skill_of(skill);
    // The kept bytes are for display; the comparison must not wrap for high skills.
    b.check_roll = uint8_t(roll);
    b.check_target = uint8_t(int8_t(std::clamp(target, -128, 127)));
    b.check_total = uint8_t(int8_t(std::clamp(total, -128, 127)));
    return total >= target;
}

void mind_probe_oneliner(int, int) {
    // not built yet: a probed creature's complaint and its grudge against the prober
}

namespace {

constexpr uint32_t floating_white = 0xFFFFFF;
constexpr int coffin_opened = 1;

bool is_statue(int furniture) {
    return furniture >= fu_statue_gargoyle && furniture <= fu_statue_clonomancer;
}

// The player's own commanded being revealed it and sees the cell: the player is told.
bool player_watches(int revealer, int x, int y) {
    return revealer >= 1 && revealer == player && is_being_ok(player) && can_see(player, 0, x, y) != 0;
}

} // namespace

bool is_statue_like(int furniture) {
    return is_statue(furniture) || furniture == fu_stalagmite || furniture == fu_target_dummy ||
           furniture == fu_tube;
}

int reveal_mimic(int revealer, int x, int y, int depth) {
    depth = trace_enter(depth, trace_reveal_mimic);
    if (!on_map(x, y, depth)) return 0;
    std::string kind;
    get_furniture_kind_name(x, y, kind);
    const int plan = cell_at(x, y).hidden_creature;
    remove_furniture(x, y, false, depth);
    const int b = plan != 0 ? add_being_to_level(x, y, blank_being, depth, plan) : 0;
    if (b > 0) {
        ai_see(b, depth);
        update_lights();
        if (player_watches(revealer, x, y)) {
            add_message("$NThat " + kind + " is not real but a mimic!");
            add_floating_text(x, y, "mimic!", floating_red);
        }
    }
    cell_at(x, y).hidden_creature = 0;
    return b;
}

int reveal_coffin_being(int revealer, int x, int y, int depth) {
    depth = trace_enter(depth, trace_reveal_coffin_being);
    if (!on_map(x, y, depth)) return 0;
    tcell& c = cell_at(x, y);
    c.furniture_state = coffin_opened;
    const int plan = c.hidden_creature;
    int b = 0;
    if (plan >= 1 && plan < int(being_plans.size())) {
        int fx = 0, fy = 0;
        find_free_floor_for_being(x, y, std::max<int>(being_plans[plan].width, 1), fx, fy, depth,
                                  std::max<int>(being_plans[plan].height, 1));
        if (on_map(fx, fy)) b = add_being_to_level(fx, fy, blank_being, depth, plan);
    }
    if (b > 0 && player_watches(revealer, x, y)) {
        ai_see(b, depth);
        add_floating_text(x, y, "creak", floating_white);
        std::string kind;
        get_furniture_kind_name(x, y, kind);
        message_text = std::string(
            trim_text(message_text + " The lid of the " + kind + " opens and a creature climbs out of it!"));
    }
    cell_at(x, y).hidden_creature = 0;
    update_furniture_state(x, y, depth);
    return b;
}

int reveal_living_statue(int revealer, int x, int y, int depth) {
    depth = trace_enter(depth, trace_reveal_living_statue);
    if (!on_map(x, y, depth)) return 0;
    const int furniture = cell_at(x, y).furniture;
    const int variant = cell_at(x, y).furniture_variant;
    const int plan = cell_at(x, y).hidden_creature;
    remove_furniture(x, y, false, depth);
    const int b = plan != 0 ? add_being_to_level(x, y, blank_being, depth, plan) : 0;
    if (b > 0) {
        if (has_type_flag(beings[b], tf_can_be_recruited)) level_up_recruitable_beings(0, b, depth);
        ai_see(b, depth);
        update_lights();
        // It keeps the look of the statue it was.
        const tsprite_info sprite = sprite_info(sprites_creature, plan);
        beings[b].image = sprite.first_image;
        if (sprite.variants >= 2 && variant >= 1 && variant <= sprite.variants - 1)
            beings[b].image = uint16_t(sprite.first_image + variant);
        if (player_watches(revealer, x, y)) {
            if (is_statue(furniture))
                add_message("$NThat statue is alive!");
            else if (furniture == fu_target_dummy)
                add_message("$NThat target dummy is alive!");
            else if (furniture == fu_stalagmite &&
                     beings[b].identifier.str().find("roper") != std::string::npos)
                add_message("$NThat stalagmite is really a roper!");
            else if (furniture == fu_tube)
                add_message("$NThe tube breaks and a creature comes out!");
        }
    }
    cell_at(x, y).hidden_creature = 0;
    return b;
}

} // namespace dravok
