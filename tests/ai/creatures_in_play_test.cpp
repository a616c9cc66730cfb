// Creatures on the built database's generated levels, played through the key path: a hostile
// creature that sees the player comes and fights, a follower keeps near its master, the
// autopilot explores the whole level, and many creatures acting for many rounds give the same
// world from the same seed.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "ai/attacking.h"
#include "ai/catch_up.h"
#include "ai/decision.h"
#include "ai/emotion.h"
#include "ai/light.h"
#include "ai/oneliners.h"
#include "ai/paths.h"
#include "ai/sight.h"
#include "platform/files.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/level_setup.h"
#include "rules/move_checks.h"
#include "rules/recruiting.h"
#include "rules/scheduler.h"
#include "rules/targeting.h"
#include "support/creation_keys.h"
#include "support/driver.h"
#include "support/game_start.h"
#include "support/new_game_fixture.h"
#include "support/plain_creature.h"
#include "ui/dialogs.h"
#include "ui/key_bindings.h"
#include "ui/map_view.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/coins.h"
#include "world/data_files.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/grid.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/tables.h"

namespace dravok {
namespace {

using testing::plain_creature;
using testing::press_command;
using testing::start_new_game;
using testing::started_game;

// The newest lines of the message log, for a failure's note.
std::string last_lines(int n) {
    std::string out;
    for (size_t i = message_log.size() > size_t(n) ? message_log.size() - size_t(n) : 0;
         i < message_log.size(); ++i)
        out += message_log[i] + "\n";
    return out;
}

// A new game started from the main menu with the keys a player presses; the character stands
// on the first level the game made for it.
class CreaturesInPlay : public testing::new_game_fixture {
  protected:
    // The character moved to the first free floor cell that `fits` accepts.
    int place_hero(const std::function<bool(int, int)>& fits) {
        for (int x = 2; x < map_size; ++x)
            for (int y = 2; y < map_size; ++y)
                if (is_free_floor(x, y, 1, 1, 0, 0, 1) && cell_at(x, y).furniture == 0 && fits(x, y)) {
                    place_being(hero, x, y, 1);
                    return hero;
                }
        return 0;
    }
    // Every creature but the player's character leaves the level.
    static void empty_level() {
        for (int i = 1; i < int(beings.size()); ++i)
            if (i != player && beings[i].present) remove_being(i, 1);
    }
};

// The first mobile creature of the database that hates the character and sees in the dark
// (the character carries no light), made on (x, y) awake; 0 when none.
int add_hating_creature(int hero, int x, int y) {
    for (int plan = 1; plan < int(being_plans.size()); ++plan) {
        const int b = add_being_to_level(x, y, blank_being, 1, plan);
        if (b == 0) continue;
        if (default_emotion(b, hero) <= -20 && can_move(b, 0) >= 0 && beings[b].width == 1 &&
            !has_type_flag(beings[b], tf_passive) && beings[b].fighting_style == 0 &&
            beings[b].dark_vision >= 5) {
            beings[b].asleep_counter = 0;
            beings[b].next_action_time = game.game_clock;
            return b;
        }
        remove_being(b, 1);
    }
    return 0;
}

// What a creature's creation gives an owner of the talent: the talent, its group, the status it
// grants and the stamina kept for it (reserve: the reserve's kind).
void teach_talent(int being, int talent, int status, int reserve) {
    tbeing& b = beings[being];
    b.talent_of(talent) = 1;
    b.knows_talents = 1;
    b.talents_of_type(talents[talent].type) = 1;
    set_being_status(being, status, 1);
    b.stamina_reserve_of(reserve) = uint8_t(talents[talent].stamina);
}

// The attitude entry of a creature that hates the character at the given distance.
temotion hatred_of(int hero, int distance) {
    temotion entry{};
    entry.serial = beings[hero].serial;
    entry.value = -50;
    entry.distance = uint16_t(distance);
    entry.x = beings[hero].x;
    entry.y = beings[hero].y;
    return entry;
}

bool room_to_the_east(int x, int y) {
    for (int k = 1; k <= 5; ++k)
        if (!is_free_floor(x + k, y, 1, 1, 0, 0, 1) || cell_at(x + k, y).area != cell_at(x, y).area)
            return false;
    return true;
}

// Floor cells reachable from (x, y) through floors and doors.
int reachable_floor(int x, int y, std::vector<std::pair<int, int>>* cells = nullptr) {
    tgrid<uint8_t> seen{};
    seen.fill(0);
    std::vector<std::pair<int, int>> queue{{x, y}};
    seen(x, y) = 1;
    for (size_t i = 0; i < queue.size(); ++i) {
        for (int d = 1; d <= 8; ++d) {
            const int nx = queue[i].first + compass_dx[d], ny = queue[i].second + compass_dy[d];
            if (!on_map(nx, ny) || seen(nx, ny) != 0 || !is_floor(nx, ny)) continue;
            seen(nx, ny) = 1;
            queue.push_back({nx, ny});
        }
    }
    if (cells) *cells = queue;
    return int(queue.size());
}

TEST_F(CreaturesInPlay, TheAutopilotExploresTheWholeLevel) {
    empty_level();
    std::vector<std::pair<int, int>> cells;
    const int floor = reachable_floor(beings[hero].x, beings[hero].y, &cells);
    int presses = 0;
    // Creatures come in by the level's stairs while the character explores (the level's spawns)
    // and would stop the command on sight, as they should; they are sent away so the exploring
    // itself is what is checked.
    const auto done = [this] {
        return session.logged("You have fully explored this level!") || session.logged("Nothing to explore!");
    };
    // A way blocked for a moment (a creature that came in by the stairs) may leave the command
    // without a target once; exploring goes on until a press finds nothing and leaves the
    // character where it stands.
    for (bool settled = false; !settled && presses < 400; ++presses) {
        empty_level();
        const int px = beings[hero].x, py = beings[hero].y;
        press_command(session, EXPLORE);
        settled = done() && beings[hero].x == px && beings[hero].y == py && beings[hero].path.length == 0;
    }
    ASSERT_TRUE(done()) << presses << " presses; log:\n" << last_lines(12);
    // Floor behind secret doors stays unknown: the award waits for every floor cell.
    EXPECT_EQ(session.logged("You have fully explored this level!"),
              level.explored_cells == level.floor_cells)
        << level.explored_cells << " of " << level.floor_cells;
    // Nothing is left: the command finds no target and the character stays.
    const int x = beings[hero].x, y = beings[hero].y;
    empty_level();
    press_command(session, EXPLORE);
    EXPECT_EQ(beings[hero].x, x);
    EXPECT_EQ(beings[hero].y, y);
    EXPECT_EQ(beings[hero].path.length, 0);
    int explored = 0;
    for (const auto& [cx, cy] : cells)
        explored += cell_at(cx, cy).explored != 0 ? 1 : 0;
    EXPECT_GE(explored * 100, floor * 95) << explored << " of " << floor << " floor cells";
}

TEST_F(CreaturesInPlay, AHostileCreatureThatSeesThePlayerComesAndFights) {
    // The character in a room with floor five cells to its east, a creature that hates it there.
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    const int foe = add_hating_creature(hero, beings[hero].x + 5, beings[hero].y);
    ASSERT_NE(foe, 0) << "the database has a creature that hates the character";
    const int health = beings[hero].health;
    for (int i = 0; i < 60 && beings[hero].health == health; ++i)
        press_command(session, REST);
    EXPECT_LE(get_being_distance(foe, hero), 1) << beings[foe].name.view() << " came";
    EXPECT_LT(beings[hero].health, health) << "and fought";
}

TEST_F(CreaturesInPlay, AFollowerKeepsNearTheCharacterAcrossTheLevel) {
    ASSERT_NE(place_hero([](int x, int y) { return reachable_floor(x, y) > 200; }), 0);
    empty_level();
    tbeing dog = plain_creature("dog");
    dog.behaviour = 3;
    dog.master = beings[hero].serial;
    // A follower that loses sight of its master for long is let go: the dog sees farther in the
    // dark than it trails behind.
    dog.dark_vision = 8;
    int dx = 0, dy = 0;
    find_free_floor_for_being(beings[hero].x, beings[hero].y, 1, dx, dy, 0, 1);
    const int follower = add_being_to_level(dx, dy, dog, 1, 0);
    ASSERT_NE(follower, 0);
    // The character walks a long way by autopilot travel to the farthest reachable cell.
    std::vector<std::pair<int, int>> cells;
    reachable_floor(beings[hero].x, beings[hero].y, &cells);
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            cell_at(x, y).explored = 1;
    const auto far = cells.back();
    ASSERT_TRUE(pathfind(hero, far.first, far.second, false, false, purpose_travel));
    int farthest = 0;
    beings[hero].path = path_result;
    level.target_x = uint8_t(far.first);
    level.target_y = uint8_t(far.second);
    const int start_x = beings[hero].x, start_y = beings[hero].y;
    // The scheduler takes the travel's steps while no key is pressed, redrawing after each.
    static int watched_follower = 0, farthest_seen = 0;
    watched_follower = follower;
    farthest_seen = 0;
    const auto redraw = services.redraw;
    services.redraw = [] {
        farthest_seen = std::max(farthest_seen, get_being_distance(watched_follower, player));
    };
    handle_rounds();
    services.redraw = redraw;
    farthest = farthest_seen;
    EXPECT_GE(get_distance(start_x, start_y, beings[hero].x, beings[hero].y), 10)
        << "the character travelled";
    EXPECT_LE(get_being_distance(follower, hero), 3) << "the dog is near at the end";
    EXPECT_LE(farthest, 6) << "and never fell far behind";
}

TEST_F(CreaturesInPlay, ACompanionsHealthBarIsFriendlyAndAHostilesIsNot) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    const int foe = add_hating_creature(hero, beings[hero].x + 5, beings[hero].y);
    ASSERT_NE(foe, 0);
    tbeing dog = plain_creature("dog");
    const int companion = add_being_to_level(beings[hero].x + 1, beings[hero].y, dog, 1, 0);
    ASSERT_NE(companion, 0);
    set_as_follower(companion, hero, 1);
    // Until the creature has noticed the character (the dark gives the character a stealth roll).
    for (int i = 0; i < 10 && beings[foe].attitude_to_player == 0; ++i)
        press_command(session, REST);
    auto greener = [this](int b) {
        const uint32_t c = health_bar_colour(hero, b, beings[b].x, beings[b].y);
        return ((c >> 8) & 0xFF) > ((c >> 16) & 0xFF);
    };
    EXPECT_TRUE(greener(companion)) << "the companion's bar is in the friendly colour";
    EXPECT_FALSE(greener(foe)) << "the hostile's bar is in the hostile colour";
    EXPECT_EQ(beings[companion].friendly, 1);
    EXPECT_EQ(beings[foe].friendly, 0);
    EXPECT_LE(beings[foe].attitude_to_player, -20);
}

TEST_F(CreaturesInPlay, AHurtCreatureDrinksItsHealingPotion) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    const int foe = add_hating_creature(hero, beings[hero].x + 5, beings[hero].y);
    ASSERT_NE(foe, 0);
    const int potion_plan = find_item_plan_by_name("it_potion_healing");
    ASSERT_NE(potion_plan, 0);
    tdice two{};
    make_fixed_dice(2, two);
    ASSERT_NE(add_item_to_being(foe, blank_item, potion_plan, 1, two), 0);
    set_being_status(foe, st_device_heal, 1); // it knows how to use healing devices
    // Well under half, so the regeneration before its turn does not lift it over.
    beings[foe].health = std::max(1, beings[foe].health_max / 4);
    const int hurt = beings[foe].health;
    for (int i = 0; i < 5 && get_amount_of_items(foe, potion_plan, 0, 1) == 2; ++i)
        press_command(session, REST);
    EXPECT_EQ(get_amount_of_items(foe, potion_plan, 0, 1), 1) << "one potion drunk";
    EXPECT_GT(beings[foe].health, hurt);
}

