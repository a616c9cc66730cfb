#include "rules/level_up.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"

#include <algorithm>

#include "rules/being_update.h"
#include "rules/character_sheet.h"
#include "rules/chatter.h"
#include "rules/followers.h"
#include "rules/talent_choice.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/history_file.h"
#include "world/lookup.h"
#include "world/player.h"
#include "world/rounding.h"
#include "world/services.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok {

namespace {

constexpr int ability_mind = 3, skill_melee = 4;
constexpr int talent_counter_limit = 4;
constexpr int first_companion_level_up = 3;
constexpr int listed_levels_limit = 20;
constexpr int skills_menu = 9;

int mind_modifier(const tbeing& b) {
    return b.ability_modifier[ability_mind - 1];
}

// Natural attacks never lag behind the being's melee skill.
void raise_natural_attacks(tbeing& b) {
    const int melee = b.base_skill_of(skill_melee);
    for (int i = 1; i <= natural_attack_count; ++i) {
        tnatural_attack& a = b.natural_attack(i);
        if (a.attack_class != 0 && a.value < melee) a.value = uint8_t(melee);
    }
}

int chosen_on_sheet() {
    int n = 0;
    for (int t = 1; t <= std::min(talent_count, talents_in_game()); ++t)
        if (edited_character.talent(t).chosen) ++n;
    return n;
}

void learn_talent(tbeing& b, int t) {
    edited_character.talent(t).chosen = 1;
    b.talent_of(t) = b.level;
}

// At levels 5, 10, 15 and 20 the followers that see the player remark on it.
void comment_on_level(int being, int depth) {
    depth = trace_enter(depth, trace_comment_on_level);
    const char* trigger_name = nullptr;
    switch (beings[being].level) {
    case 5:
        trigger_name = "follower_comments_level_up_05";
        break;
    case 10:
        trigger_name = "follower_comments_level_up_10";
        break;
    case 15:
        trigger_name = "follower_comments_level_up_15";
        break;
    case 20:
        trigger_name = "follower_comments_level_up_20";
        break;
    default:
        return;
    }
    const int trigger = index_of_name(chatter_trigger_names, trigger_name);
    for (int f = find_next_follower(being, 0); f != 0; f = find_next_follower(being, f + 1))
        if (services.can_see(f, being, 0, 0)) add_oneliner(f, being, trigger, depth, "", "");
}

} // namespace

int talent_points_for_levels(int counter_start, int level_count) {
    if (level_count < 1) return 0;
    int points = 1; // the first at_level's point
    int counter = counter_start + 1;
    if (counter >= talent_counter_limit) {
        counter = counter_start;
        ++points;
    }
    for (int at_level = 2; at_level <= level_count; ++at_level) {
        if (++counter < talent_counter_limit) continue;
        counter = counter_start;
        ++points;
    }
    return points;
}

void list_talent_point_levels(int counter_start, int level_count, std::string& out) {
    out = "1";
    const int last = counter_start >= 3 ? std::min(level_count, listed_levels_limit) : level_count;
    int counter = counter_start + 1;
    for (int at_level = 2; at_level <= last; ++at_level) {
        if (++counter < talent_counter_limit) continue;
        counter = counter_start;
        out += ", " + std::to_string(at_level);
    }
    out += ", ...";
}

int gain_pending_levels(int being, int depth) {
    depth = trace_enter(depth, trace_gain_pending_levels);
    if (!is_being_ok(being, depth)) return 0;
    tbeing& b = beings[being];
    int gained = 0;
    while (b.experience >= b.experience_next && b.level < 255) {
        b.experience_previous = b.experience_next;
        ++b.level;
        b.skill_points = uint8_t(b.skill_points + std::max(1, (b.level + 1 + mind_modifier(b)) / 2));
        if (++b.talent_point_counter >= talent_counter_limit) {
            b.talent_point_counter = int8_t(mind_modifier(b));
            ++b.talent_points;
        }
        b.experience_next = experience_for_level(b.level + 1);
        ++gained;
    }
    game.highest_player_level = std::max(game.highest_player_level, b.level);
    fill_character_stats(being, depth, edited_character);
    level_up_snapshot = edited_character;
    if (b.plan >= 1 && b.plan < being_plans.size()) {
        const tbeing_plan& plan = being_plans[b.plan];
        for (int n = 0; n < gained; ++n) {
            const int health = roll_dice(plan.health);
            edited_character.base_health = uint16_t(edited_character.base_health + health);
            const int stamina = roll_dice(plan.stamina);
            edited_character.base_stamina = uint16_t(edited_character.base_stamina + stamina);
        }
    }
    return gained;
}

// The level-up always works on the player's own character, also while it possesses another.
void setup_level_up(int) {
    if (gain_pending_levels(player_character, 0) == 0) return;
    services.setup_menu(skills_menu);
}

