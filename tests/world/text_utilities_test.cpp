// The text utilities and the name generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "world/random.h"
#include "world/text_utilities.h"

namespace dravok {
namespace {

TEST(TextUtilities, ListsLinesAndColours) {
    EXPECT_EQ(spaced_title("RACE"), "R A C E");
    EXPECT_EQ(last_comma_to_and("axe, bow, club"), "axe, bow and club");
    EXPECT_EQ(count_lines(""), 0);
    EXPECT_EQ(count_lines("a\r\nb"), 2);
    EXPECT_EQ(count_lines("a\r\nb\r\n"), 2);
    EXPECT_EQ(drop_lines("a\r\nb\r\nc", 2), "c");
    EXPECT_EQ(drop_lines("a\r\nb", 5), "b") << "stops when no break is left";
    EXPECT_EQ(join_list("axe\r\n\r\nbow\r\nclub"), "axe, bow, club");
    EXPECT_EQ(append_with_comma("", "bow"), "bow");
    EXPECT_EQ(append_with_comma("axe", ""), "axe");
    EXPECT_EQ(count_and_delete("aaaa", "aa"), 2);
    EXPECT_EQ(delete_all("a-b-c", "-"), "abc");
    EXPECT_EQ(replace_all("a.b.c", ".", ", "), "a, b, c");
    EXPECT_EQ(replace_all("ab", "a", "aa"), "ab") << "a replacement holding what it replaces is refused";
    EXPECT_EQ(capitalize("goblin"), "Goblin");
    EXPECT_EQ(capitalize(""), "");
    EXPECT_EQ(signed_number_text(3), "+3");
    EXPECT_EQ(signed_number_text(0), "0");
    EXPECT_EQ(signed_number_text(-3), "-3");
    EXPECT_EQ(hours_text(5400), "1.5");
}

std::string sorted(std::string s) {
    std::sort(s.begin(), s.end());
    return s;
}

TEST(NameGenerator, KeepsEveryLetterOnceAndOnlyLetters) {
    struct seed_case {
        const char* seed;
        const char* letters; // the vowels and consonants of the seed, lower case
    } cases[] = {{"Gorbag the Bold", "gorbagthebold"},
                 {"  Aeiou ", "aeiou"},
                 {"Xyz-42", "xyz"},
                 {"Brrr", "brrr"},
                 {"Eowyn", "eowyn"},
                 {"Q", "q"}};
    for (const seed_case& c : cases) {
        for (uint32_t seed : {1u, 77u, 4242u, 20261210u}) {
            SCOPED_TRACE(std::string(c.seed) + " seed " + std::to_string(seed));
            random_seed = seed;
            const std::string name = scramble_name(c.seed);
            EXPECT_EQ(sorted(name), sorted(c.letters));
        }
    }
    random_seed = 3u;
    EXPECT_EQ(sorted(scramble_name("aeiou")), "aeiou") << "only vowels: just shuffled";
    EXPECT_EQ(scramble_name("   "), "");
}

TEST(NameGenerator, RandomNamesArePrintableCapitalisedAndDifferFromTheSeed) {
    const char* seeds[] = {"Grishnakh", "Thorin Oakenshield", "Ba", "Mordred", "Aelinwyn", "Zzz", "K"};
    for (const char* seed : seeds) {
        for (uint32_t s = 1; s <= 40; ++s) {
            SCOPED_TRACE(std::string(seed) + " seed " + std::to_string(s));
            random_seed = s * 7919u;
            const std::string name = random_name_from(seed);
            ASSERT_FALSE(name.empty());
            EXPECT_LE(name.size(), std::string(seed).size());
            EXPECT_LE(name.size(), 30u) << "fits a being's name";
            EXPECT_TRUE(name[0] >= 'A' && name[0] <= 'Z');
            EXPECT_TRUE(
                std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= 'a' && c <= 'z'; }));
        }
    }
    EXPECT_EQ(random_name_from("k"), "K");
    random_seed = 9u;
    EXPECT_NE(random_name_from("Mordred"), "Mordred") << "scrambled again while it equals the seed";
}

} // namespace
} // namespace dravok