TEST_F(CreaturesInPlay, ACreatureWithAnAttackWandShootsTheCharacterFromAfar) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    const int foe = add_hating_creature(hero, beings[hero].x + 5, beings[hero].y);
    ASSERT_NE(foe, 0);
    const int wand_plan = find_item_plan_by_name("it_wand_magic_missile");
    ASSERT_NE(wand_plan, 0);
    const int wand = add_item_to_being(foe, blank_item, wand_plan, 1, one_dice);
    ASSERT_NE(wand, 0);
    // It knows devices, and this one for harm.
    set_being_status(foe, st_use_devices, 1);
    set_being_status(foe, st_device_damage, 1);
    const int charges = being_items[foe][wand].charges;
    const int health = beings[hero].health;
    for (int i = 0; i < 10 && beings[hero].health == health; ++i)
        press_command(session, REST);
    EXPECT_LT(beings[hero].health, health) << "struck";
    EXPECT_GT(get_being_distance(foe, hero), 1) << "from afar";
    EXPECT_LT(being_items[foe][wand].charges, charges) << "by the wand";
    EXPECT_FALSE(session.logged("You can not read")) << "no refusal meant for the player";
}

// Whether any of the lines was said.
bool said_any(const started_game& session, std::initializer_list<const char*> lines) {
    for (const char* line : lines)
        if (session.logged(line)) return true;
    return false;
}

