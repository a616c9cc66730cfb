// A game begun deeper down; see depth_start.h.
#include "support/depth_start.h"

#include <random>
#include <vector>

#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "rules/level_setup.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/experience_award.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_record.h"
#include "world/player.h"
#include "world/tables.h"

namespace dravok::testing {

namespace {

// The character's level for a dungeon depth: three a level below the first, as a player who
// fights most of what each level holds.
int character_level_for(int depth) {
    return 1 + 3 * (depth - 1);
}
// Healing carried: a few for the first levels, more deeper down.
int healing_potions_for(int depth) {
    return 2 + depth / 2;
}
// Pieces of gear of that depth put in the backpack for the bot to weigh against what it wears.
constexpr int gear_pieces = 6;

// The portal on the level whose destination lies on the other level; 0 when none.
int portal_between(int on_level, int to_level) {
    for (int p = 1; p < int(portals.size()); ++p)
        if (portals[p].level == on_level && portal_destination_level(p) == to_level) return p;
    return 0;
}

bool enter_level_by(int portal) {
    if (portal == 0) return false;
    game.target_level = portals[portal].level;
    game.portal = portals[portal];
    game.current_level = level.index;
    if (!setup_level(1) || !arrive_at_level(1)) return false;
    game_mode = mode_main;
    return level.index == portals[portal].level;
}

void give_items(int depth, std::mt19937& rng) {
    tdice amount;
    parse_dice(std::to_string(healing_potions_for(depth)), amount);
    const int healing =
        find_item_plan_by_name(depth >= 5 ? "it_potion_healing_greater" : "it_potion_healing");
    if (healing > 0) add_item_to_being(player, titem{}, healing, 1, amount);
    // A light: the deeper levels are dark.
    if (const int lantern = find_item_plan_by_name("it_lantern"); lantern > 0)
        add_item_to_being(player, titem{}, lantern, 1, one_dice);
    std::vector<int> gear;
    for (int p = 1; p < int(item_plans.size()); ++p) {
        const titem_plan& plan = item_plans[p];
        if (!plan.flags[if_weapon] && !plan.flags[if_armor]) continue;
        if (plan.max_depth == 255 || plan.min_depth > depth || plan.max_depth < depth) continue;
        gear.push_back(p);
    }
    for (int i = 0; i < gear_pieces && !gear.empty(); ++i) {
        const int pick = int(rng() % uint32_t(gear.size()));
        add_item_to_being(player, titem{}, gear[pick], 1, one_dice);
    }
    update_item_count(player);
    update_carried_weight(player);
}

} // namespace

int hub_level_index() {
    for (int i = 1; i < int(levels.size()); ++i)
        if (levels[i].hub != 0) return i;
    return 0;
}

bool beyond_the_hub(int level_index) {
    const int hub = hub_level_index();
    return hub != 0 && level_index >= 1 && level_index < int(levels.size()) &&
           (level_index == hub || levels[level_index].demiplane != 0);
}

int portal_at(int x, int y) {
    for (int p = 1; p < int(portals.size()); ++p)
        if (portals[p].level == level.index && portals[p].x == x && portals[p].y == y) return p;
    return 0;
}

int portal_destination_level(int portal) {
    if (portal < 1 || portal >= int(portals.size())) return 0;
    const int d = portals[portal].destination;
    return d >= 1 && d < int(portals.size()) ? portals[d].level : 0;
}

bool begin_at_depth(int level_index, uint32_t seed) {
    if (player < 1 || player >= int(beings.size())) return false;
    std::mt19937 rng(seed);
    int arrival = 0, depth = level_index;
    if (beyond_the_hub(level_index)) {
        // Entered by the shallowest gate to the hub, which puts the character beside it: the bot
        // steps in, so the hub is entered as in play.
        const int hub = hub_level_index();
        for (int on = 1; on < hub && arrival == 0; ++on)
            arrival = portal_between(on, hub);
        depth = hub - 1;
    } else {
        arrival = portal_between(level_index, level_index - 1);
    }
    if (arrival == 0 || !enter_level_by(arrival)) return false;
    give_items(depth, rng);
    tbeing& me = beings[player];
    me.experience = experience_for_level(character_level_for(depth));
    check_experience(player, 1);
    return true;
}

} // namespace dravok::testing
