#include "rules/being_creation.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "rules/being_update.h"
#include "rules/effects.h"
#include "rules/equipment.h"
#include "rules/item_choice.h"
#include "rules/lasting_effects.h"
#include "rules/pantheon.h"
#include "rules/talent_choice.h"
#include "world/ai_tables.h"
#include "world/being.h"
#include "world/being_arrays.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience.h"
#include "world/game_record.h"
#include "world/item_placement.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/lookup.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/sight_records.h"
#include "world/sprite_lookup.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int trigger_follower_idle_chatter = 35;
constexpr int trigger_idle_chatter = 50;
constexpr int item_type_corpse = 55;
constexpr uint32_t never_acts = 0xFFFFFFFFu;

std::string expanded(std::string_view text) {
    if (text.find('%') == std::string_view::npos) return std::string(text);
    // Template names and titles draw on the text database only; no being is speaking yet.
    return expand_text_for(text, nullptr, nullptr);
}

bool is_valid_plan(int plan) {
    return plan >= 1 && plan < int(being_plans.size());
}

int last_being_index() {
    return int(beings.size()) - 1;
}

bool is_area_valid(int area) {
    return area >= 1 && area < int(areas.size());
}

// Copies a stored item list (from index 1) into the being's own list, grown to fit.
void copy_item_list(int being, const std::vector<titem>& stored) {
    std::vector<titem>& list = being_items[being];
    if (list.size() < stored.size()) list.resize(stored.size());
    std::fill(list.begin(), list.end(), blank_item);
    std::copy(stored.begin(), stored.end(), list.begin());
}

void fill_health_and_stamina(tbeing& b) {
    b.health = b.health_max;
    b.stamina = b.stamina_max;
}

// Gods and demigods return with their stored items and their full strength.
void finish_divine_being(int index, const std::vector<titem>* stored, bool permanent_talents, int depth) {
    depth = trace_enter(depth, trace_finish_divine_being);
    tbeing& b = beings[index];
    if (b.serial == 0) b.serial = int32_t(++game.being_serial);
    if (stored != nullptr) copy_item_list(index, *stored);
    if (permanent_talents) handle_level_up_permanent_talents(index, true, depth);
    update_being(index, depth);
    equip_being(index, 0, depth);
    update_being(index, depth);
    fill_health_and_stamina(beings[index]);
    std::string weapons;
    calculate_experience_award(index, depth, weapons);
    beings[index].next_action_time = game.game_clock;
}

void finish_new_being(int index, int x, int y, int depth) {
    depth = trace_enter(depth, trace_finish_new_being);
    tbeing& b = beings[index];
    const tcell& c = cell_at(x, y);
    b.home_level = level.index;
    b.home_area = c.area;
    handle_level_up_permanent_talents(index, true, depth);
    b.experience_next = experience_for_level(b.level + 1);
    const bool in_prison_cell = c.vault_zone >= vz_first_cell && c.vault_zone <= vz_last_cell;
    if (!in_prison_cell) {
        add_equipment_to_being(index, depth);
        if (has_type_flag(beings[index], tf_evil))
            holy_to_necrotic_items(index);
        else
            necrotic_to_holy_items(index);
    } else {
        tbeing& p = beings[index];
        p.type_flags[tf_spawned_in_cell] = 1;
        p.type_flags[tf_has_not_left_cell] = 1;
        if (is_valid_plan(p.plan)) {
            const tbeing_plan& plan = being_plans[p.plan];
            for (int i = 0; i < item_wish_count; ++i) {
                if (p.wish[i] == 0) p.wish[i] = plan.prison_wish[i];
            }
        }
        for (int i = 0; i < item_wish_count; ++i) {
            if (p.wish[i] != 0) p.uses_items = 1;
        }
    }
    if (c.vault_zone >= vz_first_ambush && c.vault_zone <= vz_last_ambush) beings[index].behaviour = 1;
    update_being(index, depth);
    equip_being(index, 0, depth);
    {
        tbeing& e = beings[index];
        e.active_set = set_1_main_hand;
        if (e.equipment_of(set_1_main_hand) == 0 && e.equipment_of(set_2_main_hand) != 0)
            e.active_set = set_2_main_hand;
    }
    update_being(index, depth);
    fill_health_and_stamina(beings[index]);
    std::string weapons;
    calculate_experience_award(index, depth, weapons);
    tbeing& l = beings[index];
    if (!has_type_flag(l, tf_construct) && !has_type_flag(l, tf_flora) && !has_type_flag(l, tf_undead)) {
        l.type_flags[tf_living] = 1;
    }
    if (l.identifier.view() != "be_debug_player") {
        if (drop_unneeded_items(index, false, depth)) update_being(index, depth);
        update_item_interests(index, depth);
    }
}

} // namespace

