// Summoning, animating, cloning, golems, challengers and banishment.
#include "rules/effect_summoning.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "generation/locations.h"
#include "rules/action_time.h"
#include "rules/area_switch.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/chatter.h"
#include "rules/damage.h"
#include "rules/effect_support.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/followers.h"
#include "rules/talent_choice.h"
#include "world/ai_tables.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/history_file.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/player.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/services.h"
#include "world/spawn_candidates.h"
#include "world/tables.h"
#include "world/text_database.h"
#include "world/text_expand.h"
#include "world/text_random.h"

namespace dravok {

namespace {

constexpr int summon_animation = 16;
constexpr int challenge_animation = 17;
constexpr int banish_animation = 3;
constexpr int clone_tube_animation = 2;
constexpr int arrival_time = 30;
constexpr int hostile_attitude = -50;
constexpr int humanoid_category = 7;
constexpr int player_servant_situation = 25, servant_mark = 3;
constexpr int animate_switch_factor = 40, challenge_switch_factor = 5;
constexpr int companion_morale_row = 10;
constexpr int kept_talent_chance = 90;
constexpr int clone_name_length = 30;
constexpr double clone_share = 0.9, clone_price = 0.95;
constexpr int wish_potion = 44, wish_melee = 59, wish_ranged = 60;
constexpr int wish_light_armor = 65, wish_medium_armor = 66, wish_heavy_armor = 67;
constexpr int body_slot = 3;
constexpr int golem_wake_time = 15;
constexpr int pillar_beam = 1; // the jagged beam from the chamber's pillars to a clone
constexpr int pillars_drawn = 9;
constexpr int spirit = 4;

bool valid_being(int b) {
    return b >= 1 && b < int(beings.size());
}

bool plan_exists(const std::string& id) {
    return find_being_plan_by_name(id) >= 1;
}

// At most this many beings per use for the player's side, never fewer than one.
int follower_limit(int user, int origin) {
    const tbeing& o = beings[origin];
    const int spirit_modifier = valid_being(user) ? ability_modifier(beings[user].ability_of(spirit)) : 0;
    return std::max(1, spirit_modifier + 2 - (o.summoned_followers + o.animated_followers));
}

template <std::size_t N> std::string pick_one(const std::array<const char*, N>& names) {
    return names[std::size_t(random(int(N)))];
}

// The template a summon of this kind calls for; empty when the power fits none. `alone` is set
// for the mighty ones that come by themselves.
std::string summon_template(int kind, int power, int strength, bool& alone) {
    static constexpr std::array<const char*, 6> lesser_demons{"be_demon_babau",     "be_demon_barlgura",
                                                              "be_demon_chasme",    "be_demon_nabassu",
                                                              "be_demon_rutterkin", "be_demon_succubus"};
    static constexpr std::array<const char*, 6> greater_demons{"be_demon_glabrezu",   "be_demon_hezrou",
                                                               "be_demon_marilith",   "be_demon_molydeus",
                                                               "be_demon_nalfeshnee", "be_demon_vrock"};
    static constexpr std::array<const char*, 9> lesser_devils{
        "be_devil_barbed",     "be_devil_bearded",   "be_devil_bone",
        "be_devil_erinyes",    "be_devil_hellbeast", "be_devil_hellcat",
        "be_devil_hellephant", "be_devil_hellhound", "be_devil_spined"};
    static constexpr std::array<const char*, 6> greater_devils{"be_devil_barbed",  "be_devil_bone",
                                                               "be_devil_erinyes", "be_devil_hellephant",
                                                               "be_devil_horned",  "be_devil_ice"};
    alone = false;
    switch (kind) {
    case 43:
        for (int l = std::max(1, strength); l >= 1; --l) {
            const std::string id = "be_summoned_animal_" + std::to_string(l);
            if (plan_exists(id) || l == 1) return id;
        }
        return {};
    case 44:
        return "be_celestial_planetar";
    case 45:
        if (power == 1) return pick_one(lesser_demons);
        if (power == 2) return pick_one(greater_demons);
        if (power == 3) {
            const int pick = random(7);
            if (pick == 6) {
                alone = true;
                return "be_demon_balor";
            }
            return greater_demons[std::size_t(pick)];
        }
        return {};
    case 46: {
        if (power == 1) return pick_one(lesser_devils);
        if (power != 2 && power != 3) return {};
        // The three mightiest devils come alone, whichever power called them.
        const auto mightiest = [](std::string_view id) {
            return id == "be_devil_horned" || id == "be_devil_ice" || id == "be_devil_pit_fiend";
        };
        if (power == 2) {
            std::string id = pick_one(greater_devils);
            alone = mightiest(id);
            return id;
        }
        const int pick = random(7);
        alone = true;
        return pick < 3 ? "be_devil_horned" : pick < 6 ? "be_devil_ice" : "be_devil_pit_fiend";
    }
    case 47:
        return "be_summoned_elemental_" + std::to_string(random(4) + 1);
    case 48:
        return "be_summoned_panther";
    case 49:
        if (power == 1) return random(3) < 2 ? "be_slaad_red" : "be_slaad_blue";
        if (power == 2) {
            const int pick = random(6);
            return pick < 3 ? "be_slaad_red" : pick < 5 ? "be_slaad_blue" : "be_slaad_green";
        }
        return {};
    case 50:
        return "be_snake_giant_cult";
    case 51:
        return "be_summoned_spider";
    case 52:
        return "be_spider_drow";
    case 53:
        return "be_unicorn";
    case 54:
        return "be_summoned_warrior_" + std::to_string(power);
    case 55:
        return "be_wolf_vampiric";
    case 56:
        return "be_demon_yochlol";
    default:
        return {};
    }
}

void take_alignment(tbeing& b, const tbeing& from) {
    b.type_flags[tf_good] = b.type_flags[tf_evil] = b.type_flags[tf_neutral] = 0;
    if (has_type_flag(from, tf_good))
        b.type_flags[tf_good] = 1;
    else if (has_type_flag(from, tf_evil))
        b.type_flags[tf_evil] = 1;
    else
        b.type_flags[tf_neutral] = 1;
}

// A servant made by the origin: its side, its master and its attitudes.
void serve(int b, int origin, int depth) {
    depth = trace_enter(depth, trace_serve);
    tbeing& s = beings[b];
    const tbeing& o = beings[origin];
    take_alignment(s, o);
    s.type_flags[tf_no_xp] = 1;
    s.creator = o.serial;
    set_as_follower(b, origin, depth);
    services.inherit_emotions(b, origin, depth);
}

// A being summoned without an origin turns on the user.
void turn_on(int b, int user, int depth) {
    depth = trace_enter(depth, trace_turn_on);
    if (!is_being_ok(user)) return;
    services.update_emotion(b, user, hostile_attitude, depth, get_being_distance(b, user));
    services.add_emotions_against_target_master(b, user, hostile_attitude, depth);
}

void arrive(int b, int depth) {
    depth = trace_enter(depth, trace_arrive);
    beings[b].next_action_time += uint32_t(action_time(b, arrival_time));
    services.ai_see(b, depth);
}

void switch_wear(int user, const teffect& e, int factor) {
    if (user >= 1 && e.source == es_switch && valid_being(user) &&
        break_area_switch(beings[user].area, factor))
        message_text = trimmed_text(message_text + "$F The switch breaks!");
}

} // namespace

void apply_effect_summon(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_summon);
    if (e.animate_cells == 0) {
        e.animate_cells = summon_animation;
        e.animation_frames = 1;
        e.animation_repeats = 3;
    }
    if (e.animation_frames == 0) e.animation_frames = 1;
    if (e.animation_repeats == 0) e.animation_repeats = 1;
    int n = roll_dice(e.size_dice);
    const int origin = e.source == es_trap ? 0 : find_being_by_serial(e.origin);
    int cx = 0, cy = 0, strength = 0;
    if (origin < 1) {
        if (!valid_being(user)) return;
        cx = beings[user].x;
        cy = beings[user].y;
        strength = level.index;
    } else {
        cx = beings[origin].x;
        cy = beings[origin].y;
        const int p = e.source == es_trap || e.source == es_item_activate ? roll_dice(e.power_dice)
                                                                          : beings[origin].skill_of(3);
        strength = round_half_even(p * 0.5 + 0.01);
    }
    bool alone = false;
    const std::string id = summon_template(e.kind, e.power, strength, alone);
    const int plan = id.empty() ? 0 : find_being_plan_by_name(id);
    if (plan < 1) return;
    if (alone) n = 1;
    if (origin >= 1 && has_type_flag(beings[origin], tf_player))
        n = std::min(n, follower_limit(user, origin));
    const tbeing_plan& p = being_plans[plan];
    for (int i = 0; i < n; ++i) {
        int x = 0, y = 0;
        find_free_floor_for_being(cx, cy, std::max<int>(1, p.width), x, y, depth, std::max<int>(1, p.height));
        if (!on_map(x, y)) break;
        const int b = add_being_to_level(x, y, blank_being, depth, plan);
        if (b < 1) break;
        tbeing& s = beings[b];
        s.type_flags[tf_summoned] = 1;
        s.unsummon_time = game.game_clock + uint32_t(e.duration) * time_units_per_round;
        if (valid_being(user) &&
            (has_type_flag(beings[user], tf_unique) || has_type_flag(beings[user], tf_passive)))
            s.type_flags[tf_has_oneliners] = 0;
        if (origin >= 1) {
            serve(b, origin, depth);
            const tbeing& o = beings[origin];
            const int master = find_being_by_serial(o.master);
            if (origin == player_character || (master >= 1 && master == player_character) ||
                has_type_flag(o, tf_good))
                s.type_flags[tf_summoned_by_player_or_good] = 1;
        } else {
            s.type_flags[tf_good] = s.type_flags[tf_neutral] = 0;
            s.type_flags[tf_evil] = 1;
            turn_on(b, user, depth);
        }
        add_cell_animation(x, y, e.animate_cells, e.animation_frames, e.animation_repeats);
        if (player_sees_cell(x, y))
            message_text += format_text(" %s is summoned!", {being_name(b, name_article_capital)});
        arrive(b, depth);
    }
    if (user == player) services.update_lights();
}

