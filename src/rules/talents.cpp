#include "rules/talents.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"

#include <algorithm>

#include "rules/action_time.h"
#include "rules/checks.h"
#include "rules/damage.h"
#include "rules/effect_areas.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/map_effects.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/lasting_effects.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/tables.h"
#include "world/text_database.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int failure_time = 25;
// Effect kinds that need a weapon at the ready and a being free to move.
constexpr int kind_health_surge = 2, kind_charge = 16, kind_dualstrike = 17, kind_multistrike = 19,
              kind_retreat = 20, kind_dualshot = 21, kind_multishot = 22;

bool valid_talent(int t) {
    return t >= 1 && t <= talent_count && t < int(talents.size());
}

std::string capitalised(std::string_view s) {
    std::string out(s);
    capitalize_first(out);
    return out;
}

// " (1d6+2)" for a formula that is not a fixed number, else nothing.
std::string formula_suffix(const tdice& d, int being) {
    if (is_dice_fixed(d)) return {};
    std::string text;
    dice_to_text_for_being(d, being, text);
    return " (" + text + ")";
}

} // namespace

bool is_spell_talent(int t) {
    if (!valid_talent(t)) return false;
    const ttalent& talent = talents[t];
    if (at1(talent.required_skill, skill_magic) <= 0) return false;
    for (int k = 1; k <= skill_count; ++k)
        if (k != skill_magic && at1(talent.required_skill, k) > 0) return false;
    return true;
}

bool can_use_talent_now(int being, int t) {
    if (!valid_talent(t) || being < 1 || being >= int(beings.size())) return false;
    const tbeing& b = beings[being];
    const tweapon_set& set = b.weapon_set;
    switch (talents[t].effect.kind) {
    case kind_charge:
    case kind_dualstrike:
    case kind_multistrike:
    case kind_retreat:
        return set.melee_available != 0 && !is_on_restraining_map_effect(being, 0);
    case kind_dualshot:
    case kind_multishot:
        if (set.quiver_matches_launcher == 0) return false;
        if (set.ammunition_amount < 2 && set.ammunition_everlasting == 0) return false;
        return !is_on_restraining_map_effect(being, 0);
    case kind_health_surge:
        return b.stamina > 0;
    default:
        return true;
    }
}

bool has_stamina_for_talent(int being, int t, bool report) {
    if (!valid_talent(t) || being < 1 || being >= int(beings.size())) return false;
    const tbeing& b = beings[being];
    if (talents[t].stamina <= b.stamina) return true;
    if (report && has_type_flag(b, tf_player) && game_mode == mode_main)
        add_message("$FYou don't have enough Stamina to use that talent!");
    return false;
}

bool make_talent_skill_check(int being, int t, int depth) {
    depth = trace_enter(depth, trace_make_talent_skill_check);
    if (!valid_talent(t)) return true;
    const ttalent& talent = talents[t];
    if (talent.skill < 1 || talent.skill > skill_count) return true;
    if (skill_check_roll(being, talent.skill, talent.difficulty)) return true;
    const std::string name = talent.name.str();
    std::string sentence;
    if (!is_spell_talent(t)) {
        action_sentence(being, 0, "%s %s to use " + name + " - talent!", sentence, "fails", "fail");
        sentence = "$F" + sentence;
    } else if (being == player) {
        action_sentence(being, 0, "%s %s to cast " + name + "!", sentence, "fails", "fail");
        sentence = "$F" + sentence;
    } else {
        action_sentence(being, 0, "%s tries to cast a spell but fails.", sentence, "", "");
    }
    if (!sentence.empty() && sentence != "$F") add_message(sentence);
    adjust_stamina_amount(being, -1, depth);
    beings[being].next_action_time = game.game_clock + uint32_t(action_time(being, failure_time));
    return false;
}

void prepare_talent_effect(int being, int t, const teffect& effect, teffect& out) {
    out = effect;
    if (valid_talent(t) && talents[t].effect.kind == kind_dualshot && being >= 1 &&
        being < int(beings.size())) {
        out.min_range = beings[being].weapon_set.min_range;
        make_fixed_dice(beings[being].weapon_set.max_range, out.range_dice);
    }
    out.range = uint16_t(std::max(0, roll_dice_for_being(out.range_dice, being)));
}