// ----- Creation -----

int pick_being_image_variant(int plan) {
    if (!is_valid_plan(plan)) return 0;
    tbeing_plan& p = being_plans[plan];
    const int count = sprite_info(sprites_creature, plan).variants;
    if (count < 1) return 0;
    int candidates[used_image_variant_count];
    int n = 0;
    for (int v = 1; v <= count && n < used_image_variant_count; ++v) {
        if (std::find(std::begin(p.used_variants), std::end(p.used_variants), uint8_t(v)) ==
            std::end(p.used_variants)) {
            candidates[n++] = v;
        }
    }
    if (n == 0) {
        for (int v = 1; v <= count && n < used_image_variant_count; ++v) {
            if (v != p.last_variant) candidates[n++] = v;
        }
        std::memset(p.used_variants, 0, sizeof p.used_variants);
    }
    if (n == 0) return 0;
    const int variant = candidates[random(n)];
    p.last_variant = uint8_t(variant);
    uint8_t* free_entry = std::find(std::begin(p.used_variants), std::end(p.used_variants), uint8_t(0));
    if (free_entry == std::end(p.used_variants)) {
        std::memset(p.used_variants, 0, sizeof p.used_variants);
        free_entry = p.used_variants;
    }
    *free_entry = uint8_t(variant);
    return variant - 1;
}