void finish_level_up(int depth) {
    depth = trace_enter(depth, trace_finish_level_up);
    const int being = player_character;
    if (!is_being_ok(being, depth)) return;
    tbeing& b = beings[being];
    const tcharacter& c = edited_character;
    for (int k = 1; k <= skill_count; ++k)
        b.base_skill_of(k) = at1(c.skill, k);
    raise_natural_attacks(b);
    for (int t = 1; t <= std::min(talent_count, talents_in_game()); ++t)
        if (c.talent(t).chosen && !c.talent(t).owned) b.talent_of(t) = b.level;
    // Only the talents new on the sheet: the owned ones gave their gifts already.
    handle_level_up_permanent_talents(being, false, depth);
    b.health_base = c.base_health;
    b.stamina_base = c.base_stamina;
    b.skill_points = c.skill_points;
    b.talent_points = c.talent_points;
    update_being(being, depth);
    add_history("Reached experience level " + std::to_string(b.level) + ".");
    level_up_recruitable_beings(b.serial, 0, depth);
    level_up_recruitable_beings(0, 0, depth);
    comment_on_level(being, depth);
    game_mode = mode_main;
}

void level_up_being_once(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    tbeing& b = beings[being];
    ++b.level;
    if (b.plan < 1 || b.plan >= being_plans.size()) return;
    const tbeing_plan& plan = being_plans[b.plan];
    const int health = roll_dice(is_dice_set(plan.companion_health) ? plan.companion_health : plan.health);
    b.health_base = uint16_t(b.health_base + health);
    const int stamina =
        roll_dice(is_dice_set(plan.companion_stamina) ? plan.companion_stamina : plan.stamina);
    b.stamina_base = uint16_t(b.stamina_base + stamina);

    int favoured = 0, best = 0;
    for (int k = 1; k <= skill_count; ++k) {
        const int most = max_dice(at1(plan.skill, k), 0);
        if (most > best) {
            best = most;
            favoured = k;
        }
    }
    for (int k = 1; k <= skill_count; ++k) {
        int8_t& skill = b.base_skill_of(k);
        if (k == favoured) {
            if (round_half_even(b.level / 2.0 + 0.01) > skill) ++skill;
        } else if (skill > 0 && round_half_even(b.level / 2.5) > skill) {
            ++skill;
        }
    }
    raise_natural_attacks(b);

    const int target = talent_points_for_levels(mind_modifier(b), b.level);
    int held = chosen_on_sheet();
    for (int t = 1; held < target && t <= std::min(talent_count, talents_in_game()); ++t) {
        if (at1(plan.talent, t) == 0 || b.talent_of(t) != 0 || !being_meets_talent_requirements(b, t))
            continue;
        learn_talent(b, t);
        ++held;
    }
    for (int g = 1; held < target && g <= plan_talent_group_count; ++g) {
        const int group = at1(plan.talent_groups, g);
        if (group == 0) break;
        for (int picks = 0; held < target && picks < talents_in_game(); ++picks) {
            const int t = get_random_group_talent(b, group, true);
            if (t == 0) break;
            learn_talent(b, t);
            ++held;
        }
    }
}

void level_up_recruitable_beings(int master_serial, int being, int depth) {
    depth = trace_enter(depth, trace_level_up_recruitable_beings);
    const int highest = game.highest_player_level;
    if (highest < first_companion_level_up) return;
    const int first = being != 0 ? being : 1;
    const int last = being != 0 ? being : int(beings.size()) - 1;
    for (int i = first; i <= last && i < int(beings.size()); ++i) {
        tbeing& b = beings[i];
        if (!b.present || !has_type_flag(b, tf_can_be_recruited) || has_type_flag(b, tf_no_level_up))
            continue;
        if (b.master != master_serial) continue;
        const int cap = b.plan < being_plans.size() ? being_plans[b.plan].level_cap : 0;
        if (b.level >= highest - 1 || (cap != 0 && cap <= b.level)) continue;
        const bool full_health = b.health == b.health_max;
        fill_character_stats(i, depth, edited_character);
        while (b.level < highest - 1) {
            if (cap != 0 && cap <= b.level) break;
            level_up_being_once(i);
        }
        // Only the talents the levels brought: the held ones gave their gifts when learned.
        handle_level_up_permanent_talents(i, false, depth);
        std::string weapons;
        calculate_experience_award(i, depth, weapons);
        update_being(i, depth);
        if (full_health || !is_being_ok(player, 0) || !services.can_see(player, i, 0, 0)) {
            b.health = b.health_max;
            b.stamina = b.stamina_max;
        }
    }
    edited_character = blank_character;
}

} // namespace dravok