void apply_effect_challenge(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_challenge);
    struct challenge {
        const char* tag;
        int count;
    };
    static constexpr std::array<challenge, 11> by_depth{{{"", 0},
                                                         {"re_02", 2},
                                                         {"re_04", 1},
                                                         {"re_05_06", 1},
                                                         {"re_05_06", 2},
                                                         {"re_07_08", 1},
                                                         {"re_07_08", 2},
                                                         {"re_09_10", 1},
                                                         {"re_09_10", 2},
                                                         {"re_09_10", 2},
                                                         {"re_09_10", 3}}};
    const int d = level.index;
    if (d < 1 || d >= int(by_depth.size()) || !valid_being(user)) return;
    const auto tag = std::find(text_tags.begin(), text_tags.end(), by_depth[d].tag);
    if (tag == text_tags.end()) return;
    const int group = int(tag - text_tags.begin());
    const int level_cap = d;
    int m = number_spawnable_plans(group, true, level_cap);
    int placed = 0;
    for (int tries = 0; m > 0 && tries < m && placed < by_depth[d].count; ++tries) {
        const int plan = pick_spawn_being_plan(m);
        if (plan < 1 || plan >= int(being_plans.size()) || !plan_has_type_flag(plan, tf_evil) ||
            being_plans[plan].width > 1 || being_plans[plan].height > 1)
            continue;
        tstuff request = blank_stuff;
        request.pattern = 3;
        request.kind = 4;
        request.area = beings[user].area;
        tstuff found;
        find_location_spot(request, depth, found);
        if (!on_map(found.result_x, found.result_y)) break;
        const int b = add_being_to_level(found.result_x, found.result_y, blank_being, depth, plan);
        if (b < 1) break;
        ++placed;
        message_text += "$N" + format_text(" %s is summoned!", {being_name(b, name_article_capital)});
        beings[b].type_flags[tf_has_oneliners] = 0;
        add_cell_animation(found.result_x, found.result_y, challenge_animation, 2, 1);
        m = number_spawnable_plans(group, false, level_cap);
    }
    switch_wear(user, e, challenge_switch_factor);
}

