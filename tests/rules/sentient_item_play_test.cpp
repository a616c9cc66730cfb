// A sentient sword in a game started from the main menu: wielded, it speaks its lines as
// one-liners, so a run of waits gives no more lines than its cooldowns let through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/layout_being.h"
#include "records/layout_game.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/equipment.h"
#include "support/creation_keys.h"
#include "support/new_game_fixture.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/game_record.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/message_log.h"

namespace dravok {
namespace {

using testing::press_command;

class SentientItemInPlay : public testing::new_game_fixture {
  protected:
    // The lines of the log said by the sword (named with its enchantment, "Whisper +2: ...").
    static int sword_lines() {
        int n = 0;
        for (const std::string& line : message_log)
            n += line.find("Whisper") != std::string::npos;
        return n;
    }
};

TEST_F(SentientItemInPlay, AWieldedSwordSpeaksNoOftenerThanItsCooldownAllows) {
    // Alone on the level: nothing hostile breaks the quiet the sword talks in.
    for (int i = 1; i < int(beings.size()); ++i)
        if (i != hero && beings[i].present) remove_being(i, 1);
    const int sword =
        add_item_to_being(hero, blank_item, find_item_plan_by_name("it_sword_sentient"), 1, one_dice);
    ASSERT_GT(sword, 0);
    ASSERT_TRUE(equip_item(hero, sword, beings[hero].active_set, 0, true));
    update_being(hero, 1); // as the inventory does after equipping
    ASSERT_EQ(beings[hero].equipped_sentient, sword);

    // The quiet it needs before it chatters.
    for (int i = 0; i < 60; ++i)
        press_command(session, REST);
    ASSERT_GE(beings[hero].turns_without_hostiles, 50u);
    const int before = sword_lines();
    const uint32_t start = game.game_clock;
    for (int i = 0; i < 10; ++i)
        press_command(session, REST);
    const uint32_t elapsed = game.game_clock - start;
    const int said = sword_lines() - before;
    // Idle chatter waits 30 steps of 15 time units between two lines of the same item.
    const int allowed = 1 + int(elapsed / (30 * 15));
    EXPECT_LE(said, allowed) << "in " << elapsed << " time units";
    EXPECT_LT(said, 10) << "not a line every turn";
    EXPECT_GE(sword_lines(), 1) << "the sword did speak in seventy turns";
}

} // namespace
} // namespace dravok