TEST_F(CreaturesInPlay, AnOrcThatTurnsHostileSaysSo) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    const int orc = add_being_to_level(beings[hero].x + 2, beings[hero].y, blank_being, 1,
                                       find_being_plan_by_name("be_orc"));
    ASSERT_NE(orc, 0);
    beings[orc].asleep_counter = 0;
    beings[orc].dark_vision = 8;
    // A truce that breaks: its liking falls to hatred, and it shows it.
    update_emotion(orc, hero, 60, 0, 2);
    update_emotion(orc, hero, -40, 0, 2);
    ASSERT_TRUE(get_angry(orc, hero, true));
    EXPECT_EQ(beings[orc].anger_mark(), 4);
    // The fight itself is not what is looked at: the character is kept standing through it.
    const auto keep_standing = [this] { beings[hero].health = beings[hero].health_max; };
    for (int i = 0; i < 6 && !session.logged("Now you die slow!"); ++i) {
        keep_standing();
        press_command(session, REST);
    }
    EXPECT_TRUE(session.logged("Now you die slow!"));
    EXPECT_EQ(beings[orc].anger_mark(), 0) << "said once";
}

TEST_F(CreaturesInPlay, AKoboldStruckDownByTheCharacterSaysItsLastWords) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    const int kobold = add_being_to_level(beings[hero].x + 1, beings[hero].y, blank_being, 1,
                                          find_being_plan_by_name("be_kobold"));
    ASSERT_NE(kobold, 0);
    beings[kobold].asleep_counter = 0;
    beings[kobold].health = 1;
    for (int i = 0; i < 40 && beings[kobold].present; ++i) {
        beings[hero].health = beings[hero].health_max; // the fight is not what is looked at
        if (get_being_distance(hero, kobold) > 1) {
            press_command(session, REST);
            continue;
        }
        const int dir = get_direction(beings[hero].x, beings[hero].y, beings[kobold].x, beings[kobold].y);
        press_command(session, MOVE_N + dir - 1);
    }
    ASSERT_FALSE(beings[kobold].present) << "killed; log:\n" << last_lines(12);
    EXPECT_TRUE(said_any(session, {"Yiiip!", "Not fair..."})) << last_lines(6);
}

