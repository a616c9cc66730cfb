// Skill checks and reveals.
#include "rules/checks.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "rules/being_creation.h"
#include "rules/chatter.h"
#include "rules/effects.h"
#include "rules/followers.h"
#include "rules/level_up.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/history_file.h"
#include "world/indicators.h"
#include "world/light_map.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/sprite_lookup.h"
#include "world/tables.h"
#include "world/text_read.h"

namespace dravok {

namespace {

constexpr int spirit = 4, mind = 3;
constexpr int sharp_mind = 9; // below it a probed being only feels its head ache
constexpr int probe_grudge = 22, mighty_grudge = 50;
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

void mind_probe_oneliner(int prober, int target) {
    if (!is_being_ok(prober) || !is_being_ok(target)) return;
    if (services.can_see(prober, target, 0, 0) == 0 || services.can_see(target, prober, 0, 0) == 0) return;
    const tbeing& t = beings[target];
    if (!has_type_flag(t, tf_has_oneliners) || has_type_flag(t, tf_telepathic)) return;
    if (t.ability_of(mind) < sharp_mind) {
        static constexpr const char* dull[] = {"Head hurts!", "Someone in my head?"};
        const int pick = random(2);
        add_oneliner(target, prober, 0, 0, dull[pick], {});
        return;
    }
    static constexpr const char* sharp[] = {"Stay out of my head!", "What are you doing? Probing my head?",
                                            "Did you just try to get control of me?",
                                            "Are you poking my brain?", "Stop that! My head hurts!"};
    const int pick = random(5) + 1;
    add_oneliner(target, prober, 0, 0, sharp[pick - 1], {});
    const int grudge = random(probe_grudge);
    int fall = grudge;
    // The mighty do not forgive being probed.
    if (has_type_flag(t, tf_avatar) || has_type_flag(t, tf_overgod) || has_type_flag(t, tf_shopkeeper))
        fall += mighty_grudge;
    services.update_emotion(target, prober, -fall, 0, get_being_distance(target, prober));
}

void log_encounter(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    const tbeing& b = beings[being];
    if (b.race < race_first || b.race > race_last) return;
    if (has_type_flag(b, tf_report_only_once_per_race) && game.race_encountered_of(b.race) != 0) return;
    const std::string name(b.name.view());
    const char first = name.empty() ? '\0' : name[0];
    if (has_type_flag(b, tf_unique)) {
        const bool capital = first >= 'A' && first <= 'Z';
        add_history("Encountered " + std::string(capital ? "" : "the ") + name + ".");
    } else {
        const bool vowel = first != '\0' && std::string_view("aeiou").find(first) != std::string_view::npos;
        add_history("Encountered " + std::string(vowel ? "an " : "a ") + name + " for the first time.");
    }
    game.race_encountered_of(b.race) = 1;
}

namespace {

constexpr uint32_t floating_white = 0xFFFFFF;
constexpr int coffin_opened = 1;

bool is_statue(int furniture) {
    return furniture >= fu_statue_gargoyle && furniture <= fu_statue_clonomancer;
}

// The player's own commanded being revealed it and sees the cell: the player is told.
bool player_watches(int revealer, int x, int y) {
    return revealer >= 1 && revealer == player && is_being_ok(player) &&
           services.can_see(player, 0, x, y) != 0;
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
        services.ai_see(b, depth);
        services.update_lights();
        if (player_watches(revealer, x, y)) {
            add_message("$NThat " + kind + " is not real but a mimic!");
            animate_being(b);
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
        services.ai_see(b, depth);
        animate_being(b);
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
        services.ai_see(b, depth);
        services.update_lights();
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
            animate_being(b);
            services.minimap_cell_changed(x, y);
        }
    }
    cell_at(x, y).hidden_creature = 0;
    return b;
}

} // namespace dravok
