#include "rules/damage.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/files.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/effects.h"
#include "rules/followers.h"
#include "rules/lasting_effects.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience_award.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/history_file.h"
#include "world/indicators.h"
#include "world/item_creation.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/map_features.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/regeneration.h"
#include "world/services.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

int adjust_amount(int being, int delta, bool health, int depth) {
    depth = trace_enter(depth, trace_adjust_amount);
    if (!is_being_ok(being, depth)) return 0;
    tbeing& b = beings[being];
    uint16_t& current = health ? b.health : b.stamina;
    const int maximum = health ? b.health_max : b.stamina_max;
    if (delta >= 0) {
        const int gain = std::max(0, std::min<int>(delta, maximum - current));
        current = uint16_t(current + gain);
        return gain;
    }
    int applied = delta;
    if (-delta > current) {
        applied = -int(current);
        current = 0;
    } else {
        current = uint16_t(current + delta);
    }
    reset_regeneration_countdown(being, health, !health);
    return applied;
}

// The amount of one type after the being's multiplier (a multiplier of 0 leaves it).
int after_multiplier(const tbeing& b, int type, int amount) {
    const int m = at1(b.multiplier, type);
    return m != 0 ? amount * m / 100 : amount;
}

int find_by_short_serial(uint16_t serial) {
    if (serial == 0) return 0;
    for (int i = 1; i < int(beings.size()); ++i) {
        if (beings[i].present && same_serial(serial, beings[i].serial)) return i;
    }
    return 0;
}

std::string capitalised(std::string s) {
    if (!s.empty()) s[0] = char(std::toupper(static_cast<unsigned char>(s[0])));
    return s;
}

bool pantheon_file_deleted = false;

} // namespace

int adjust_health_amount(int being, int delta, int depth) {
    depth = trace_enter(depth, trace_adjust_health_amount);
    return adjust_amount(being, delta, true, depth);
}
int adjust_stamina_amount(int being, int delta, int depth) {
    depth = trace_enter(depth, trace_adjust_stamina_amount);
    return adjust_amount(being, delta, false, depth);
}

int damage_after_resistance(int being, const tdamage& damage) {
    if (being < 1 || being >= int(beings.size())) return 0;
    const tbeing& b = beings[being];
    int total = 0;
    for (int t = 1; t <= damage_type_count; ++t) {
        if (damage.of(t) <= 0) continue;
        const int left = after_multiplier(b, t, damage.of(t)) - b.resistance_of(t);
        if (left > 0) total += left;
    }
    return total;
}