TEST_F(CreaturesInPlay, ARememberedTalentIsAimedAtTheNearestFoeAndUsedOnIt) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    const int foe = add_hating_creature(hero, beings[hero].x + 4, beings[hero].y);
    ASSERT_NE(foe, 0);
    int bolt = 0;
    for (int t = 1; t < int(talents.size()) && bolt == 0; ++t)
        if (talents[t].effect.kind == 5 && talents[t].effect.shape == sh_bolt && talents[t].skill == 0)
            bolt = t;
    ASSERT_NE(bolt, 0) << "the database has a harmful bolt talent without a skill check";
    // The talent was used before: what the aiming reads.
    beings[hero].talent_of(bolt) = 1;
    beings[hero].stamina = beings[hero].stamina_max = 100;
    taction_memory& m = beings[hero].talent_memory;
    m.talent = uint16_t(bolt);
    m.action_kind = 16;
    m.effect = talents[bolt].effect;
    // A turn for both to see each other; each frame of the main mode then aims the talent.
    beings[foe].next_action_time = game.game_clock + 1000;
    press_command(session, REST);
    ASSERT_EQ(m.has_target, 1) << "aimed, stamina " << beings[hero].stamina;
    EXPECT_EQ(m.target, foe);
    const int health = beings[foe].health;
    press_command(session, TALENT_MARKED);
    EXPECT_LT(beings[foe].health, health) << "struck by the talent";
}

TEST_F(CreaturesInPlay, ACreatureWithAHarmfulSpellCastsItAtTheCharacter) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    const int foe = add_hating_creature(hero, beings[hero].x + 5, beings[hero].y);
    ASSERT_NE(foe, 0);
    int bolt = 0;
    for (int t = 1; t < int(talents.size()) && bolt == 0; ++t)
        if (talents[t].identifier.view() == "mt_dark_bolt") bolt = t;
    ASSERT_NE(bolt, 0);
    teach_talent(foe, bolt, st_damage, 3);
    tbeing& caster = beings[foe];
    caster.stamina = caster.stamina_max = 50;
    for (int i = 0; i < 10 && caster.stamina == 50; ++i) {
        beings[hero].health = beings[hero].health_max; // the fight is not what is looked at
        press_command(session, REST);
    }
    EXPECT_LT(caster.stamina, 50) << "the spell was cast; log:\n" << last_lines(6);
    EXPECT_LT(beings[hero].health, beings[hero].health_max) << "at the character";
    EXPECT_GT(get_being_distance(foe, hero), 1) << "from afar";
}

// The talent of the database with this identifier; 0 when none.
int talent_named(std::string_view id) {
    for (int t = 1; t < int(talents.size()); ++t)
        if (talents[t].identifier.view() == id) return t;
    return 0;
}

// A creature of the database's template, made awake on (x, y).
int add_awake_creature(const char* plan_name, int x, int y) {
    const int b = add_being_to_level(x, y, blank_being, 1, find_being_plan_by_name(plan_name));
    if (b == 0) return 0;
    beings[b].asleep_counter = 0;
    beings[b].next_action_time = game.game_clock;
    return b;
}

