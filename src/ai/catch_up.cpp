#include "ai/catch_up.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ai/decision.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/coins.h"
#include "world/game_record.h"
#include "world/level_record.h"
#include "world/player.h"
#include "world/random.h"
#include "world/state.h"

namespace dravok {

namespace {
constexpr int max_missed_turns = 40;
constexpr uint32_t never_acts = 0xFFFFFFFFu;
constexpr int shop_coins = 3000;

bool on_players_side(int i) {
    return has_type_flag(beings[i], tf_player) || i == player || beings[i].commanded != 0;
}
} // namespace

void ai_catch_up_rounds() {
    const uint32_t now = game.game_clock;
    if (now == level.last_update) return;

    // Signed: a being whose next action lies in the future, or that never acts, missed nothing.
    std::vector<int> missed(beings.size(), 0);
    int largest = 0;
    for (int i = 1; i < int(beings.size()); ++i) {
        tbeing& b = beings[i];
        if (b.serial <= 0 || on_players_side(i) || b.next_action_time == never_acts) continue;
        const int64_t n = (int64_t(now) - int64_t(b.next_action_time)) / 15;
        if (n < 1) continue;
        missed[size_t(i)] = int(std::min<int64_t>(n, max_missed_turns));
        largest = std::max(largest, missed[size_t(i)]);
        if (n > 20) b.idle_turns = uint16_t(b.idle_turns + 2 * missed[size_t(i)]);
    }

    state.log_muted = 1;
    state.catch_up = 1;
    for (int round = 0; round < largest; ++round) {
        for (int i = 1; i < int(beings.size()) && i < int(missed.size()); ++i) {
            if (missed[size_t(i)] <= 0 || !beings[i].present) continue;
            ai_act(i, 0);
            --missed[size_t(i)];
        }
    }
    state.log_muted = 0;
    state.catch_up = 0;

    for (int i = 1; i < int(beings.size()); ++i) {
        tbeing& b = beings[i];
        if (!b.present || b.serial == 0 || on_players_side(i)) continue;
        b.next_action_time = now + 15;
        if (has_type_flag(b, tf_shopkeeper)) {
            const int coins = being_coins(i);
            if (coins < shop_coins) {
                int amount = random(250);
                amount += shop_coins - coins;
                const int64_t cap = (int64_t(now) - int64_t(level.last_update)) / 5;
                amount = int(std::min<int64_t>(amount, std::max<int64_t>(cap, 0)));
                if (amount > 0) add_coins_to_being(i, amount, 0);
            }
        }
    }
}

} // namespace dravok