void damage_being(int target, int attacker, const tdamage& given, tdamage& result, int depth, int cause) {
    depth = trace_enter(depth, trace_damage_being);
    const tdamage damage = given; // the caller may pass one record as both
    result = tdamage{};
    if (state.won || !is_being_ok(target, depth)) return;
    tbeing& b = beings[target];
    if (has_type_flag(b, tf_spectator)) return;
    if (has_type_flag(b, tf_player) && b.possessed != 0) {
        // The possession ends on the thrall; the hit character takes its own body back.
        const int thrall = find_being_by_serial(b.possessed);
        if (thrall > 0) end_possession(thrall);
    }
    const bool with_attacker = is_being_ok(attacker, 0);

    b.asleep_when_damaged = b.asleep_counter != 0 ? 1 : 0;
    b.idle_turns = 0;
    b.asleep_counter = 0;

    tdamage rolled = damage;
    if (damage.critical && being_status(b, st_immunity_critical_hits) == 0) {
        result.critical = 1;
        for (int t = 1; t <= damage_type_count; ++t)
            rolled.of(t) *= 2;
        rolled.total *= 2;
    }
    std::copy(std::begin(damage.raw_amount), std::end(damage.raw_amount), std::begin(result.raw_amount));
    result.physical_type = damage.physical_type;

    int remaining = b.health;
    int total = 0;
    for (int t = 1; t <= damage_type_count; ++t) {
        if (rolled.of(t) <= 0) continue;
        const int amount = after_multiplier(b, t, rolled.of(t));
        if (amount <= b.resistance_of(t)) continue;
        const int dealt = std::min(amount - b.resistance_of(t), remaining);
        result.of(t) = dealt;
        total += dealt;
        remaining -= dealt;
    }
    if (total > 0) {
        reset_regeneration_countdown(target, true, true);
        b.last_damager = with_attacker ? serial16(beings[attacker].serial) : 0;
    }
    const bool seen = is_being_ok(player, 0) && services.can_see(player, target, 0, 0);
    if (remaining > 0) {
        b.health = uint16_t(b.health - total);
        if (seen) {
            if (result.critical) add_floating_text(b.x, b.y, "critical hit", floating_red);
            add_floating_text(b.x, b.y, std::to_string(total), floating_red);
        }
    } else {
        total = b.health;
        b.health = 0;
        result.killed = 1;
        if (seen) {
            if (result.critical) add_floating_text(b.x, b.y, "critical hit", floating_red);
            add_floating_text(b.x, b.y, std::to_string(total), floating_red);
        }
    }
    result.total = total;
    if (target == player) {
        stop_on_hostiles(target, true);
        stop_resting(target);
        if (game_mode == mode_inventory) {
            add_message("$FYou were damaged! Closing inventory.");
            game_mode = mode_main;
        }
    }

    b.damage_taken = uint16_t(std::min<int>(b.damage_taken + total, 65535));
    if (with_attacker) b.attacked = 1;
    if (total > 0 && with_attacker) {
        if (has_type_flag(beings[attacker], tf_player)) {
            b.damage_from_player = uint16_t(std::min<int>(b.damage_from_player + total, 65535));
        } else if (has_type_flag(beings[attacker], tf_companion)) {
            b.damage_from_companions = uint16_t(std::min<int>(b.damage_from_companions + total, 65535));
        }
    }
    if (b.health > 0 && b.health <= b.health_max && total > 0 && !has_type_flag(b, tf_construct) &&
        !has_type_flag(b, tf_ooze) && !has_type_flag(b, tf_undead) &&
        !has_type_flag(b, tf_leaves_slime_trail)) {
        b.bleeding = 12;
    }

    if (result.killed && (has_type_flag(b, tf_player) || has_type_flag(b, tf_companion)) &&
        !has_type_flag(b, tf_animated) && !has_type_flag(b, tf_summoned)) {
        const std::string prefix = has_type_flag(b, tf_player) ? "" : "\nCompanion " + b.name.str() + " ";
        std::string text;
        if (cause == cause_trap)
            text = prefix + "killed by a trap.";
        else if (cause == cause_poison)
            text = prefix + "killed by poison.";
        else if (with_attacker)
            text = prefix + "killed by " + being_name(attacker, name_article) + ".";
        if (!text.empty()) {
            text = capitalised(text);
            add_history(text);
            if (has_type_flag(b, tf_player)) state.obituary_title = text;
        }
    }
    if (result.killed && has_type_flag(b, tf_unique) && !has_type_flag(b, tf_can_be_recruited) &&
        with_attacker) {
        if (has_type_flag(beings[attacker], tf_player)) {
            add_history("Defeated " + being_name(target, name_article) + ".");
        } else if (has_type_flag(beings[attacker], tf_companion)) {
            add_history("Companion " + being_name(attacker, name_capitalised) + " defeated " +
                        being_name(target, name_article) + ".");
        }
    }
    if (result.killed && has_type_flag(b, tf_overgod) && with_attacker &&
        has_type_flag(beings[attacker], tf_player)) {
        if (!pantheon_file_deleted) {
            delete_file(program_folder() + "Save/Avatars.dav");
            pantheon_file_deleted = true;
        }
        state.pantheon_disabled = 1;
    }
}

// The die-hard talent and the die-hard item effect act through the talent and effect rules.
namespace {

constexpr int die_hard_from_item = 2, die_hard_from_talent = 3;
constexpr int die_hard_kind = 3;

void announce_last_breath() {
    add_message();
    add_message("$FThe world goes dark! You die...");
    add_message();
}

} // namespace

bool can_die_hard(int being, int depth) {
    depth = trace_enter(depth, trace_can_die_hard);
    if (!is_being_ok(being, depth)) return false;
    const tbeing& b = beings[being];
    if (b.stamina == 0 || has_type_flag(b, tf_unsummoned)) return false;
    const int status_level = being_status(b, st_die_hard);
    if (status_level == die_hard_from_talent) {
        int talent = 0;
        for (int t = 1; t <= talent_count && talent == 0; ++t) {
            if (b.talent_of(t) != 0 && t < int(talents.size()) && talents[t].effect.kind == die_hard_kind &&
                has_stamina_for_talent(being, t, false))
                talent = t;
        }
        if (talent == 0) return false;
        if (being == player) announce_last_breath();
        use_talent(being, talent, teffect{}, depth);
    } else if (status_level == die_hard_from_item) {
        int item = 0;
        const std::vector<titem>& list = being_items[being];
        for (std::size_t i = 1; i < list.size() && item == 0; ++i) {
            if (list[i].plan != 0 && list[i].activation_effect.kind == die_hard_kind) item = int(i);
        }
        if (item == 0) return false;
        if (being == player) announce_last_breath();
        const titem charm = list[item];
        teffect effect = charm.activation_effect;
        effect.used_item = uint16_t(item);
        handle_effect(being, effect, depth);
        if (!is_being_ok(being)) return false;
        if (services.can_see(player, being, 0, 0))
            add_message(std::string(being == player ? "$F" : "$B") +
                        capitalised(item_name(charm.name.view(), 1, charm.stackable, being, 3)) +
                        " crumbles to dust!");
        remove_item_from_being(being, item, depth);
        update_being(being, depth);
    } else {
        return false;
    }
    return is_being_ok(being) && beings[being].health != 0;
}