TEST_F(CreaturesInPlay, AnUmberHulkGazesAtTheCharacterFromAfar) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    // Its gaze reaches four cells; it has claws for close work.
    const int hulk = add_awake_creature("be_umberhulk", beings[hero].x + 4, beings[hero].y);
    ASSERT_NE(hulk, 0);
    int gaze = 0;
    for (int i = 1; i <= natural_attack_count && gaze == 0; ++i)
        if (beings[hulk].natural_attack(i).attack_class >= 14) gaze = i;
    ASSERT_NE(gaze, 0);
    const int health = beings[hero].health;
    int distance_when_struck = 0;
    for (int i = 0; i < 20 && beings[hero].health == health; ++i) {
        distance_when_struck = get_being_distance(hulk, hero);
        press_command(session, REST);
    }
    ASSERT_LT(beings[hero].health, health) << "struck; log:\n" << last_lines(8);
    EXPECT_GE(distance_when_struck, 2) << "from afar";
    EXPECT_GT(beings[hulk].natural_attack(gaze).ready_time, 0u) << "by the gaze";
    EXPECT_EQ(beings[hulk].ai_plan, plan_ranged_attack);
}

// A creature that sees a foe hardens its skin when it has the stamina for it, and only then.
TEST_F(CreaturesInPlay, ACreatureHardensItsSkinOnlyWithTheStaminaForIt) {
    const int stoneskin = talent_named("mt_stoneskin");
    ASSERT_NE(stoneskin, 0);
    const int cost = talents[stoneskin].stamina;
    ASSERT_GT(cost, 1);
    ASSERT_NE(place_hero(room_to_the_east), 0);
    struct stamina_case {
        int stamina;
        bool hardens;
    };
    for (const stamina_case k : {stamina_case{cost - 1, false}, stamina_case{cost, true}}) {
        empty_level();
        const int foe = add_hating_creature(hero, beings[hero].x + 5, beings[hero].y);
        ASSERT_NE(foe, 0);
        teach_talent(foe, stoneskin, st_stoneskin, 7);
        tbeing& b = beings[foe];
        b.stamina_max = 50;
        b.stamina = uint16_t(k.stamina);
        b.stamina_regen = 0; // its stamina stays where it is put until it is spent
        // The character in the dark is noticed after a few looks.
        for (int i = 0; i < 8 && beings[foe].stamina >= k.stamina; ++i) {
            beings[hero].health = beings[hero].health_max;
            press_command(session, REST);
        }
        // The spell may fail its magic roll; its stamina is spent either way.
        EXPECT_EQ(beings[foe].stamina == k.stamina - cost, k.hardens)
            << "stamina " << k.stamina << " for a cost of " << cost << "; log:\n"
            << last_lines(6);
    }
}

TEST_F(CreaturesInPlay, AHobgoblinChargesFromTwoCellsAndNeverLeaps) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    const int hob = add_awake_creature("be_hobgoblin", beings[hero].x + 2, beings[hero].y);
    ASSERT_NE(hob, 0);
    const int charge = talent_named("t_charge"), leap = talent_named("t_leap");
    ASSERT_NE(charge, 0);
    ASSERT_NE(leap, 0);
    ASSERT_NE(beings[hob].talent_of(charge), 0) << "its template gives it the charge";
    ASSERT_EQ(talents[leap].type, talents[charge].type) << "a fighter's leap";
    // A leap it knows as well, of the same fighter's kind: a fighter rushes in, it does not jump.
    beings[hob].talent_of(leap) = 1;
    set_being_status(hob, st_leap, 1);
    beings[hob].stamina = beings[hob].stamina_max = 40;
    beings[hob].dark_vision = 8;
    const int health = beings[hero].health;
    for (int i = 0; i < 10 && beings[hob].stamina == 40; ++i) {
        beings[hero].health = uint16_t(health); // the fight is not what is looked at
        press_command(session, REST);
    }
    EXPECT_EQ(40 - beings[hob].stamina, talents[charge].stamina) << "charged; log:\n" << last_lines(8);
    EXPECT_TRUE(session.logged("charges at you!")) << last_lines(8);
    EXPECT_FALSE(session.logged("You charge!")) << "the words are the onlooker's, not the charger's";
    EXPECT_EQ(get_being_distance(hob, hero), 1) << "and landed next to the character";
}

