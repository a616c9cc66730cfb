#include "world/experience_award.h"
#include "records/layout_being.h"

#include <algorithm>

#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/lookup.h"
#include "world/player.h"
#include "world/rounding.h"
#include "world/services.h"
#include "world/state.h"

namespace dravok {

void award_experience_from_being(int being, int depth, std::string& out) {
    depth = trace_enter(depth, trace_award_experience_from_being);
    out.clear();
    if (!is_being_ok(being, depth)) return;
    tbeing& b = beings[being];
    if (b.damage_from_player == 0 && b.damage_from_companions == 0) return;
    if (b.health_max == 0 || b.xp_worth == 0 || has_type_flag(b, tf_no_xp)) return;
    const int pc = player_character;
    if (pc == being || !is_being_ok(pc, 0) || !beings[pc].present) return;
    if (b.master != 0 && b.master == beings[pc].serial) return;
    if (b.creator != 0 && b.creator == beings[pc].serial) return;
    double fraction = b.damage_from_player > 0 ? double(b.damage_from_player) / b.health_max
                                               : double(b.damage_from_companions) / b.health_max / 5.0;
    fraction = std::min(fraction, 1.0);
    b.award = uint32_t(std::max(round_half_even(b.xp_worth * fraction), 1));
    if (is_being_ok(player, 0) && services.can_see(player, being, 0, 0))
        out = "$E(" + std::to_string(b.award) + " XP)$B";
}

std::string award_experience_from_being(int being, int depth) {
    std::string out;
    award_experience_from_being(being, depth, out);
    return out;
}

void check_experience(int being, int depth) {
    depth = trace_enter(depth, trace_check_experience);
    if (!is_being_ok(being, depth) || state.quiet) return;
    tbeing& b = beings[being];
    if (b.experience >= b.experience_next) {
        state.level_up_pending = 1;
        stop_resting(being);
    }
}

int disable_experience(int difficulty) {
    constexpr int free_difficulty = 21, least = 20;
    const int over = difficulty - free_difficulty;
    if (over < 1) return 0;
    return round_for_display(std::max(3 * over * over, least));
}

int award_disable_experience(int difficulty, int depth) {
    depth = trace_enter(depth, trace_award_disable_experience);
    const int xp = disable_experience(difficulty);
    if (xp > 0 && is_being_ok(player_character)) {
        beings[player_character].experience += uint32_t(xp);
        check_experience(player_character, depth);
    }
    return xp;
}

} // namespace dravok