void kill_being(int being, tdamage& damage, int depth) {
    depth = trace_enter(depth, trace_kill_being);
    // A being already taken off the level has died once; it is not killed again.
    if (!is_being_ok(being, depth) || !beings[being].present || can_die_hard(being, depth)) return;
    tbeing& b = beings[being];
    b.last_damage = damage;
    const int killer = find_by_short_serial(b.last_damager);
    const int x = b.x, y = b.y;

    if (has_type_flag(b, tf_player)) {
        state.died = 1;
        game.killer = uint16_t(killer);
        game.death_x = uint16_t(x);
        game.death_y = uint16_t(y);
    }
    if (b.commanded && being != player_character) {
        b.commanded = 0;
        player = player_character;
        if (is_being_ok(player_character, 0)) beings[player_character].commanded = 1;
    }

    const bool unsummoned = has_type_flag(b, tf_unsummoned);
    if (is_being_ok(player, 0) && services.can_see(player, being, 0, 0) && !has_type_flag(b, tf_passive) &&
        !unsummoned) {
        add_floating_text(x, y, "death", floating_red);
        if (b.award != 0 && is_being_ok(player_character, 0) && player_character != being) {
            beings[player_character].experience += b.award;
            add_floating_text(x, y, std::to_string(b.award) + " XP", floating_red);
            check_experience(player_character, depth);
        }
    }

    for (std::size_t i = 1; i < beings.size(); ++i) {
        if (beings[i].attack_memory.target == being) beings[i].attack_memory.target = 0;
        if (beings[i].talent_memory.target == being) beings[i].talent_memory.target = 0;
    }

    if (!unsummoned) {
        if (!b.asleep_when_damaged) services.say_death_lines(being, killer, depth);
        if (!has_type_flag(b, tf_passive)) add_death_animation(being);
        const int direction = killer != 0 ? get_direction_between_beings(killer, being) : 0;
        if (!has_type_flag(b, tf_summoned))
            create_corpse(being, killer != 0 ? beings[killer].serial : 0, depth);
        add_splash(x, y, being, damage.total, 0, direction);
        if (b.plan >= 1 && b.plan < being_plans.size()) {
            tbeing_plan& plan = being_plans[b.plan];
            ++plan.kills;
            if (killer != 0 && has_type_flag(beings[killer], tf_player)) ++plan.player_kills;
        }
    }
    if (has_type_flag(b, tf_player)) write_obituary();

    clear_being_turn_marks();
    release_followers(being, true, true, true);
    services.remove_related_emotions(being);
    remove_target_being_effects(being, 0, depth);
    remove_origin_being_from_effects(being, depth);
    if (!unsummoned) drop_all_items(being, depth);
    remove_being(being, depth);
}

void corpse_name(int being, std::string& out) {
    out.clear();
    if (being < 1 || being >= int(beings.size())) return;
    const tbeing& b = beings[being];
    const std::string name = being_name(being, name_capitalised);
    const std::string own = b.name.str();
    if (!own.empty() && own[0] >= 'A' && own[0] <= 'Z') {
        out = name + "'" + "s corpse";
        return;
    }
    std::string race = race_name(b.race);
    std::replace(race.begin(), race.end(), '_', '-');
    out = race + " corpse";
}

void create_corpse(int being, int killer_serial, int depth) {
    depth = trace_enter(depth, trace_create_corpse);
    if (being < 1 || being >= int(beings.size())) return;
    const tbeing& b = beings[being];
    if (has_type_flag(b, tf_undead)) return;
    std::string identifier;
    if (has_type_flag(b, tf_overgod))
        identifier = "it_essence_cosmic";
    else if (has_type_flag(b, tf_god) && !has_type_flag(b, tf_cloned))
        identifier = "it_essence_divine";
    else if (b.category >= 1 && b.category <= 12)
        identifier = "it_corpse_" + std::string(creature_category_names[b.category]);
    const int plan = identifier.empty() ? 0 : find_item_plan_by_name(identifier);
    if (plan == 0) return;
    titem corpse;
    create_item(plan, one_dice, depth, corpse);
    if (corpse.plan == 0) return;
    if (identifier == "it_essence_divine") corpse.god_number = b.avatar_slot;
    if (identifier.rfind("it_corpse_", 0) == 0) {
        std::string name;
        corpse_name(being, name);
        corpse.name = name;
        corpse.corpse_plan = b.plan;
        corpse.corpse_serial = b.serial;
        corpse.corpse_killer = killer_serial;
        corpse.corpse_time = game.game_clock;
        ttext_person self;
        self.name = b.name.str();
        self.gender = b.gender >= tf_male && b.gender <= tf_female ? b.gender - tf_neuter : 0;
        self.race = b.race;
        const std::string title = expand_text_for(b.title.view(), &self, nullptr);
        corpse.corpse_name = title.empty() ? being_name(being, name_capitalised) : title;
        corpse.corpse_category = b.category;
        corpse.corpse_race = b.race;
        const int size = std::max(1, int(b.size) - 137);
        corpse.corpse_size = uint8_t(size);
        const int roll = random(size);
        corpse.weight = uint32_t(roll * 1000 + size * 1500);
        corpse.corpse_health = b.health;
    }
    add_item_to_level(b.x, b.y, corpse, depth, one_dice, plan);
}

} // namespace dravok