// A sweep of blows needs a blade in hand: a hobgoblin with its kit weapon, taught the trolls'
// flurry, between the character and the character's dog.
TEST_F(CreaturesInPlay, AnArmedHobgoblinBetweenTwoFoesSweepsBoth) {
    ASSERT_NE(place_hero([](int x, int y) { return room_to_the_east(x, y) && room_to_the_east(x, y + 1); }),
              0);
    empty_level();
    const int hx = beings[hero].x, hy = beings[hero].y;
    const int hob = add_awake_creature("be_hobgoblin", hx + 1, hy);
    ASSERT_NE(hob, 0);
    ASSERT_NE(beings[hob].weapon_set.melee_available, 0) << "armed";
    const int rend = talent_named("mt_rend");
    ASSERT_NE(rend, 0);
    beings[hob].talent_of(rend) = 1;
    set_being_status(hob, st_multistrike, 1);
    beings[hob].dark_vision = 8;
    const int dog = add_being_to_level(hx + 2, hy + 1, plain_creature("dog"), 1, 0);
    ASSERT_NE(dog, 0);
    set_as_follower(dog, hero, 1);
    beings[hob].stamina = beings[hob].stamina_max = 40;
    const int hero_health = beings[hero].health, dog_health = beings[dog].health;
    for (int i = 0; i < 10 && beings[hob].stamina == 40; ++i) {
        beings[hero].health = uint16_t(hero_health); // both kept standing until the sweep
        beings[dog].health = uint16_t(dog_health);
        press_command(session, REST);
    }
    ASSERT_EQ(40 - beings[hob].stamina, talents[rend].stamina) << "swept; log:\n" << last_lines(8);
    EXPECT_LT(beings[hero].health + beings[dog].health, hero_health + dog_health) << "a foe was struck";
}

// Which combat manoeuvre a creature picks against the character, by what it holds, how far the
// character stands, how many foes are about and which talent group it knows. The creature knows
// every manoeuvre talent; the statuses say which it has trained.
TEST_F(CreaturesInPlay, ACreaturePicksTheManoeuvreItsWeaponAndTheDistanceAllow) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    const char* const known[] = {"t_charge",    "t_multistrike", "t_dualstrike",
                                 "t_multishot", "t_dualshot",    "t_leap"};
    struct row {
        const char* what;
        bool bow;
        int distance;
        std::vector<int> statuses;
        int talent_type, adjacent_foes, seen_foes, arrows;
        int kind; // the effect kind of the talent used; 0: no talent
    };
    constexpr int combat = 3, spells = 4, monsters = 5;
    const row rows[] = {
        {"a fighter charges from two cells", false, 2, {st_charge, st_leap}, combat, 0, 1, 0, 16},
        {"not with a bow in its hands", true, 2, {st_charge}, combat, 0, 1, 10, 0},
        {"nor without combat talents", false, 2, {st_charge}, spells, 0, 1, 0, 0},
        {"it sweeps among two foes", false, 1, {st_multistrike, st_dualstrike}, combat, 2, 2, 0, 19},
        {"and strikes one foe twice", false, 1, {st_multistrike, st_dualstrike}, combat, 1, 1, 0, 17},
        {"an archer looses a volley at two foes", true, 5, {st_multishot, st_dualshot}, combat, 0, 2, 10, 22},
        {"and a double shot at one", true, 5, {st_multishot, st_dualshot}, combat, 0, 1, 10, 21},
        {"but not with one arrow left", true, 5, {st_dualshot}, combat, 0, 1, 1, 0},
        {"nor with its bow unready", false, 5, {st_dualshot}, combat, 0, 1, 10, 0},
        {"a fighter never leaps", false, 2, {st_leap}, combat, 0, 1, 0, 0},
        {"a spellcaster leaps", false, 2, {st_leap}, spells, 0, 1, 0, 18},
        {"and so does a monster", false, 2, {st_leap}, monsters, 0, 1, 0, 18},
    };
    for (const row& r : rows) {
        // A hobgoblin hates the character from its making.
        const int b = add_awake_creature("be_hobgoblin", beings[hero].x + r.distance, beings[hero].y);
        ASSERT_NE(b, 0) << r.what;
        for (const char* id : known) {
            const int t = talent_named(id);
            ASSERT_NE(t, 0) << id;
            beings[b].talent_of(t) = 1;
        }
        // What the attack decision reads, over what the creation made of the talents.
        tbeing& f = beings[b];
        f.dark_vision = 8;
        f.stamina = f.stamina_max = 100;
        for (int type = 1; type <= talent_type_count; ++type)
            f.talents_of_type(type) = type == r.talent_type ? 1 : 0;
        for (const int status :
             {st_charge, st_multistrike, st_dualstrike, st_multishot, st_dualshot, st_leap})
            f.status_of(status) = 0;
        for (const int status : r.statuses)
            set_being_status(b, status, 1);
        tweapon_set& hands = f.weapon_set;
        hands = tweapon_set{};
        hands.melee_available = 1;
        if (r.bow) {
            hands.launcher[0] = 1;
            hands.quiver_matches_launcher = 1;
            hands.ammunition_amount = uint32_t(r.arrows);
            hands.min_range = 2;
            hands.max_range = 10;
        }
        // The character in the dark is noticed after a few looks; once seen, it stays seen.
        for (int look = 0; look < 20 && can_see(b, hero, 0, 0) == 0; ++look)
            ai_see(b, 1);
        ASSERT_NE(can_see(b, hero, 0, 0), 0) << r.what;
        f.adjacent_hostiles = uint8_t(r.adjacent_foes);
        f.seen_hostiles = uint16_t(r.seen_foes);
        target_effect = teffect{};
        const int plan = ai_target_ok_for_attack(b, hero, hatred_of(hero, r.distance), false);
        EXPECT_EQ(plan == plan_talent ? int(target_effect.kind) : 0, r.kind)
            << r.what << " (plan " << plan << ")";
        remove_being(b, 1);
    }
}