void apply_effect_animate(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_animate);
    if (e.source == es_switch) {
        parse_dice("5", e.range_dice);
        parse_dice("1d3+1", e.size_dice);
    }
    const int origin = e.source == es_trap ? 0 : find_being_by_serial(e.origin);
    clear_item_animation_marks();
    if (!valid_being(user)) return;
    const int r = roll_dice_for_being(e.range_dice, user);
    const int ux = beings[user].x, uy = beings[user].y;
    int candidates = 0;
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        titem& it = level_items[i];
        if (it.plan == 0 || it.holder != 0) continue;
        const uint32_t value = has_item_flag(it, if_corpse) ? 1 : has_item_flag(it, if_bones) ? 2 : 0;
        if (value == 0) continue;
        const int d = get_distance(ux, uy, it.x, it.y);
        if (d > r || (origin >= 1 && services.can_see(origin, 0, it.x, it.y) == 0)) continue;
        it.tag = value;
        it.tag2 = uint16_t(d);
        ++candidates;
    }
    if (candidates == 0) return;
    int k = std::min(roll_dice(e.size_dice), candidates);
    if (origin >= 1 && has_type_flag(beings[origin], tf_player))
        k = std::min(k, follower_limit(user, origin));
    for (int d = 0; k >= 1 && d <= r;) {
        const int item = find_item_by_marks(1, 2, uint32_t(d), uint32_t(d));
        if (item == 0) {
            ++d;
            continue;
        }
        titem& it = level_items[item];
        const int x = it.x, y = it.y;
        const bool corpse = it.tag == 1;
        it.tag = 0;
        if (it.corpse_category != humanoid_category) {
            // Non-humanoid remains crumble without using up the animation.
            if (origin >= 1)
                message_text +=
                    format_text(" %s vanish.", {capitalised(item_name(it.name.str(), it.amount, 0, 0, 0))});
            remove_item_from_level(item, depth);
            continue;
        }
        std::string id;
        if (e.kind == 24) {
            id = corpse ? "be_undead_zombie" : "be_undead_skeleton_animated";
        } else {
            const int roll = d100();
            id = roll <= 50 ? "be_undead_shadow" : corpse ? "be_undead_ghoul" : "be_undead_wight";
        }
        const int plan = find_being_plan_by_name(id);
        if (plan < 1) break;
        int sx = x, sy = y;
        if (!is_free_floor(x, y, 1, depth, plan, 1, 1))
            find_free_floor_for_being(x, y, std::max<int>(1, being_plans[plan].width), sx, sy, depth,
                                      std::max<int>(1, being_plans[plan].height));
        if (!on_map(sx, sy)) break;
        const int race = it.corpse_race;
        const int b = add_being_to_level(sx, sy, blank_being, depth, plan);
        if (b < 1) break;
        tbeing& s = beings[b];
        s.type_flags[tf_animated] = 1;
        const std::string name = s.name.str();
        if (e.kind == 24 && race > 0) {
            std::string race_text = race_name(race);
            std::replace(race_text.begin(), race_text.end(), '_', '-');
            if (name.find("zombie") != std::string::npos)
                s.name = format_text("%s zombie", {race_text});
            else if (name.find("skeleton") != std::string::npos)
                s.name = format_text("%s skeleton", {race_text});
        }
        remove_item_from_level(item, depth);
        s.type_flags[tf_ignore_emotion_presets] = 1;
        if (origin >= 1) {
            s.type_flags[tf_evil] = 0;
            serve(b, origin, depth);
            if (has_type_flag(beings[origin], tf_player))
                beings[b].situation_of(player_servant_situation) = servant_mark;
        } else {
            turn_on(b, user, depth);
        }
        --k;
        if (player_sees_cell(sx, sy))
            message_text += format_text(" %s is animated!", {being_name(b, name_the_capital)});
        arrive(b, depth);
        animate_being_hit(b);
    }
    switch_wear(user, e, animate_switch_factor);
    if (user == player) services.update_lights();
}

