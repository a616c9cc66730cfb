#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <unistd.h>

#include "platform/files.h"
#include "records/codec.h"
#include "support/memory_cap.h"
#include "support/process_state.h"
#include "world/database.h"
#include "world/error_log.h"
#include "world/settings_record.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;

int plan_index(const std::string& id) {
    for (std::size_t i = 1; i < being_plans.size(); ++i)
        if (being_plans[i].identifier == id) return static_cast<int>(i);
    return 0;
}
int item_index(const std::string& id) {
    for (std::size_t i = 1; i < item_plans.size(); ++i)
        if (item_plans[i].identifier == id) return static_cast<int>(i);
    return 0;
}

// The tables are reset before every test, so each test loads them.
class BuiltDatabase : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dravok::testing::load_built_database()); }
};

TEST_F(BuiltDatabase, HoldsEveryFixedIdentifier) {
    for (const char* id :
         {"it_coin", "it_essence_divine", "it_essence_cosmic", "it_bones_humanoid", "it_book_tutorial"})
        EXPECT_GT(item_index(id), 0) << id;
    for (const char* cat : {"animal", "celestial", "construct", "elemental", "fiend", "flora", "humanoid",
                            "insect", "monstrosity", "ooze", "shapeshifter"}) {
        EXPECT_GT(item_index(std::string("it_corpse_") + cat), 0) << cat;
        EXPECT_GT(item_index(std::string("it_bones_") + cat), 0) << cat;
    }
    EXPECT_EQ(settings.coin_plan, item_index("it_coin"));
    const char* beings[] = {"be_spectator",
                            "be_debug_player",
                            "be_chained_god",
                            "be_demon_demogorgon",
                            "be_fungus_shrieker",
                            "be_celestial_planetar",
                            "be_demon_babau",
                            "be_demon_barlgura",
                            "be_demon_chasme",
                            "be_demon_nabassu",
                            "be_demon_rutterkin",
                            "be_demon_succubus",
                            "be_demon_glabrezu",
                            "be_demon_hezrou",
                            "be_demon_marilith",
                            "be_demon_molydeus",
                            "be_demon_nalfeshnee",
                            "be_demon_vrock",
                            "be_demon_balor",
                            "be_demon_yochlol",
                            "be_devil_barbed",
                            "be_devil_bearded",
                            "be_devil_bone",
                            "be_devil_erinyes",
                            "be_devil_hellbeast",
                            "be_devil_hellcat",
                            "be_devil_hellephant",
                            "be_devil_hellhound",
                            "be_devil_spined",
                            "be_devil_horned",
                            "be_devil_ice",
                            "be_devil_pit_fiend",
                            "be_summoned_elemental_1",
                            "be_summoned_elemental_2",
                            "be_summoned_elemental_3",
                            "be_summoned_elemental_4",
                            "be_summoned_panther",
                            "be_slaad_red",
                            "be_slaad_blue",
                            "be_slaad_green",
                            "be_snake_giant_cult",
                            "be_summoned_spider",
                            "be_spider_drow",
                            "be_unicorn",
                            "be_wolf_vampiric",
                            "be_summoned_animal_1",
                            "be_summoned_warrior_1",
                            "be_summoned_warrior_2",
                            "be_summoned_warrior_3",
                            "be_undead_zombie",
                            "be_undead_skeleton_animated",
                            "be_undead_shadow",
                            "be_undead_ghoul",
                            "be_undead_wight"};
    for (const char* id : beings)
        EXPECT_GT(plan_index(id), 0) << id;
    EXPECT_NE(being_plans[plan_index("be_undead_zombie")].name.str().find("zombie"), std::string::npos);
    EXPECT_NE(being_plans[plan_index("be_undead_skeleton_animated")].name.str().find("skeleton"),
              std::string::npos);
    EXPECT_EQ(being_plans[plan_index("be_spectator")].type_flags[150], 1);
}