// A melee weapon that can be thrown (a dagger) is thrown only while the other weapon set keeps a
// melee weapon for the fight that follows; a dart, made to be thrown, is thrown whatever the
// other set holds; next to its foe the dagger's owner stabs.
TEST_F(CreaturesInPlay, ACreatureThrowsItsDaggerOnlyWithAnotherMeleeWeaponToHand) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    struct row {
        const char* what;
        bool dagger; // else a dart
        bool sword_in_other_set;
        int distance, plan;
    };
    const row rows[] = {
        {"a dagger is thrown with a sword to hand", true, true, 3, plan_ranged_attack},
        {"but kept when it is the only weapon", true, false, 3, plan_chase},
        {"and used to stab at close quarters", true, true, 1, plan_melee_attack},
        {"a dart is thrown either way", false, false, 3, plan_ranged_attack},
    };
    for (const row& r : rows) {
        const int b = add_awake_creature("be_hobgoblin", beings[hero].x + r.distance, beings[hero].y);
        ASSERT_NE(b, 0) << r.what;
        tbeing& f = beings[b];
        f.dark_vision = 8;
        f.knows_talents = 0;
        f.fighting_style = 0;
        f.preferred_distance = 0;
        // What the weapon sets' set-up makes of a dagger or a dart in hand and a sword in the other set.
        tweapon_set& hands = f.weapon_set;
        hands = tweapon_set{};
        hands.hand_item[0] = 1;
        hands.melee[0] = r.dagger ? 1 : 0;
        hands.melee_available = r.dagger ? 1 : 0;
        hands.throws[0] = hands.hand_throws = 1;
        hands.range[0] = hands.max_range = 4;
        hands.min_range = 2;
        f.other_weapon_set = tweapon_set{};
        if (r.sword_in_other_set) {
            f.other_weapon_set.hand_item[0] = 2;
            f.other_weapon_set.melee[0] = f.other_weapon_set.melee_available = 1;
        }
        for (int look = 0; look < 20 && can_see(b, hero, 0, 0) == 0; ++look)
            ai_see(b, 1);
        ASSERT_NE(can_see(b, hero, 0, 0), 0) << r.what;
        EXPECT_EQ(ai_target_ok_for_attack(b, hero, hatred_of(hero, r.distance), false), r.plan) << r.what;
        EXPECT_EQ(throws_by_second_ranged_mode(b), r.dagger && r.sword_in_other_set) << r.what;
        remove_being(b, 1);
    }
}

// A jackal that sees a kobold it likes, and that likes it back, takes it as its master and
// follows it.
TEST_F(CreaturesInPlay, AJackalTakesAKoboldAsItsMasterAndFollowsIt) {
    empty_level();
    // A room far from the character; the two stand side by side, as a jackal sees no farther
    // than the next cell in the dark.
    int kx = 0, ky = 0;
    for (int x = 2; x < map_size && kx == 0; ++x)
        for (int y = 2; y < map_size && kx == 0; ++y)
            if (get_distance(x, y, beings[hero].x, beings[hero].y) > 25 && room_to_the_east(x, y) &&
                cell_at(x, y).area != cell_at(beings[hero].x, beings[hero].y).area)
                kx = x, ky = y;
    ASSERT_NE(kx, 0);
    const int kobold = add_awake_creature("be_kobold", kx, ky);
    const int jackal = add_awake_creature("be_jackal", kx + 1, ky);
    ASSERT_NE(kobold, 0);
    ASSERT_NE(jackal, 0);
    for (int i = 0; i < 10 && beings[jackal].master == 0; ++i)
        press_command(session, REST);
    EXPECT_EQ(beings[jackal].master, beings[kobold].serial) << last_lines(6);
    EXPECT_EQ(beings[kobold].master, 0) << "the kobold leads";
}