bool use_talent(int being, int t, const teffect& effect, int depth) {
    depth = trace_enter(depth, trace_use_talent);
    if (!is_being_ok(being, depth)) return false;
    if (being == player) {
        if (!has_stamina_for_talent(being, t, true)) return false;
        if (t >= 1 && !can_use_talent_now(being, t)) return false;
    }
    teffect used = effect.kind == 0 && valid_talent(t) ? talents[t].effect : effect;
    used.action_kind = action_talent_use;
    teffect prepared;
    prepare_talent_effect(being, t, used, prepared);
    if (has_type_flag(beings[being], tf_player) && valid_talent(t)) ++game.talent_uses_of(t);
    handle_effect(being, prepared, depth);
    return true;
}

void repeat_talent(int being, int depth) {
    depth = trace_enter(depth, trace_repeat_talent);
    if (being < 1 || being >= int(beings.size())) return;
    const taction_memory& last = beings[being].talent_memory;
    const int t = last.talent;
    if (t == 0 || !has_stamina_for_talent(being, t, true)) return;
    if (last.has_target == 0) {
        if (target_being_shapes[last.effect.shape % effect_shape_count] && beings[being].seen_hostiles == 0)
            return;
        use_talent(being, t, effect_template, depth);
        return;
    }
    use_talent(being, t, last.effect, depth);
}

namespace {

// Whether the aim computed last hits what a harmful talent may hit: a valid aim, the target
// first for a bolt, and no friend of the user.
bool aim_fits(const teffect& e, int target) {
    if (effect_target_invalid) return false;
    if (!kind_is(harmful_kinds, e.kind)) return true;
    if (e.shape == sh_bolt && int(effect_first_being) != target) return false;
    return effect_friendly_hit_count == 0;
}

bool try_aim(int being, int target, const teffect& e, int x, int y, int depth) {
    depth = trace_enter(depth, trace_try_aim);
    if (!on_map(x, y)) return false;
    calculate_effect_coordinates(being, 0, 0, x, y, e, depth);
    return aim_fits(e, target);
}

} // namespace