TEST_F(BuiltDatabase, HasRacesGodsAndTheOvergod) {
    int playable = 0, overgods = 0;
    std::set<int> specials;
    for (std::size_t i = 1; i < being_plans.size(); ++i) {
        const tbeing_plan& b = being_plans[i];
        if (b.identifier.str().starts_with("be_playable")) {
            ++playable;
            EXPECT_TRUE(b.type_flags[195] && b.type_flags[197] && b.type_flags[198]) << b.identifier.str();
            EXPECT_GE(b.health_regen, 1);
            EXPECT_GE(b.stamina_regen_delay, 1);
        }
        if (b.type_flags[95]) ++overgods;
        if (b.special) {
            specials.insert(b.special);
            EXPECT_TRUE(b.type_flags[64]);
            bool in_group = false;
            for (uint16_t g : b.spawn_groups)
                in_group |= g == database_header.god_spawn_group;
            EXPECT_TRUE(in_group) << b.identifier.str();
        }
    }
    EXPECT_GE(playable, 1);
    EXPECT_EQ(overgods, 1);
    EXPECT_EQ(specials.size(), 8u);
    ASSERT_GT(database_header.god_spawn_group, 0);
    EXPECT_EQ(text_tags.at(database_header.god_spawn_group), "re_gods");
}

TEST_F(BuiltDatabase, HasTheRequiredTagsAndSections) {
    for (const char* t : {"lo_silver_spoon", "re_02", "re_04", "re_05_06", "re_07_08", "re_09_10"})
        EXPECT_NE(std::find(text_tags.begin(), text_tags.end(), t), text_tags.end()) << t;
    for (const char* s : {"tags",
                          "keyboard_layout",
                          "m_start",
                          "m_end",
                          "f_start",
                          "m_middle",
                          "f_end",
                          "new_character_info",
                          "race_info",
                          "abilities_info",
                          "reset_info",
                          "reroll_info",
                          "skills_info",
                          "talents_info",
                          "it_book_tutorial_lore",
                          "be_overgod_chat_instructions",
                          "be_overgod_chat_essence_consumed",
                          "be_overgod_ascension_demigod",
                          "be_overgod_ascension_god",
                          "be_shopkeeper_general_shop_start",
                          "be_golem_iron_follower_join"})
        EXPECT_GT(find_text_section(s), 0) << s;
    EXPECT_EQ(section_names.front(), "_placeholder");
    EXPECT_EQ(static_cast<int>(section_names.size()), database_header.text_section_count);
    std::string lore;
    get_section_block(0, "it_book_tutorial_lore", lore);
    EXPECT_NE(lore.find("%INVENTORY%"), std::string::npos);
    EXPECT_GT(chatter_sections.at(plan_index("be_fungus_shrieker"))[7], 0);
}

// A book's text is wrapped by the reader, so a line break in it is a paragraph break: one
// inside a paragraph would leave a short ragged line wherever it fell.
TEST_F(BuiltDatabase, BookTextsBreakOnlyBetweenParagraphs) {
    const std::string line_break = "\\n";
    int books = 0;
    for (const std::string& name : section_names) {
        if (!name.starts_with("it_book_") || !name.ends_with("_lore")) continue;
        ++books;
        std::string text;
        get_section_block(0, name, text);
        // The block ends in a line break of its own.
        for (std::size_t at = text.find(line_break); at != std::string::npos;
             at = text.find(line_break, at + 2 * line_break.size()))
            EXPECT_TRUE(at + line_break.size() == text.size() ||
                        text.compare(at + line_break.size(), line_break.size(), line_break) == 0)
                << name << ": a line break inside a paragraph, before \"" << text.substr(at + 2, 30) << "\"";
    }
    EXPECT_GE(books, 3);
}

TEST_F(BuiltDatabase, DungeonShape) {
    ASSERT_GE(levels.size(), 13u); // ten dungeon levels, the hub and the demiplane
    for (std::size_t l = 1; l < levels.size(); ++l)
        EXPECT_EQ(levels[l].index, l);
    const tlevel& first = levels[1];
    ASSERT_GT(first.start_content, 0);
    EXPECT_EQ(first.forced_contents[0], first.start_content);
    EXPECT_EQ(first.start_request.content_required, first.start_content);
    EXPECT_EQ(contents[first.start_content].name, "start_room");
    int hubs = 0, markets = 0;
    for (std::size_t l = 1; l < levels.size(); ++l) {
        hubs += levels[l].hub;
        if (levels[l].demiplane) {
            ++markets;
            EXPECT_NE(levels[l].name.str().find("shop"), std::string::npos);
        }
    }
    EXPECT_EQ(hubs, 1);
    EXPECT_EQ(markets, 1);
    for (std::size_t p = 1; p < portals.size(); ++p) {
        EXPECT_EQ(portals[p].index, p);
        ASSERT_GT(portals[p].destination, 0);
        const tportal& d = portals[portals[p].destination];
        EXPECT_EQ(d.destination, p);
    }
}