void apply_effect_clone(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_clone);
    if (!is_being_ok(user)) return;
    const tbeing u = beings[user];
    int x = 0, y = 0;
    find_free_floor_for_being(u.x, u.y, std::max<int>(1, u.width), x, y, depth, std::max<int>(1, u.height));
    const int plan = u.plan;
    if (!on_map(x, y) || plan < 1 || plan >= int(being_plans.size())) {
        message_text += " Nothing happens.";
        return;
    }
    // The clone is not refused for the template's own limits.
    tbeing_plan& p = being_plans[plan];
    if (p.cap != 0 && p.created_on_level >= p.cap && p.created_on_level > 0) --p.created_on_level;
    if (p.max_per_game != 0 && p.created_in_game >= p.max_per_game && p.created_in_game > 0)
        --p.created_in_game;
    tbeing record{};
    create_being(plan, depth, record);
    if (record.serial == -1) {
        message_text += " Nothing happens.";
        return;
    }
    record.type_flags[tf_cloned] = 1;
    record.avatar_slot = 0;
    record.next_action_time = u.next_action_time + arrival_time;
    const int b = add_being_to_level(x, y, record, depth, plan);
    if (b < 1) {
        message_text += " Nothing happens.";
        return;
    }
    message_text += " A clone appears!";
    tbeing& c = beings[b];
    c.title = c.name;
    c.name = ("clone of " + u.name.str()).substr(0, clone_name_length);
    c.gender = u.gender;
    c.image = u.image;
    c.type_flags[tf_player] = 0;
    c.type_flags[tf_has_oneliners] = 0;
    auto share = [](int v) { return int(v * clone_share); };
    for (int k = 1; k <= ability_count; ++k)
        c.base_ability_of(k) = int8_t(share(at1(u.base_ability, k)));
    for (int k = 1; k <= skill_count; ++k)
        c.base_skill_of(k) = int8_t(share(at1(u.base_skill, k)));
    c.level = uint8_t(std::max(1, share(u.level)));
    c.health_base = uint16_t(share(u.health_base));
    c.stamina_base = uint16_t(share(u.stamina_base));
    for (int t = 1; t <= talent_count; ++t) {
        const int keep = random(100);
        c.talent_of(t) = at1(u.talent, t) != 0 && keep <= kept_talent_chance ? at1(u.talent, t) : 0;
    }
    handle_level_up_permanent_talents(b, true, depth);
    for (int m = 0; m < morale_count; ++m)
        c.morale[m] = morale_table[companion_morale_row][std::size_t(m)];
    if (has_type_flag(u, tf_can_use_items)) {
        const int armour = u.equipment[body_slot - 1];
        if (armour != 0 && armour < int(being_items[user].size())) {
            const titem& a = being_items[user][armour];
            at1(c.wish, wish_light_armor) = 1;
            if (has_item_flag(a, if_armor_medium)) at1(c.wish, wish_medium_armor) = 1;
            if (has_item_flag(a, if_armor_heavy)) at1(c.wish, wish_heavy_armor) = 1;
        }
        at1(c.wish, wish_melee) = at1(c.wish, wish_ranged) = at1(c.wish, wish_potion) = 1;
        c.type_flags[tf_can_use_items] = 1;
    }
    update_being(b, depth);
    beings[b].health = beings[b].health_max;
    beings[b].stamina = beings[b].stamina_max;
    bool earlier_clone = false;
    for (int i = 1; i < int(beings.size()); ++i)
        if (i != b && beings[i].present != 0 && beings[i].master == u.serial &&
            has_type_flag(beings[i], tf_cloned)) {
            earlier_clone = true;
            services.update_emotion(b, i, hostile_attitude, depth, get_being_distance(b, i));
        }
    if (earlier_clone) {
        services.update_emotion(b, user, hostile_attitude, depth, get_being_distance(b, user));
        message_text += "$F The clone goes berserk!";
        for (int i = 1; i < int(beings.size()); ++i)
            if (beings[i].present != 0 && beings[i].master == u.serial)
                beings[i].next_action_time = game.game_clock + uint32_t(action_time(user, arrival_time));
    } else {
        set_as_follower(b, user, depth);
    }
    if (e.source == es_switch) {
        const int area = u.area;
        const uint32_t sw = find_nth_area_furniture(area, 1, {fu_switch});
        if (sw != 0) remove_furniture(int(sw & 0xffff), int(sw >> 16), false);
        const uint32_t tube = find_nth_area_furniture(area, 1, {fu_tube});
        if (tube != 0) {
            const int tx = int(tube & 0xffff), ty = int(tube >> 16);
            remove_furniture(tx, ty, false);
            place_being(b, tx, ty, depth);
            add_cell_animation(tx, ty, clone_tube_animation, 1, 1);
            // The chamber's pillars feed the new body, each by a beam.
            for (int n = 1; n <= pillars_drawn; ++n) {
                const uint32_t pillar = find_nth_area_furniture(area, n, {fu_pillar, fu_pillar_broken});
                if (pillar == 0) break;
                services.add_line(0, 0, int(pillar & 0xffff), int(pillar >> 16), tx, ty, pillar_beam, false);
            }
        }
    } else if (e.source == es_talent) {
        beings[user].health_base = uint16_t(round_half_even(u.health_base * clone_price));
        beings[user].stamina_base = uint16_t(round_half_even(u.stamina_base * clone_price));
        update_being(user, depth);
    }
    if (has_type_flag(u, tf_player)) {
        const char* text = e.source == es_switch ? "Cloned %himself% in a cloning chamber."
                           : e.source == es_item_activate
                               ? "Cloned %himself% by drinking a Potion of Cloning."
                               : "Cloned %himself% with a Simulacrum spell.";
        std::string out;
        expand_text(text, user, 0, out);
        add_history(out);
    }
}