namespace {

// A pantheon avatar is copied from the slot holding its id, with a serial of its own.
void copy_avatar(tbeing_plan& p, tbeing& out) {
    const int avatar = find_avatar_slot(p.special);
    if (avatar != 0 && avatars[avatar].present != 0) {
        out = avatars[avatar];
        out.serial = int32_t(++game.being_serial);
    } else {
        out.serial = -1;
    }
    ++p.created_on_level;
    ++p.created_in_game;
}

// Takes the plan's type flags and reads the category, race, size and gender from them.
void copy_type_flags(const tbeing_plan& p, tbeing& out) {
    std::memcpy(out.type_flags, p.type_flags, sizeof out.type_flags);
    if (p.max_per_game == 1) out.type_flags[tf_unique] = 1;
    const std::span<const uint8_t> flags(out.type_flags);
    out.category = uint8_t(first_nonzero_byte(flags, first_category_flag, last_category_flag));
    out.race = uint8_t(first_nonzero_byte(flags, first_race_flag, last_race_flag));
    out.size = uint8_t(first_nonzero_byte(flags, first_size_flag, last_size_flag));
    out.gender = uint8_t(first_nonzero_byte(flags, first_gender_flag, last_gender_flag));
    if (out.gender == 0) out.gender = tf_neuter;
}

// Gives the identifier, the name and the title; a unique keeps the title chosen for the game.
void name_being(const tbeing_plan& p, tbeing& out) {
    out.identifier = p.identifier.view();
    out.name = expanded(p.name.view());
    if (has_type_flag(out, tf_unique) && !p.unique_title.empty())
        out.title = p.unique_title.view();
    else
        out.title = expanded(p.title.view());
}

// Chooses the image, drawing a variant only when the plan has more than one.
void choose_image(int plan, const tbeing_plan& p, tbeing& out, int depth) {
    const tsprite_info sprite = sprite_info(sprites_creature, plan);
    if (sprite.variants == 0) {
        char text[120];
        std::snprintf(text, sizeof text, "No images for being_plan %d (%s)!", plan,
                      p.identifier.str().c_str());
        error_log(depth, text, false);
        out.image = sprite.first_image;
    } else if (sprite.variants == 1) {
        out.image = sprite.first_image;
    } else {
        out.image = uint16_t(sprite.first_image + pick_being_image_variant(plan));
    }
}

// Rolls abilities, skills, resistances and multipliers, then takes the starting status.
void roll_abilities(tbeing_plan& p, tbeing& out) {
    for (int k = 1; k <= ability_count; ++k)
        out.base_ability_of(k) = int8_t(roll_dice(p.ability_of(k)));
    for (int k = 1; k <= skill_count; ++k)
        out.base_skill_of(k) = int8_t(roll_dice(p.skill_of(k)));
    for (int t = 1; t <= damage_type_count; ++t)
        at1(out.base_resistance, t) = int16_t(roll_dice(p.resistance_of(t)));
    for (int t = 1; t <= damage_type_count; ++t)
        at1(out.base_multiplier, t) = uint16_t(roll_dice(p.multiplier_of(t)));

    std::memcpy(out.status, p.status, sizeof out.status);
}

// Grants the plan's talents the being qualifies for, then draws from its talent groups.
void choose_talents(tbeing_plan& p, tbeing& out) {
    for (int t = 1; t <= talent_count; ++t) {
        if (p.talent_of(t) != 0 && being_meets_talent_requirements(out, t)) out.talent_of(t) = 1;
    }
    for (int i = 0; i < plan_talent_group_count; ++i) {
        const int group = p.talent_groups[i];
        if (group == 0) break;
        const tdice& count_dice = p.talent_group_count[i];
        int count = talents_in_game();
        if (count_dice.all_flag == 0) count = roll_dice(count_dice);
        for (int n = 0; n < count; ++n) {
            const int t = get_random_group_talent(out, group, false);
            if (t == 0) break;
            if (t <= talent_count) out.talent_of(t) = 1;
        }
    }
}

// Copies the natural attacks and rolls the value of each.
void roll_natural_attacks(tbeing_plan& p, tbeing& out) {
    for (int i = 1; i <= natural_attack_count; ++i) {
        out.natural_attack(i) = p.natural_attack(i);
        out.natural_attack(i).value = uint8_t(roll_dice(out.natural_attack(i).attack_dice));
    }
}

// Sets health and stamina with their regeneration; a fresh recruit gets the most, health half again.
void roll_health_and_stamina(const tbeing_plan& p, tbeing& out) {
    if (has_type_flag(out, tf_humanoid) && has_type_flag(out, tf_can_be_recruited) && out.level == 1) {
        out.health_base = uint16_t(round_half_even(max_dice(p.health, 0) * 1.5));
        out.stamina_base = uint16_t(max_dice(p.stamina, 0));
    } else {
        out.health_base = uint16_t(roll_dice(p.health));
        out.stamina_base = uint16_t(roll_dice(p.stamina));
    }

    out.health_regen = p.health_regen;
    out.health_regen_delay = p.health_regen_delay;
    out.stamina_regen = p.stamina_regen;
    out.stamina_regen_delay = p.stamina_regen_delay;
}

// Takes the stimulus tables, idle and sleep turns, morale and the manner of fighting.
void copy_behaviour(const tbeing_plan& p, tbeing& out) {
    if (p.ai_preset < ai_preset_count) {
        std::copy(ai_preset_tables[0][p.ai_preset].begin(), ai_preset_tables[0][p.ai_preset].end(),
                  out.stimulus_chance);
        std::copy(ai_preset_tables[1][p.ai_preset].begin(), ai_preset_tables[1][p.ai_preset].end(),
                  out.stimulus_range);
    }
    out.idle_turns_before_sleep = uint16_t(roll_dice(p.idle_turns_before_sleep));
    out.sleep_turns = uint16_t(roll_dice(p.sleep_turns));
    out.wake_up = p.wake_up;
    if (p.morale_index < morale_kind_count) {
        std::copy(morale_table[p.morale_index].begin(), morale_table[p.morale_index].end(), out.morale);
    }
    out.behaviour = p.behaviour;
    out.fighting_style = p.fighting_style;
    out.preferred_distance = p.preferred_distance;
    out.dark_vision = p.dark_vision;
}

// Puts off the first idle chatter and takes the reactions and the wished-for items.
void copy_chatter_and_wishes(const tbeing_plan& p, tbeing& out) {
    if (p.chatter_switch_of(trigger_follower_idle_chatter) != 0) {
        out.chatter_time_of(trigger_follower_idle_chatter) = game.game_clock + 300 * 15;
    }
    if (p.chatter_switch_of(trigger_idle_chatter) != 0) {
        out.chatter_time_of(trigger_idle_chatter) = game.game_clock + 200 * 15;
    }

    std::memcpy(out.types_to_comment, p.reaction, sizeof out.types_to_comment);
    std::memcpy(out.wish, p.wish, sizeof out.wish);
    for (uint8_t w : out.wish) {
        if (w != 0) out.uses_items = 1;
    }
    if (out.wish_of(item_type_corpse) != 0) out.wants_corpses = 1;
}

} // namespace