int get_talent(int being, int target, std::span<const int> allowed_kinds, int depth) {
    depth = trace_enter(depth, trace_get_talent);
    if (!is_being_ok(being) || !is_being_ok(target)) return 0;
    const tbeing& b = beings[being];
    const int tx = beings[target].x, ty = beings[target].y;
    int candidates = 0;
    for (int t = 1; valid_talent(t); ++t) {
        ttalent& talent = talents[t];
        talent.candidate = 0;
        if (b.talent_of(t) == 0 || !has_stamina_for_talent(being, t, false) || !can_use_talent_now(being, t))
            continue;
        if (std::find(allowed_kinds.begin(), allowed_kinds.end(), talent.effect.kind) == allowed_kinds.end())
            continue;
        const int range = roll_dice_for_being(talent.effect.range_dice, being);
        teffect e;
        prepare_talent_effect(being, t, talent.effect, e);
        int ax = tx, ay = ty;
        if (shape_is(map_shapes, e.shape) && map_effect_grid(tx, ty).harmful) continue;
        bool fits = false;
        if (e.shape == sh_none || e.shape == sh_special || e.shape == sh_self) {
            fits = true;
        } else if (e.shape == sh_seen_hostiles) {
            fits = b.nearest_hostile <= range;
        } else if ((e.shape == sh_ball || e.shape == sh_cloud) && kind_is(harmful_kinds, e.kind)) {
            // The target's cell, then its neighbours: in order for a ball, at random for a cloud.
            uint8_t left[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
            for (int n = 0; n < 9 && !fits; ++n) {
                int d = n;
                if (e.shape == sh_cloud) {
                    d = random_set_index(left) - 1;
                    left[d] = 0;
                }
                ax = tx + direction_steps[d].dx;
                ay = ty + direction_steps[d].dy;
                fits = try_aim(being, target, e, ax, ay, depth);
            }
        } else {
            fits = try_aim(being, target, e, ax, ay, depth);
        }
        if (!fits) continue;
        talent.candidate = 1;
        talent.aim.x = uint8_t(ax);
        talent.aim.y = uint8_t(ay);
        ++candidates;
    }
    if (candidates == 0) return 0;
    const int pick = random(candidates);
    for (int t = 1, seen = 0; valid_talent(t); ++t)
        if (talents[t].candidate && seen++ == pick) return t;
    return 0;
}

void store_last_talent_use(int being, int t, const teffect& effect, int target, int) {
    if (!valid_talent(t) || being < 1 || being >= int(beings.size())) return;
    const ttalent& talent = talents[t];
    if (talent.kind == talent_kind_passive || effect.shape == sh_special || effect.shape == sh_self ||
        effect.shape == sh_seen_hostiles || talent.effect.kind == ek_possess)
        return;
    taction_memory& m = beings[being].talent_memory;
    m = taction_memory{};
    m.action_kind = action_talent_use;
    m.talent = uint16_t(t);
    m.talent_icon = uint16_t(t); // the icon is the talent sprites' entry of the talent
    m.effect = effect;
    if (on_map(effect.aim.x, effect.aim.y)) m.aim = effect.aim;
    if (target != being && is_being_ok(target) && beings[target].present) m.target = uint16_t(target);
}

uint8_t lowest_talent_stamina_cost(int being, std::span<const int> types, std::span<const int> kinds) {
    if (being < 1 || being >= int(beings.size())) return 0;
    const tbeing& b = beings[being];
    int best = 0;
    for (int t = 1; valid_talent(t); ++t) {
        if (b.talent_of(t) == 0) continue;
        const ttalent& talent = talents[t];
        if (best != 0 && best <= talent.stamina) continue;
        if (!types.empty() && types[0] != 0 &&
            std::find(types.begin(), types.end(), talent.type) == types.end())
            continue;
        if (std::find(kinds.begin(), kinds.end(), talent.effect.kind) != kinds.end()) best = talent.stamina;
    }
    return uint8_t(best);
}

void talent_info_to_text(int being, int t, std::string& out) {
    out.clear();
    if (!valid_talent(t)) return;
    const ttalent& talent = talents[t];
    const teffect& e = talent.effect;
    const bool spell = is_spell_talent(t);
    constexpr char crlf[] = "\r\n";
    if (talent.skill >= 1 && talent.skill <= skill_count)
        out += "$dSkill-check: $B" + capitalised(dice_skill_names[talent.skill - 1]) + ": " +
               std::to_string(talent.difficulty) + crlf;
    if (talent.stamina != 0) out += "$dStamina-cost: $B" + std::to_string(talent.stamina) + crlf;
    if (spell && e.shape != sh_none && e.shape != sh_special && e.shape != sh_self &&
        e.shape < effect_shape_count) {
        std::string shape = capitalised(effect_shape_names[e.shape]);
        std::replace(shape.begin(), shape.end(), '_', ' ');
        out += "$dArea of effect: $B" + shape + crlf;
    }
    if (spell && is_dice_set(e.range_dice))
        out += "$dRange: $B" + std::to_string(max_dice(e.range_dice, being)) +
               formula_suffix(e.range_dice, being) + crlf;
    const tdice& duration = is_dice_set(e.duration_dice) ? e.duration_dice : e.periodic_dice;
    if (is_dice_set(duration)) {
        const int lo = min_dice(duration, being), hi = max_dice(duration, being);
        out += "$dDuration in rounds: $B" +
               (lo > 0 && lo == hi ? std::to_string(lo) : std::to_string(lo) + "-" + std::to_string(hi)) +
               formula_suffix(duration, being) + crlf;
    }
    if (is_dice_set(e.size_dice))
        out += "$dMax targets: $B" + std::to_string(max_dice(e.size_dice, being)) +
               formula_suffix(e.size_dice, being) + crlf;
    if (is_damage_set(e.damage_dice) && talent.kind != talent_kind_passive) {
        if (e.kind == ek_damage) {
            out += "$dAmount: $B" + std::to_string(min_damage(e.damage_dice, being)) + "-" +
                   std::to_string(max_damage(e.damage_dice, being)) + " (" +
                   damage_to_text(e.damage_dice, being) + ")" + crlf;
        } else if (!is_dice_fixed(e.damage_dice.of(1))) {
            const tdice& d = e.damage_dice.of(1);
            const int lo = min_dice(d, being), hi = max_dice(d, being);
            std::string text;
            dice_to_text_for_being(d, being, text);
            out += "$dAmount: $B" +
                   (lo > 0 && lo == hi ? std::to_string(lo) : std::to_string(lo) + "-" + std::to_string(hi)) +
                   " (" + text + ")" + crlf;
        }
    }
    std::string description;
    get_section_block(-1, talent.identifier.str() + "_description", description);
    if (!out.empty()) out += crlf;
    out += description + crlf;
}

} // namespace dravok
