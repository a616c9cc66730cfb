#include "ai/manoeuvre_choice.h"

#include "records/being_flags.h"
#include "records/layout_being.h"
#include "rules/effect_tables.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr int charge_distance = 2, leap_distance = 2, dualstrike_distance = 1;
constexpr int multistrike_foes = 2, multishot_foes = 2;
constexpr int double_shot_ammunition = 2;

bool has(const tbeing& b, int status) {
    return being_status(b, status) > 0;
}

} // namespace

int ai_get_combat_manoeuvre(int being, int target, const tmanoeuvre_setting& s) {
    if (!is_being_ok(being) || !is_being_ok(target)) return 0;
    const tbeing& b = beings[being];
    if (b.knows_attack_talents() == 0 || !s.mobile) return 0;
    auto talent = [&](int kind) { return get_talent(being, target, {kind}, 0); };
    int found = 0;
    // The blade manoeuvres want a melee weapon and no bow in the hands; the shooting ones want
    // the bow ready. Each stands on its own, so an archer still looses its volleys.
    if (!s.holds_ranged && s.holds_melee) {
        if (s.distance == charge_distance && has(b, st_charge)) found = talent(ek_charge);
        if (found == 0 && b.adjacent_hostiles >= multistrike_foes && has(b, st_multistrike))
            found = talent(ek_multistrike);
        if (found == 0 && s.distance == dualstrike_distance && has(b, st_dualstrike))
            found = talent(ek_dualstrike);
    }
    if (found == 0 && s.ranged_ready && s.distance >= s.min_range && s.distance <= s.max_range) {
        const bool two_shots = b.weapon_set.ammunition_amount >= double_shot_ammunition;
        if (has(b, st_multishot) && two_shots && b.seen_hostiles >= multishot_foes)
            found = talent(ek_multishot);
        if (found == 0 && has(b, st_dualshot) && two_shots) found = talent(ek_dualshot);
    }
    return found;
}

int ai_get_leap(int being, int target, const tmanoeuvre_setting& s) {
    if (!is_being_ok(being) || !is_being_ok(target)) return 0;
    if (s.distance != leap_distance || !s.mobile || !has(beings[being], st_leap)) return 0;
    return get_talent(being, target, {ek_leap}, 0);
}

} // namespace dravok