TEST_F(CreaturesInPlay, TheCharacterWakesAnInactiveGolemWithItsScroll) {
    ASSERT_NE(place_hero([](int x, int y) { return room_to_the_east(x, y) && room_to_the_east(x, y + 1); }),
              0);
    empty_level();
    const int golem = add_being_to_level(beings[hero].x + 1, beings[hero].y, blank_being, 1,
                                         find_being_plan_by_name("be_golem_iron"));
    ASSERT_NE(golem, 0);
    ASSERT_TRUE(has_type_flag(beings[golem], tf_inactive));
    // Without the scroll the character only learns that something is needed.
    press_command(session, MOVE_E);
    EXPECT_TRUE(session.logged("You probably need some item to activate it."));
    const int scroll_plan = find_item_plan_by_name("it_scroll_golem");
    ASSERT_NE(scroll_plan, 0);
    ASSERT_NE(add_item_to_being(hero, blank_item, scroll_plan, 1, one_dice), 0);
    press_command(session, MOVE_E);
    ASSERT_EQ(game_mode, mode_dialog) << "the scroll is offered";
    for (int i = 0; i < 4 && game_mode == mode_dialog; ++i) {
        session.press(key_right); // "Yes"
        session.press(key_enter);
    }
    EXPECT_FALSE(has_type_flag(beings[golem], tf_inactive)) << "log:\n" << last_lines(6);
    EXPECT_EQ(beings[golem].master, beings[hero].serial) << "it follows the character";
    EXPECT_EQ(get_amount_of_items(hero, scroll_plan, 0, 1), 0) << "the scroll is read";
}

// Walking into a passive creature smashes it, unless a creature that sees it and likes it would
// take its side: then the character is asked first. Once that creature hates the character it
// stands up for nobody.
TEST_F(CreaturesInPlay, APassiveCreatureWithAWatchingFriendIsNotSmashedWithoutAsking) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    const int x = beings[hero].x, y = beings[hero].y;
    tbeing record = plain_creature("toadstool");
    record.type_flags[tf_passive] = 1;
    const int toadstool = add_being_to_level(x + 1, y, record, 1, 0);
    const int keeper = add_being_to_level(x + 3, y, plain_creature("keeper"), 1, 0);
    ASSERT_NE(toadstool, 0);
    ASSERT_NE(keeper, 0);
    update_emotion(keeper, toadstool, 30, 1, 2);
    beings[keeper].next_action_time = game.game_clock;
    // The keeper looks round on its turns; the toadstool's own turn may come between.
    for (int i = 0; i < 5 && can_see(keeper, toadstool, 0, 0) == 0; ++i)
        press_command(session, REST);
    ASSERT_NE(can_see(keeper, toadstool, 0, 0), 0);
    press_command(session, MOVE_E);
    ASSERT_EQ(game_mode, mode_dialog) << "log:\n" << last_lines(4);
    EXPECT_EQ(dialog.partner, toadstool);
    session.press(key_escape);
    ASSERT_EQ(game_mode, mode_main);
    EXPECT_NE(beings[toadstool].present, 0);

    update_emotion(keeper, hero, -40, 1, get_being_distance(keeper, hero));
    press_command(session, MOVE_E);
    EXPECT_NE(game_mode, mode_dialog);
    EXPECT_EQ(beings[toadstool].present, 0) << "smashed; log:\n" << last_lines(4);
}

TEST_F(CreaturesInPlay, AShopkeepersCoinsAreToppedUpWhenThePlayerReturns) {
    ASSERT_NE(place_hero(room_to_the_east), 0);
    empty_level();
    tbeing keeper = plain_creature("shopkeeper");
    keeper.type_flags[tf_shopkeeper] = 1;
    const int shop = add_being_to_level(beings[player].x + 3, beings[player].y, keeper, 1, 0);
    ASSERT_NE(shop, 0);
    ASSERT_EQ(being_coins(shop), 0);
    // Long enough away that the time cap does not cut the top-up.
    level.last_update = 1000;
    game.game_clock = 1000 + 5 * 4000;
    ai_catch_up_rounds();
    EXPECT_GE(being_coins(shop), 3000);
    EXPECT_LT(being_coins(shop), 3250);
    // Away only a little: the cap is a fifth of the time away.
    const int before = being_coins(shop);
    adjust_wealth(shop, -before, 1);
    level.last_update = game.game_clock;
    game.game_clock += 500;
    ai_catch_up_rounds();
    EXPECT_EQ(being_coins(shop), 100);
}

} // namespace
} // namespace dravok
