#include "rules/talent_choice.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <span>

#include "rules/character_sheet.h"
#include "rules/effect_tables.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {

namespace {
// Statuses given by owned talents last as long as the being.
constexpr int permanent_status_level = 3;
} // namespace

int talents_in_game() {
    return talents.empty() ? 0 : int(talents.size()) - 1;
}

bool being_meets_talent_requirements(const tbeing& being, int talent) {
    if (talent < 1 || talent > talents_in_game()) return false;
    const ttalent& t = talents[talent];
    if (t.min_level != 0 && t.min_level > being.level) return false;
    if (t.max_level != 0 && t.max_level < being.level) return false;
    for (int k = 1; k <= ability_count; ++k) {
        const int need = at1(t.required_ability, k);
        if (need > 0 && need > at1(being.base_ability, k)) return false;
    }
    for (int k = 1; k <= skill_count; ++k) {
        const int need = at1(t.required_skill, k);
        if (need > 0 && need > at1(being.base_skill, k)) return false;
    }
    for (int r = 1; r <= talent_count; ++r) {
        if (at1(t.required_talent, r) != 0 && being.talent_of(r) == 0) return false;
    }
    return true;
}

bool is_talent_in_group(int group, int talent) {
    if (talent < 1 || talent > talents_in_game()) return false;
    for (uint16_t g : talents[talent].groups) {
        if (g == 0) return false;
        if (g == group) return true;
    }
    return false;
}

// The sheet choices only matter on a level-up, where the sheet holds the talents already chosen
// for it; creation passes false.
int get_random_group_talent(const tbeing& being, int group, bool skip_sheet_choices) {
    int n = 0;
    for (int t = 1; t <= talents_in_game(); ++t) {
        const bool on_sheet =
            skip_sheet_choices && t <= talent_count && edited_character.talent(t).chosen != 0;
        const bool candidate = is_talent_in_group(group, t) &&
                               (t > talent_count || being.talent_of(t) == 0) &&
                               being_meets_talent_requirements(being, t) && !on_sheet;
        talents[t].candidate = candidate ? 1 : 0;
        if (candidate) ++n;
    }
    if (n == 0) return 0;
    const int r = random(n);
    for (int t = 1, seen = 0; t <= talents_in_game(); ++t) {
        if (talents[t].candidate && seen++ == r) return t;
    }
    return 0;
}

void handle_level_up_permanent_talents(int being, bool all_owned, int depth) {
    depth = trace_enter(depth, trace_handle_level_up_permanent_talents);
    if (!is_being_ok(being, depth)) return;
    tbeing& b = beings[being];
    const int last = std::min(talent_count, talents_in_game());
    for (int t = 1; t <= last; ++t) {
        const bool processed = all_owned
                                   ? b.talent_of(t) != 0
                                   : edited_character.talent(t).chosen && !edited_character.talent(t).owned;
        if (!processed) continue;
        const ttalent& talent = talents[t];
        ++b.knows_talents;
        if (talent.type >= 1 && talent.type <= talent_type_count) ++b.talents_of_type(talent.type);
        for (int s = 1; s <= status_count; ++s)
            if (at1(talent.status, s) != 0) set_being_status(being, s, permanent_status_level);
        if (talent.kind == talent_kind_passive && talent.effect.kind == ek_boost_ability &&
            talent.effect.sub_type >= 1 && talent.effect.sub_type <= ability_count)
            ++b.base_ability_of(talent.effect.sub_type);
    }
    // The stamina kept in reserve for each family of spells and monster powers.
    static constexpr int spell_types[] = {talent_type_spells, talent_type_monsters};
    static constexpr int animate[] = {24, 25}, banish[] = {27}, damage[] = {5}, slime_web[] = {41, 58},
                         summon[] = {43, 45, 46, 47, 48, 50, 51, 52, 54, 55, 56}, poison[] = {36},
                         stoneskin[] = {42}, blink[] = {28};
    const std::span<const int> reserves[] = {animate, banish, damage,    slime_web,
                                             summon,  poison, stoneskin, blink};
    for (int r = 0; r < attack_kind_count; ++r)
        b.stamina_reserve[r] = lowest_talent_stamina_cost(being, spell_types, reserves[r]);
}

} // namespace dravok