void create_being(int plan, int depth, tbeing& out) {
    out = blank_being;
    depth = trace_enter(depth, trace_create_being);
    if (!is_valid_plan(plan)) {
        char text[120];
        std::snprintf(text, sizeof text, "Illegal being_plan-index %d when trying to create being! (max %d)",
                      plan, int(being_plans.size()) - 1);
        error_log(depth, text, true);
        return;
    }
    tbeing_plan& p = being_plans[plan];

    if (p.special >= 1 && p.special <= avatar_slot_count) {
        copy_avatar(p, out);
        return;
    }

    if ((p.cap != 0 && p.created_on_level >= p.cap) ||
        (p.max_per_game != 0 && p.created_in_game >= p.max_per_game)) {
        out.serial = -1;
        return;
    }
    ++p.created_on_level;
    ++p.created_in_game;
    out.serial = int32_t(++game.being_serial);

    copy_type_flags(p, out);
    name_being(p, out);

    out.plan = uint16_t(plan);
    out.width = p.width;
    out.height = p.height;

    choose_image(plan, p, out, depth);

    out.level = 1;
    roll_abilities(p, out);
    choose_talents(p, out);
    roll_natural_attacks(p, out);
    roll_health_and_stamina(p, out);
    copy_behaviour(p, out);
    copy_chatter_and_wishes(p, out);

    if (p.special != 0) {
        out.name_known = 1;
        out.name = out.title.view();
    }
}

void setup_unique_names() {
    std::vector<std::string> chosen;
    for (std::size_t i = 1; i < being_plans.size(); ++i) {
        tbeing_plan& p = being_plans[i];
        if (p.max_per_game != 1 && p.special == 0) continue;
        if (p.title.view().find('%') == std::string_view::npos) continue;
        std::string title;
        // A database with too few title variants must not hang the set-up: after 100 draws
        // the last one is taken even if another template has it.
        for (int attempt = 0; attempt < 100; ++attempt) {
            title = expanded(p.title.view());
            if (title.size() > 30) title.resize(30);
            if (std::find(chosen.begin(), chosen.end(), title) == chosen.end()) break;
        }
        chosen.push_back(title);
        p.unique_title = title;
    }
}

// ----- The being array -----

// The being arrays are kept by world/being_arrays; these are the names the rules use.
void grow_beings(int n) {
    grow_being_arrays(n);
}

void clear_beings() {
    clear_being_arrays();
}

void free_beings() {
    seen_cells.clear();
    sight_matrix.clear();
    first_seen_matrix.clear();
    being_items.clear();
    beings.clear();
    seen_cells.shrink_to_fit();
    sight_matrix.shrink_to_fit();
    first_seen_matrix.shrink_to_fit();
    being_items.shrink_to_fit();
    beings.shrink_to_fit();
}

// ----- Adding, placing, removing -----

int add_being_to_level(int x, int y, const tbeing& record, int depth, int plan) {
    depth = trace_enter(depth, trace_add_being_to_level);
    if (!on_map(x, y, depth)) return 0;
    tbeing made = record;
    if (made.name.empty()) create_being(plan, depth, made);
    if (made.name.empty()) return 0;
    // A creation refused by a limit is not added either.
    if (made.serial == -1) return 0;

    // Summoned and animated beings, plants and fungi do not wait for a return.
    for (int i = 1; i <= last_being_index(); ++i) {
        tbeing& b = beings[i];
        if (b.present != 0) continue;
        if (has_type_flag(b, tf_animated) || has_type_flag(b, tf_summoned) || has_type_flag(b, tf_plant) ||
            has_type_flag(b, tf_fungus)) {
            b = blank_being;
            std::fill(being_items[i].begin(), being_items[i].end(), blank_item);
        }
    }

    int slot = made.serial > 0 ? find_inactive_being_by_serial(made.serial) : 0;
    if (slot == 0) {
        for (int i = 1; i <= last_being_index(); ++i) {
            if (beings[i].in_use == 0) {
                slot = i;
                break;
            }
        }
    }
    if (slot == 0) {
        slot = std::max(1, int(beings.size())); // entry 0 is never used
        grow_beings(100);
    }

    note_being_slot_used(slot);
    beings[slot] = made;
    beings[slot].in_use = 1;
    beings[slot].present = 1;
    place_being(slot, x, y, depth);

    tbeing& b = beings[slot];
    if (has_type_flag(b, tf_god) && !has_type_flag(b, tf_cloned)) {
        const int avatar = find_avatar_slot(b.avatar_slot);
        finish_divine_being(slot, avatar != 0 ? &avatar_items[avatar] : nullptr, true, depth);
    } else if (has_type_flag(b, tf_demigod) && !has_type_flag(b, tf_cloned)) {
        const int d = b.demigod;
        finish_divine_being(slot, d >= 1 && d < int(demigod_items.size()) ? &demigod_items[d] : nullptr,
                            false, depth);
    } else if (b.next_action_time == 0) {
        finish_new_being(slot, x, y, depth);
    }

    tbeing& f = beings[slot];
    if (f.active_set == 0) f.active_set = set_1_main_hand;
    if (has_type_flag(f, tf_passive))
        f.next_action_time = never_acts;
    else if (f.next_action_time <= game.game_clock)
        f.next_action_time = game.game_clock + 15;
    if (f.home_x == 0 || f.home_y == 0) {
        f.home_x = uint8_t(x);
        f.home_y = uint8_t(y);
    }
    return slot;
}

