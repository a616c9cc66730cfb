#include <gtest/gtest.h>

#include "fixtures/small_world.h"
#include "platform/files.h"
#include "records/layout_being.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/sight_records.h"
#include "world/state.h"
#include "world/text_expand.h"

namespace dravok {
namespace {

class TextSentences : public ::testing::Test {
  protected:
    fixtures::small_world world;
    void SetUp() override {
        set_program_folder(::testing::TempDir());
        world = fixtures::build_small_world();
        player = world.goblin;
        sight_matrix[player][world.ogre] = sight_matrix[player][player] = 1; // it sees the ogre and itself
        clear_message_log();
        settings = tsettings{};
        state = tstate{};
        log_area_width = 600;
        log_text_measure = [](std::string_view s) { return static_cast<int>(s.size()) * 6; };
    }
    void TearDown() override { set_program_folder(""); }
};

TEST_F(TextSentences, ActionSentences) {
    std::string out;
    action_sentence(player, world.ogre, "", out, "hits", "hit");
    EXPECT_EQ(out, "You hit " + being_name(world.ogre, name_the) + ".");
    action_sentence(world.ogre, player, "", out, "hits", "hit");
    EXPECT_EQ(out, being_name(world.ogre, name_the_capital) + " hits you.");
    action_sentence(player, 0, "", out, "rests", "rest");
    EXPECT_EQ(out, "You rest.");
    action_sentence(player, world.ogre, "%s %s %s hard!", out, "kicks", "kick");
    EXPECT_EQ(out.substr(0, 9), "You kick ");
    player_or_other_text(world.ogre, "you", "it", out);
    EXPECT_EQ(out, "it");
}

TEST_F(TextSentences, ExpandsFromBeingsAndRevealsTheSpeaker) {
    tbeing& ogre = beings[world.ogre];
    ogre.title = "Grum the Ogre";
    ogre.gender = 136;
    std::string out;
    expand_text("%self% waves at %target%. %SOURCE_HE% smiles at %him%.", world.ogre, player, out);
    EXPECT_EQ(out, "Grum the Ogre waves at " + beings[player].name.str() + ". She smiles at " +
                       gender_word("him", beings[player].gender == 135   ? 1
                                          : beings[player].gender == 136 ? 2
                                                                         : 0) +
                       ".");
    EXPECT_EQ(ogre.name, "Grum the Ogre");
    EXPECT_EQ(ogre.name_known, 1);
}

TEST_F(TextSentences, SpeechNamesTheSpeakerAndSkipsBlankLines) {
    add_speech_message(world.ogre, player, 0, "Hello there", "");
    ASSERT_EQ(message_log.size(), 1u);
    EXPECT_NE(message_log[0].find("$B" + being_name(world.ogre, name_the_capital) + ": $DHello there"),
              std::string::npos);
    add_speech_message(world.ogre, player, 0, "   ", "");
    EXPECT_EQ(message_log.size(), 1u);
    add_speech_message(0, player, 0, "nobody", "");
    EXPECT_EQ(message_log.size(), 1u);
}

} // namespace
} // namespace dravok