// A small database written here, so that each damage is exact.
std::vector<uint8_t> small_payload(uint16_t items, uint16_t vaults, std::string text, int sections) {
    tbyte_stream s;
    write_file_header(s, game_release, sizeof(tdatabase_header));
    tdatabase_header h{};
    fill_size_signature(h.size_signature);
    h.item_plan_count = items;
    h.vault_count = vaults;
    h.text_section_count = static_cast<uint16_t>(sections);
    s.write_record(h);
    for (int i = 0; i < items; ++i) {
        titem_plan p{};
        p.identifier = i == 0 ? "it_coin" : "it_other";
        s.write_record(p);
    }
    for (int i = 0; i < vaults; ++i)
        s.write_record(tvault{});
    s.write_text(text);
    return s.bytes();
}

class DamagedDatabase : public ::testing::Test {
  protected:
    fs::path dir;
    std::string path;
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) / ("dravok_db_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        path = (dir / "Dravok.dbs").string();
        set_program_folder(dir.string() + "/");
        clear_quit_request();
    }
    void TearDown() override { fs::remove_all(dir); }
    void write_encoded(std::vector<uint8_t> payload) {
        tbyte_stream s(std::move(payload));
        encode_stream(s);
        write_raw(s.bytes());
    }
    void write_raw(const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<uint8_t> read_raw() {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    // Loads, expecting failure with exactly the given message and the quit request.
    void expect_fatal(const std::string& message) {
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(load_database_from(path));
        std::string shown = ::testing::internal::GetCapturedStderr();
        // Exactly one message box, with exactly that text.
        auto at = shown.find(message);
        EXPECT_NE(at, std::string::npos) << shown;
        EXPECT_EQ(shown.find(message, at + 1), std::string::npos) << shown;
        EXPECT_EQ(shown.size(), at + message.size() + 1) << shown; // nothing shown after it
        EXPECT_TRUE(quit_requested());
        clear_quit_request();
    }
    std::string corrupt() const {
        return "Data file \"" + path +
               "\" is corrupted or not compatible with this game version!\r\n\r\nShutting down.";
    }
};

TEST_F(DamagedDatabase, SmallDatabaseLoadsWithEmptyTables) {
    write_encoded(small_payload(2, 0, "", 0));
    ASSERT_TRUE(load_database_from(path));
    EXPECT_EQ(item_plans.size(), 3u);
    EXPECT_EQ(vaults.size(), 1u);
    EXPECT_EQ(levels.size(), 1u);
    EXPECT_TRUE(text_database.empty());
    EXPECT_EQ(settings.coin_plan, 1);
}

TEST_F(DamagedDatabase, MissingFile) {
    expect_fatal("Missing file \"" + path + "\"! Shutting down.");
}

TEST_F(DamagedDatabase, EveryDamageGivesTheCorruptMessage) {
    auto good = small_payload(2, 1, "@_placeholder\r\n@tags\r\nlo_a\r\n", 2);
    struct tcase {
        const char* what;
        std::function<void()> damage;
    } cases[] = {
        {"truncated",
         [&] {
             write_encoded(good);
             auto b = read_raw();
             b.resize(b.size() / 2);
             write_raw(b);
         }},
        {"flipped byte",
         [&] {
             write_encoded(good);
             auto b = read_raw();
             b[b.size() / 3] ^= 0x20;
             write_raw(b);
         }},
        {"shorter than the envelope",
         [&] {
             write_raw({'P', 'K', 1, 2, 3});
         }},
        {"garbage", [&] { write_raw(std::vector<uint8_t>(4000, 0xA5)); }},
        {"another record size",
         [&] {
             auto p = good;
             reinterpret_cast<tdatabase_header*>(p.data() + 8)->size_signature[0] = 4660;
             write_encoded(p);
         }},
        {"a count that does not fit",
         [&] {
             auto p = good;
             reinterpret_cast<tdatabase_header*>(p.data() + 8)->being_plan_count = 60000;
             write_encoded(p);
         }},
        {"wrong release",
         [&] {
             auto p = good;
             p[0] = 16;
             write_encoded(p);
         }},
        {"text before the first section",
         [&] { write_encoded(small_payload(1, 0, "stray\r\n@_placeholder\r\n", 1)); }},
        {"more sections than the header says",
         [&] { write_encoded(small_payload(1, 0, "@_placeholder\r\n@a\r\n@b\r\n", 2)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.damage();
        expect_fatal(corrupt());
        EXPECT_EQ(item_plans.size(), 1u); // nothing half-loaded stays behind
    }
}

TEST_F(DamagedDatabase, CountsThatDoNotFitAreRefusedBeforeTheTablesAreMade) {
    // Every count at its largest: the tables would take gigabytes if they were made first.
    auto p = small_payload(2, 1, "@_placeholder\r\n", 1);
    tdatabase_header& h = *reinterpret_cast<tdatabase_header*>(p.data() + 8);
    h.item_plan_count = h.talent_count = h.being_plan_count = h.level_count = h.portal_count =
        h.content_count = h.vault_count = 0xFFFF;
    write_encoded(p);
    ::testing::internal::CaptureStderr();
    const testing::tcapped_run run = testing::run_with_memory_cap(
        64 * testing::mebibyte, [&] { return load_database_from(path) ? 1 : 0; });
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(run.finished) << "the tables were sized before the counts were checked";
    EXPECT_EQ(run.result, 0);
    expect_fatal(corrupt());
}

// The database builder refuses content mistakes and names the file, template and field.
class ContentMistakes : public ::testing::Test {
  protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) / ("dravok_content_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy(fs::path(DRAVOK_SOURCE_DIR) / "content", dir / "content", fs::copy_options::recursive);
    }
    void TearDown() override { fs::remove_all(dir); }
    // Runs the builder; returns its exit status and fills its messages.
    int build(std::string& messages) {
        std::string tool = (fs::path(DRAVOK_DATA_DIR) / ".." / ".." / "bin" / "dravok_dbbuild").string();
        std::string cmd =
            tool + " " + (dir / "content").string() + " " + (dir / "out.dbs").string() + " 2>&1";
        FILE* p = popen(cmd.c_str(), "r");
        if (!p) return -1;
        char buf[4096];
        messages.clear();
        while (fgets(buf, sizeof buf, p))
            messages += buf;
        return pclose(p);
    }
    void add_fixture(const std::string& fixture, const std::string& table) {
        fs::copy_file(fs::path(DRAVOK_SOURCE_DIR) / "tests" / "content_fixtures" / fixture,
                      dir / "content" / table / ("zz_" + fixture));
    }
};

TEST_F(ContentMistakes, TheUntouchedContentBuilds) {
    std::string messages;
    EXPECT_EQ(build(messages), 0) << messages;
    EXPECT_TRUE(fs::exists(dir / "out.dbs"));
}

// Play reaches every handler: the content uses every effect kind, and the builder names one it
// no longer uses.
TEST_F(ContentMistakes, AnEffectKindNoEntryUsesIsWarnedAbout) {
    std::string messages;
    ASSERT_EQ(build(messages), 0) << messages;
    EXPECT_EQ(messages.find("uses the effect kind"), std::string::npos) << messages;

    const fs::path file = dir / "content" / "contents" / "contents.json";
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::string used = "\"switch_on\": \"open_area_doors\"";
    ASSERT_NE(text.find(used), std::string::npos);
    text.replace(text.find(used), used.size(), "\"switch_on\": \"alarm\"");
    std::ofstream(file) << text;
    EXPECT_EQ(build(messages), 0) << "a warning does not stop the build";
    EXPECT_NE(
        messages.find("effect kinds: warning: no talent, item, natural attack or switch uses the effect "
                      "kind open_area_doors"),
        std::string::npos)
        << messages;
}

TEST_F(ContentMistakes, EachMistakeStopsTheBuildWithItsPlace) {
    struct tcase {
        const char* fixture;
        const char* table;
        const char* message;
    } cases[] = {
        {"unknown_flag.json", "creatures",
         "creatures/zz_unknown_flag.json: be_goblin_misspelt: flags: unknown type flag \"hmanoid\""},
        {"upper_case_dice.json", "items",
         "items/zz_upper_case_dice.json: it_knife_bad: damage: upper-case \"D\" in \"1D6\""},
        {"misspelt_field.json", "creatures",
         "creatures/zz_misspelt_field.json: be_goblin_sickly: helth: unknown field"},
        {"dangling_reference.json", "creatures",
         "creatures/zz_dangling_reference.json: be_goblin_hoarder: kit_items[0].item: unknown item plan "
         "\"it_golden_toilet\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        add_fixture(c.fixture, c.table);
        std::string messages;
        EXPECT_NE(build(messages), 0);
        EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
        EXPECT_FALSE(fs::exists(dir / "out.dbs"));
        fs::remove(dir / "content" / c.table / (std::string("zz_") + c.fixture));
    }
}

// Content that reads well but cannot be generated: a forced content no area of its level can
// hold (found by creating the level), a template whose floor the entry does not reach.
TEST_F(ContentMistakes, ContentTheGeneratorCannotBuildIsRefused) {
    struct tcase {
        const char* fixture;
        const char* table;
        const char* forced; // added to the first level's forced contents
        const char* message;
    } cases[] = {
        {"hall_too_big.json", "contents", "great_hall",
         "levels/levels.json: The Upper Halls: forced content contents/zz_hall_too_big.json: great_hall: no "
         "area of the level can hold it"},
        {"sealed_vault.json", "vaults", nullptr,
         "vaults/zz_sealed_vault.json: vt_sealed: layout: the floor at 2, 2 cannot be reached from the "
         "entry"},
    };
    const fs::path levels = dir / "content" / "levels" / "levels.json";
    std::ifstream in(levels);
    const std::string original((std::istreambuf_iterator<char>(in)), {});
    in.close();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        add_fixture(c.fixture, c.table);
        std::string text = original;
        if (c.forced) {
            const std::string first = "\"forced_contents\": [\"start_room\"";
            ASSERT_NE(text.find(first), std::string::npos);
            text.replace(text.find(first), first.size(), first + ", \"" + c.forced + "\"");
        }
        std::ofstream(levels) << text;
        std::string messages;
        EXPECT_NE(build(messages), 0);
        EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
        EXPECT_FALSE(fs::exists(dir / "out.dbs"));
        fs::remove(dir / "content" / c.table / (std::string("zz_") + c.fixture));
    }
}

TEST_F(ContentMistakes, ALevelWithAnEmptyPairList) {
    fs::path levels = dir / "content" / "levels" / "levels.json";
    std::ifstream in(levels);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    in.close();
    std::string pair = "\"natural\": [[\"bl_wall_stone_brown\", \"bl_floor_natural_brown\"]]";
    auto at = text.find(pair);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, pair.size(), "\"natural\": []");
    std::ofstream(levels) << text;
    std::string messages;
    EXPECT_NE(build(messages), 0);
    EXPECT_NE(messages.find("levels/levels.json: The Old Prison: pairs.natural: a level needs at least one "
                            "(filler, natural floor) pair"),
              std::string::npos)
        << messages;
}

TEST_F(ContentMistakes, AFloorSymbolNeedsASizedNameAndAllItsEntries) {
    const fs::path file = dir / "content" / "contents" / "contents.json";
    std::ifstream in(file);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    in.close();
    const std::string row = "\"kind\": \"floor_symbol\", \"object\": 5";
    ASSERT_NE(text.find(row), std::string::npos);
    struct tcase {
        const char* object;
        const char* message;
    } cases[] = {
        {"6", "row 1: the floor symbol's entry has no name of the form ..._<W>x<H>_<NN> in _overlay_names"},
        {"99", "row 1: the floor symbol's entry has no name of the form"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.object);
        std::string changed = text;
        changed.replace(changed.find(row), row.size(),
                        "\"kind\": \"floor_symbol\", \"object\": " + std::string(c.object));
        std::ofstream(file) << changed;
        std::string messages;
        EXPECT_NE(build(messages), 0);
        EXPECT_NE(messages.find("contents/contents.json: shrine_small: " + std::string(c.message)),
                  std::string::npos)
            << messages;
    }
}

} // namespace
} // namespace dravok
