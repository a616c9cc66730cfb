// Followers.
#include "rules/followers.h"

#include "ai/emotion.h"
#include "ai/light.h"
#include "rules/action_time.h"
#include "rules/effect_support.h"
#include "rules/stand_ins.h"
#include "world/being.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/message_log.h"

namespace dravok {

namespace {
constexpr int following_behaviour = 3;
constexpr int follower_liking = 50;
constexpr int possession_recovery = 45;
} // namespace

void end_possession(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    tbeing& b = beings[being];
    // Called for the possessor (its body was hurt): the possession it holds ends.
    const int held = b.possessed != 0 ? find_being_by_serial(b.possessed) : 0;
    if (held >= 1 && held != being) {
        end_possession(held);
        return;
    }
    const int possessor = find_being_by_serial(b.leader);
    b.leader = 0;
    b.possession_end = 0;
    b.type_flags[tf_possessed] = 0;
    if (b.plan >= 1 && b.plan < int(being_plans.size())) {
        for (int f : {tf_has_oneliners, tf_good, tf_neutral, tf_evil})
            b.type_flags[f] = plan_has_type_flag(b.plan, f) ? 1 : 0;
    }
    b.commanded = 0;
    stop_on_hostiles(being, false);
    if (possessor >= 1) {
        tbeing& p = beings[possessor];
        if (has_type_flag(p, tf_player))
            add_message("$N" + format_text(" %s is unpossessed. You regain control of your body.",
                                           {being_name(being, name_the_capital)}));
        p.possessed = 0;
        p.commanded = 1;
        player = possessor;
        state.travel_target = 0;
        update_emotion(being, possessor, -follower_liking, 0, get_being_distance(being, possessor));
        update_lights();
        // not built yet: the possessed being's complaint about the intrusion
    }
    b.next_action_time = game.game_clock + uint32_t(action_time(being, possession_recovery));
}

int count_occupied_cells_around(int being, int x, int y, int radius) {
    int w = 1, h = 1;
    if (being >= 1 && being < int(beings.size())) {
        w = beings[being].width < 1 ? 1 : beings[being].width;
        h = beings[being].height < 1 ? 1 : beings[being].height;
        if (x == 0 && y == 0) {
            x = beings[being].x;
            y = beings[being].y;
        }
    }
    int count = 0;
    for (int cx = x - radius; cx < x + w + radius; ++cx)
        for (int cy = y - radius; cy < y + h + radius; ++cy) {
            if (!on_map(cx, cy)) continue;
            const int b = cell_at(cx, cy).being;
            if (b != 0 && b != being) ++count;
        }
    return count;
}

} // namespace dravok
