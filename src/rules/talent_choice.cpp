#include "rules/talent_choice.h"

#include "world/error_log.h"
#include "world/globals.h"
#include "world/random.h"

namespace dravok {

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

// The sheet choices only matter for the player's companions on a level-up; creation passes false.
int get_random_group_talent(const tbeing& being, int group, bool skip_sheet_choices) {
    int n = 0;
    for (int t = 1; t <= talents_in_game(); ++t) {
        const bool candidate = is_talent_in_group(group, t) &&
                               (t > talent_count || being.talent_of(t) == 0) &&
                               being_meets_talent_requirements(being, t);
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

// The permanent statuses and ability raises of owned talents come with the talent rules.
void handle_level_up_permanent_talents(int being, bool all_owned, int depth) {
    depth = trace_enter(depth, trace_handle_level_up_permanent_talents);
}

} // namespace dravok