void apply_effect_activate_golem(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_activate_golem);
    if (!is_being_ok(user)) return;
    int golem = 0, best = 0;
    for (int i = 1; i < int(beings.size()) && beings[user].present != 0; ++i) {
        const tbeing& g = beings[i];
        if (i == user || g.present == 0 || !has_type_flag(g, tf_golem) || !has_type_flag(g, tf_inactive))
            continue;
        if (services.can_see(user, i, 0, 0) == 0) continue;
        const int d = get_being_distance(user, i);
        if (d > e.range || (golem != 0 && d >= best)) continue;
        golem = i;
        best = d;
    }
    if (golem == 0) {
        message_text += " Nothing seems to happen!";
        return;
    }
    tbeing& g = beings[golem];
    g.name = g.title;
    g.name_known = 1;
    g.type_flags[tf_inactive] = 0;
    g.type_flags[tf_passive] = 0;
    g.type_flags[tf_activated] = 1;
    g.next_action_time = game.game_clock + golem_wake_time;
    set_as_follower(golem, user, depth);
    append_message("$S" + format_text("%s is activated and seems to follow you!",
                                      {being_name(golem, name_the_capital)}));
    std::string join;
    get_section_text(0, g.identifier.str() + "_follower_join", -1, join);
    if (!join.empty()) add_oneliner(golem, user, 0, depth, join, "");
}

