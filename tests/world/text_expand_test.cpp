#include <gtest/gtest.h>

#include "platform/files.h"
#include "world/error_log.h"
#include "world/text_expand.h"

namespace dravok {
namespace {

ttext_person person(std::string name, int gender, int race) {
    ttext_person p;
    p.name = std::move(name);
    p.gender = gender;
    p.race = race;
    return p;
}

TEST(ExpandText, Placeholders) {
    ttext_person self = person("orc", 1, 94);
    self.title = "Grum";
    self.master = "Lord Vex";
    ttext_person elf = person("elf", 2, 45);
    ttext_person human = person("man", 0, 74);
    struct tcase {
        const char* text;
        const ttext_person* target;
        const char* want;
    } cases[] = {
        {"%HE% draws %his% sword.", &elf, "She draws her sword."},
        {"you are %a_race%", &elf, "You are an elf"},
        {"you are %a_race%", &human, "You are a human"},
        {"%A_RACE%!", &human, "A human!"},
        {"%RACE% %race%", &elf, "Elf elf"},
        {"%he% %him% %himself% %sir% %mister% %milord%", &human, "It it itself sir milord milord"},
        {"%brother% %father% %handsome% %boy% %bastard%", &elf, "Sister mother beautiful girl bitch"},
        {"%source_he% %SOURCE_HIS% %source_race% %self_him%", &elf, "He His orc him"},
        {"%target%, %master% sends word", &elf, "Elf, Lord Vex sends word"},
        {"%he% went", nullptr, " went"},
        {"%nonsense%ok", &elf, "Ok"},
        {"100% sure", &elf, "100 sure"},
        {"%GAME_MENU% or %inventory%", nullptr, "[[ ESC ]] or [[ ENTER ]] or [[ I ]]"},
        {"%move_ne%", nullptr, "[[ NUMPAD 9 ]] or [[ SHIFT ]] + [[ ARROW UP ]]"},
    };
    for (const auto& c : cases) {
        ttext_person s = self;
        EXPECT_EQ(expand_text_for(c.text, &s, c.target), c.want) << c.text;
    }
}

TEST(ExpandText, SelfRevealsTheTitleAndActorUsesIt) {
    ttext_person s = person("orc", 1, 94);
    s.title = "Grum";
    EXPECT_EQ(expand_text_for("%actor% growls. I am %self%. %actor% smiles.", &s, nullptr),
              "The orc growls. I am Grum. Grum smiles.");
    EXPECT_TRUE(s.self_revealed);
}

TEST(ExpandText, SingleUnmatchedPercentEndsWithoutCapitalising) {
    ttext_person t = person("elf", 2, 45);
    EXPECT_EQ(expand_text_for("half %his", nullptr, &t), "half his");
    EXPECT_EQ(expand_text_for("a %his% b % c", nullptr, &t), "a her b  c");
}

TEST(ExpandText, ANameHoldingItsOwnKeyStopsAtTheCap) {
    set_program_folder(::testing::TempDir()); // the cap writes an error-log entry
    ttext_person t = person("%target%", 0, 0);
    std::string out = expand_text_for("x %target% y", nullptr, &t);
    EXPECT_LE(out.size(), 4200u);
    EXPECT_EQ(out.substr(0, 2), "X ");
}

} // namespace
} // namespace dravok