void place_being(int being, int x, int y, int depth) {
    depth = trace_enter(depth, trace_place_being);
    if (being < 1 || being > last_being_index()) {
        char text[120];
        std::snprintf(text, sizeof text, "Illegal being-index %d when trying to place being! (max %d)", being,
                      last_being_index());
        error_log(depth, text, true);
        return;
    }
    tbeing& b = beings[being];
    const int w = std::max<int>(b.width, 1), h = std::max<int>(b.height, 1);
    // The whole new footprint must fit before anything changes, so a failed move leaves the
    // being, the grid and the area counts as they were.
    if (x != 0 || y != 0) {
        for (int cy = y; cy < y + h; ++cy) {
            for (int cx = x; cx < x + w; ++cx) {
                if (!on_map(cx, cy, depth)) return;
            }
        }
    }
    if (on_map(b.x, b.y, 0)) {
        for (int cy = b.y; cy < b.y + h; ++cy) {
            for (int cx = b.x; cx < b.x + w; ++cx) {
                if (!on_map(cx, cy, depth)) return;
            }
        }
        const int area = cell_at(b.x, b.y).area;
        if (is_area_valid(area) && areas[area].beings > 0) --areas[area].beings;
        for (int cy = b.y; cy < b.y + h; ++cy) {
            for (int cx = b.x; cx < b.x + w; ++cx) {
                tcell& c = cell_at(cx, cy);
                if (c.being != being) continue; // never wipe another being's mark
                c.being = 0;
                c.footprint = 0;
            }
        }
    }
    if (x == 0 && y == 0) return;
    uint8_t part = 1;
    for (int cy = y; cy < y + h; ++cy) {
        for (int cx = x; cx < x + w; ++cx) {
            tcell& c = cell_at(cx, cy);
            c.being = uint16_t(being);
            c.footprint = part++;
        }
    }
    const int area = cell_at(x, y).area;
    if (is_area_valid(area)) ++areas[area].beings;
    b.area = uint16_t(area);
    b.x = uint8_t(x);
    b.y = uint8_t(y);
    b.moved = 1;
}

void remove_being(int being, int depth) {
    depth = trace_enter(depth, trace_remove_being);
    if (being < 1 || being > last_being_index()) return;
    place_being(being, 0, 0, depth);
    tbeing& b = beings[being];
    b.present = 0;
    std::fill(std::begin(b.equipment), std::end(b.equipment), uint16_t(0));
    std::fill(std::begin(b.class_equipped), std::end(b.class_equipped), uint8_t(0));
    std::fill(being_items[being].begin(), being_items[being].end(), blank_item);
    if (b.avatar_slot >= 1 && b.avatar_slot <= avatar_slot_count) {
        remove_avatar(b.avatar_slot);
        b.avatar_slot = 0;
    } else if (b.demigod != 0) {
        update_demigods();
    } else if (b.identifier.view() == "be_chained_god" || b.identifier.view() == "be_demon_demogorgon" ||
               has_type_flag(b, tf_overgod)) {
        if (has_type_flag(b, tf_overgod)) state.overgod_left = 1;
        save_avatars();
    }
    count_level_beings();
}

} // namespace dravok