void apply_effect_banishment(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_banishment);
    if (!is_being_ok(user)) return;
    clear_being_turn_marks();
    int banished = 0;
    for (int round = 0; round < e.size; ++round) {
        int pick = 0, best = 0;
        for (int i = 1; i < int(beings.size()); ++i) {
            const tbeing& b = beings[i];
            if (i == user || b.turn_mark != 0 || b.present == 0 || !has_type_flag(b, tf_summoned)) continue;
            if (services.can_see(user, i, 0, 0) == 0 || services.is_friendly(i, user, 0, true)) continue;
            const int d = get_being_distance(user, i);
            if (d > e.range || (pick != 0 && d >= best)) continue;
            pick = i;
            best = d;
        }
        if (pick == 0) break;
        tbeing& b = beings[pick];
        b.turn_mark = 1;
        if (player_sees_cell(b.x, b.y))
            message_text += format_text(" %s is banished!", {being_name(pick, name_the_capital)});
        b.type_flags[tf_summoned] = 0;
        b.type_flags[tf_unsummoned] = 1;
        add_cell_animation(b.x, b.y, banish_animation, 1, 1);
        tdamage blank{};
        kill_being(pick, blank, depth);
        ++banished;
    }
    if (banished == 0) message_text += " Nothing happens!";
}

} // namespace dravok
