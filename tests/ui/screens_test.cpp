// The screens of play on a generated level: the log panel with its colours, the status panel,
// the minimap and the frame they compose, written as PNG files for people to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <unistd.h>

#include "generation/level_fixture.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "rules/targeting.h"
#include "ui/animations.h"
#include "ui/banners.h"
#include "ui/draw.h"
#include "ui/frame_composition.h"
#include "ui/frame_fixture.h"
#include "ui/frame_world_test.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/lister.h"
#include "ui/lister_model.h"
#include "ui/map_view.h"
#include "ui/marked_text.h"
#include "ui/minimap.h"
#include "ui/panels.h"
#include "ui/text_boxes.h"
#include "ui/tileset.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/indicators.h"
#include "world/item_record.h"
#include "world/lasting_effects.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/sight_records.h"
#include "world/state.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;
using namespace frame_fixture;

class Screens : public frame_world_test {
  public:
    Screens() : frame_world_test("dravok-screens-") {}
    void SetUp() override {
        frame_world_test::SetUp();
        if (HasFatalFailure()) return;
        draw_level_minimap();
    }
    void TearDown() override {
        clear_message_log();
        frame_world_test::TearDown();
    }
    static std::string write(const std::string& name) {
        const fs::path out = fs::temp_directory_path() / "dravok-frames";
        fs::create_directories(out);
        const fs::path png = out / (name + ".png");
        write_png(png.string(), screen_bitmap);
        std::printf("%s: %s\n", name.c_str(), png.c_str());
        return png.string();
    }
};

// How many pixels of a colour lie in the rectangle.
int count_colour(const Bitmap& b, Rect r, Colour c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += b.pixel(x, y) == c;
    return n;
}
// The leftmost column holding a pixel of the colour, -1 when none.
int first_column(const Bitmap& b, Colour c) {
    for (int x = 0; x < b.width(); ++x)
        for (int y = 0; y < b.height(); ++y)
            if (b.pixel(x, y) == c) return x;
    return -1;
}

TEST_F(Screens, MarkedTextSwitchesColoursAtCodesAndFramesKeyCaps) {
    EXPECT_EQ(colour_of_code("$F"), 0xFF3030u);
    EXPECT_EQ(colour_of_code("S"), 0x22DD22u);
    EXPECT_EQ(colour_of_code("$w"), 0xFFFFFFu);
    EXPECT_EQ(colour_of_code("$W"), 0xBBBBBBu) << "code letters are case-sensitive";
    EXPECT_EQ(colour_of_code("$d"), 0x777777u);

    Bitmap b(400, 40);
    b.set_font(log_panel.font());
    b.set_brush_clear();
    b.set_font_colour(0x0000FF);
    draw_marked_line(b, "MMM$FMMM$SMMM", 2, false, 10);
    // Text before the first code keeps the caller's colour; each code colours what follows it.
    const int blue = first_column(b, 0x0000FF), red = first_column(b, 0xFF3030),
              green = first_column(b, 0x22DD22);
    ASSERT_GE(blue, 0);
    ASSERT_GT(red, blue);
    ASSERT_GT(green, red);
    EXPECT_EQ(b.font().colour, 0x22DD22u) << "the last code stays in force";

    // A key cap is a frame in the colour in force round the key's name.
    Bitmap k(400, 40);
    k.set_font(log_panel.font());
    k.set_brush_clear();
    k.set_font_colour(0xBBBBBB);
    draw_marked_line(k, "Press [[ ENTER ]] now", 2, false, 10);
    int frame_rows = 0;
    for (int y = 0; y < k.height(); ++y)
        frame_rows += count_colour(k, Rect{0, y, k.width(), y + 1}, 0xBBBBBB) > k.text_width("ENTER");
    EXPECT_EQ(frame_rows, 2) << "the cap's top and bottom edges";
    // An opener without its closer is dropped, and a text of codes only draws nothing.
    Bitmap n(200, 40);
    n.set_font(log_panel.font());
    draw_marked_line(n, "[[", 0, false, 0);
    EXPECT_EQ(count_colour(n, n.bounds(), colours::black), 200 * 40);
    EXPECT_EQ(draw_wrapped_text(n, "$F$S", 0, false, 16, 200, 7), 7);
}

TEST_F(Screens, LogPanelShowsSevenLinesFromTheTopLineWithIndentsAndGreyPlainText) {
    for (int i = 0; i < 10; ++i)
        message_log.push_back("0000000000000" + std::string(i == 1 ? "$F" : "") + "line " +
                              std::to_string(i));
    message_log[2] = "0000000000020indented";
    settings.log_top_line = 1;
    draw_log_panel();
    EXPECT_FALSE(log_changed);
    const int L = settings.log_line_height, m = settings.log_margin, w = log_panel.width();
    auto row = [&](int i) { return Rect{0, m + i * L, w, m + (i + 1) * L}; };
    auto lit = [&](Rect r) { return r.width() * r.height() - count_colour(log_panel, r, colours::black); };
    // Shown: lines 1..7; line 1 red, the others the plain grey.
    EXPECT_GT(count_colour(log_panel, row(0), 0xFF3030), 5);
    for (int i = 1; i < 7; ++i)
        EXPECT_GT(count_colour(log_panel, row(i), 0x666666), 3) << i;
    EXPECT_EQ(lit(row(7)), 0) << "no eighth line";
    // The indent of 020 moves the line 20 pixels right of the others.
    auto left_of = [&](int i) {
        for (int x = 0; x < w; ++x)
            if (lit(Rect{x, row(i).top, x + 1, row(i).bottom})) return x;
        return -1;
    };
    EXPECT_EQ(left_of(1) - left_of(2), 20);

    // An empty log leaves the panel black and the redraw pending.
    message_log.clear();
    log_changed = true;
    draw_log_panel();
    EXPECT_TRUE(log_changed);
}

TEST_F(Screens, StatusPanelBarsStatusesAndTheExplorationBarOnlyWithStonesense) {
    tbeing& b = beings[player];
    b.health = 10;
    b.health_max = 20;
    b.status_of(st_poisoned) = 1;
    b.status_of(st_regenerating_health) = 1;
    b.status_of(st_dualwield) = 1; // never shown
    draw_status_panel(player);
    const Bitmap without = status_panel;
    const int m = screen_layout.panel_margin, bar = scaled(24);
    // Health half full: the left half in its middle colour.
    EXPECT_EQ(status_panel.pixel(m + 2, m + 2), 0x666600u);
    EXPECT_EQ(status_panel.pixel(settings.panel_width - m - 3, m + 2), 0x191919u);
    EXPECT_GT(count_colour(status_panel, status_panel.bounds(), 0xFF3030), 10) << "poisoned, harmful";
    EXPECT_GT(count_colour(status_panel, status_panel.bounds(), 0x22DD22), 10) << "regenerating";
    const int exploration_y = m + 2 * (m + bar) + bar / 4 + m;
    EXPECT_EQ(count_colour(without, Rect{m, exploration_y, m + 50, exploration_y + bar / 4}, 0x191919), 0);

    b.status_of(st_stonesense) = 1;
    level.floor_cells = 100;
    level.explored_cells = 100;
    draw_status_panel(player);
    EXPECT_EQ(status_panel.pixel(m + 2, exploration_y + 1), 0x008800u) << "all explored: the last colour";
    // The sections below keep their places either way.
    const int below = exploration_y + bar / 4 + 2 * m + 2;
    EXPECT_EQ(status_panel.pixel(m, below), without.pixel(m, below));
}

TEST_F(Screens, MinimapCutOutGrowsWithTheExploredExtentAndStaysBlackWithoutACharacter) {
    level.explored_x1 = 10;
    level.explored_x2 = 73; // e = 63
    level.explored_y1 = 10;
    level.explored_y2 = 20;
    draw_minimap(player, beings[player].x, beings[player].y);
    EXPECT_EQ(minimap_bitmap.width(), 64);
    level.explored_x2 = 79; // across 70 cells
    draw_minimap(player, beings[player].x, beings[player].y);
    EXPECT_EQ(minimap_bitmap.width(), 96);
    // The marked cell is white in the cut-out at its place.
    const int x = beings[player].x, y = beings[player].y;
    EXPECT_EQ(minimap_bitmap.pixel(x - settings.minimap_x - 1, y - settings.minimap_y - 1), colours::white);

    player_character = 0;
    draw_level_minimap();
    EXPECT_EQ(count_colour(level_minimap, level_minimap.bounds(), colours::black), 256 * 256);
}

TEST_F(Screens, MainFrameShowsLogStatusAndMinimap) {
    add_message("You enter the $Scrypt$B. A $Frat$B bites you!");
    add_message("Press [[ ENTER ]] to wait.");
    add_message("$EYou feel lucky.");
    beings[player].status_of(st_poisoned) = 1;
    beings[player].status_of(st_regenerating_health) = 1;
    // Two quickslots: a talent and a carried item; the side panel lists them with their keys.
    tquickslot& q1 = beings[player].quickslot(1);
    q1.kind = quickslot_talent;
    q1.talent_name = "Fireball";
    q1.icon = 5;
    being_items[player].assign(2, blank_item);
    being_items[player][1].plan = 1;
    being_items[player][1].serial = 1;
    being_items[player][1].amount = 3;
    being_items[player][1].name = "healing potion";
    being_items[player][1].icon = 6;
    tquickslot& q2 = beings[player].quickslot(2);
    q2.kind = quickslot_usable_item;
    q2.index = 1;
    map_cells(beings[player].x, beings[player].y).loose_items = 0;
    draw_screen();
    write("screens_main");
    EXPECT_EQ(lister.panes[1].kind, list_quickslots);
    EXPECT_EQ(lister.panes[1].row_count(), 2) << "empty quickslots are left out of the side panel";
}

TEST_F(Screens, FullFramesWithAFloatingTextABubbleAndABannerAtTwoSizesAndBothTileSizes) {
    add_message("$FThe goblin hits you for 3 damage.");
    add_message("$SYou feel better.");
    add_message("You see a $Egoblin$B. Press [[ ENTER ]] to look.");
    const int creature = map_cells(placed.creature_x, placed.creature_y).being;
    for (const auto& [w, h, name] : {std::tuple{23, 17, "1280x720"}, std::tuple{43, 29, "1920x1080"}}) {
        for (int tile : {32, 64}) {
            if (settings.tile_size != tile) {
                toggle_tile_size();
                ASSERT_TRUE(load_tileset());
            }
            settings.view_width_32 = w;
            settings.view_height_32 = h;
            settings.view_width_64 = w / 2 % 2 ? w / 2 : w / 2 + 1;
            settings.view_height_64 = h / 2 % 2 ? h / 2 : h / 2 + 1;
            apply_layout();
            draw_map(player, beings[player].x, beings[player].y);
            clear_all_indicators();
            add_floating_text(player, "12 XP", 0xDDAA00);
            for (int i = 0; i < 6; ++i)
                update_indicators();
            add_speech_bubble(creature, player, 1, "Who goes there? Show yourself, stranger!");
            draw_screen();
            const std::string shot = std::string("screens_frame_") + name + "_" + std::to_string(tile);
            write(shot);
            // The bubble's cyan text lies on the map view.
            EXPECT_GT(count_colour(effects_layer, effects_layer.bounds(), 0x22DDDD), 20) << shot;
        }
    }
    state.level_up_pending = 1;
    draw_screen();
    write("screens_banner_level_up");
    EXPECT_GT(count_colour(effects_layer, effects_layer.bounds(), 0xEEEEEE), 200);
    state.level_up_pending = 0;
}

TEST_F(Screens, BannersFollowTheSpectatorTicksAndShrinkOnANarrowView) {
    state.won = 1;
    const std::pair<uint32_t, const char*> victory[] = {{0, "CONGRATULATIONS!"},
                                                        {11, "CONGRATULATIONS!"},
                                                        {12, "YOU HAVE WON!"},
                                                        {16, "YOU HAVE WON!"},
                                                        {17, "YOU BECAME A DEMIGOD!"}};
    for (const auto& [ticks, text] : victory) {
        state.spectator_ticks = ticks;
        EXPECT_EQ(victory_banner_text(), text) << ticks;
    }
    beings[player_character].type_flags[tf_overgod] = 1;
    EXPECT_EQ(victory_banner_text(), "YOU BECAME THE OVERGOD!");
    state.spectator_ticks = 14;
    EXPECT_EQ(death_banner_text(), "YOU HAVE DIED");
    state.spectator_ticks = 15;
    EXPECT_EQ(death_banner_text(), "GAME OVER");
    state.won = 0;
    state.spectator_ticks = 0;
    // On a view narrower than the text at its start height the banner still fits, with room to spare.
    effects_layer.set_size(300, 200);
    clear_bitmap(effects_layer);
    draw_level_up_banner();
    int left = effects_layer.width(), right = 0;
    for (int y = 0; y < effects_layer.height(); ++y)
        for (int x = 0; x < effects_layer.width(); ++x)
            if (effects_layer.pixel(x, y) == 0xEEEEEE) left = std::min(left, x), right = std::max(right, x);
    ASSERT_LT(left, right);
    EXPECT_LE(right - left, 300 - scaled(64));
}

// A carried item of the fixture's plans with a name, a category and an icon.
int give(int being, int plan, const char* name, int flag, int value, int amount = 1) {
    if (being >= int(being_items.size())) being_items.resize(std::size_t(being) + 1);
    if (being_items[being].empty()) being_items[being].assign(1, blank_item);
    titem it = blank_item;
    it.plan = uint16_t(plan);
    it.serial = int32_t(being_items[being].size()) + 100 * being;
    it.name = name;
    it.flags[flag] = 1;
    it.value = uint32_t(value);
    it.amount = amount;
    it.icon = uint16_t(2 + being_items[being].size());
    being_items[being].push_back(it);
    return int(being_items[being].size()) - 1;
}

TEST_F(Screens, EquipmentAndShopScreensAreWrittenForPeopleToLookAt) {
    const int sword = give(player, 2, "long sword", if_weapon, 150);
    give(player, 3, "leather armour", if_wearable, 80);
    give(player, 4, "healing potion", if_device, 60, 3);
    give(player, 1, "coin", if_coin, 1, 900);
    beings[player].equipment_of(13) = uint16_t(sword);
    being_items[player][sword].slot = 13;
    reset_lister();
    initialize_inventory(player, 0, list_equipment, list_backpack, 2, false);
    ASSERT_EQ(game_mode, mode_inventory);
    draw_screen();
    write("screens_equipment");
    EXPECT_EQ(lister.panes[1].rows[13].item, sword) << "the worn sword in its slot's row";

    const int keeper = map_cells(placed.creature_x, placed.creature_y).being;
    give(keeper, 5, "war hammer", if_weapon, 1200);
    give(keeper, 6, "wand of sparks", if_device, 400);
    give(keeper, 7, "tower shield", if_shield, 2500);
    give(keeper, 1, "coin", if_coin, 1, 3000);
    reset_lister();
    initialize_inventory(player, keeper, list_backpack, list_backpack, 2, false);
    ASSERT_EQ(game_mode, mode_inventory);
    draw_screen();
    write("screens_shop");
    // The shield costs more than the player's coins: its price is drawn red and marked.
    bool unaffordable = false;
    for (const tlister_item& r : lister.panes[2].rows)
        unaffordable |= r.unaffordable && r.price > 900;
    EXPECT_TRUE(unaffordable);
    game_mode = mode_main;
}

TEST_F(Screens, AfterDeathTheViewTurnsGreyFromTickSevenAndBlackAtTickThirtyTwo) {
    state.died = 1;
    const std::pair<uint32_t, Colour> steps[] = {{6, 0x336699}, {7, 0x5C5C5C}, {32, 0x000000}};
    for (const auto& [ticks, corner] : steps) {
        state.spectator_ticks = ticks;
        effects_layer.clear(0x336699);
        compose_frame();
        EXPECT_EQ(effects_layer.pixel(1, 1), corner) << ticks;
    }
    state.died = 0;
    state.spectator_ticks = 0;
}

// Rows of the panel holding anything but black, from y down.
int lit_rows_below(const Bitmap& b, int y) {
    int rows = 0;
    for (; y < b.height(); ++y)
        rows += count_colour(b, Rect{0, y, b.width(), y + 1}, colours::black) < b.width();
    return rows;
}

TEST_F(Screens, LookPanelDescribesTheSeenBeingAndNotAnUnseenOne) {
    target_cursor_x = placed.creature_x;
    target_cursor_y = placed.creature_y;
    const int creature = map_cells(placed.creature_x, placed.creature_y).being;
    ASSERT_GT(creature, 0);
    beings[creature].type_flags[tf_charmed] = 1;
    draw_look_panel(side_panel);
    const int below_headline = screen_layout.panel_margin * 3 + settings.tile_size + 1;
    const int with_being = lit_rows_below(side_panel, below_headline);
    game_mode = mode_target;
    draw_screen();
    write("screens_target_look");
    game_mode = mode_main;
    draw_look_panel(side_panel);
    EXPECT_GT(with_being, settings.tile_size) << "the being's sprite row and its type line";
    sight_matrix[player][creature] = 0;
    draw_look_panel(side_panel);
    const int unseen = lit_rows_below(side_panel, below_headline);
    EXPECT_LT(unseen, with_being / 2) << "an unseen being is not described";
    // A lasting effect on the cell adds its row.
    duration_effects.assign(2, effect_template);
    duration_effects[1].kind = 1;
    map_effect_grid(placed.creature_x, placed.creature_y).effect = 1;
    map_effect_grid(placed.creature_x, placed.creature_y).graphic_frame = 3;
    draw_look_panel(side_panel);
    EXPECT_GE(lit_rows_below(side_panel, below_headline), unseen + settings.tile_size / 2);
    map_effect_grid(placed.creature_x, placed.creature_y).effect = 0;
    // Off the map or unexplored: only black.
    target_cursor_x = 0;
    draw_look_panel(side_panel);
    EXPECT_EQ(lit_rows_below(side_panel, 0), 0);
}

TEST_F(Screens, AnOpenChestFarAwayAsksToComeCloserUntilItsContentsWereSeen) {
    // An explored floor cell three steps from the player becomes an open chest with a dagger in it.
    const int x = beings[player].x + 3, y = beings[player].y;
    tcell& c = map_cells(x, y);
    c.explored = 1;
    c.furniture = fu_chest;
    c.furniture_state = 2;
    level_items[1].x = uint8_t(x);
    level_items[1].y = uint8_t(y);
    level_items[1].name = "dagger";
    level_items[1].holder = uint8_t(fu_chest);
    c.top_item = 0;
    target_cursor_x = x;
    target_cursor_y = y;
    draw_look_panel(side_panel);
    EXPECT_EQ(c.contents_seen, 0);
    // Standing next to it while looking shows the contents, and from anywhere after that.
    beings[player].x = uint8_t(x - 1);
    draw_look_panel(side_panel);
    EXPECT_EQ(c.contents_seen, 1);
    // A shop's table never lists its wares.
    c.contents_seen = 0;
    c.furniture = fu_table_shop;
    draw_look_panel(side_panel);
    EXPECT_EQ(c.contents_seen, 0);
}

TEST_F(Screens, InventoryAndGroundListsAreDrawnWithHotkeysAndTheInfoPanel) {
    // Every item in view lies at the player's feet: the ground beside the backpack.
    const int px = beings[player].x, py = beings[player].y;
    const char* names[] = {"long sword", "leather armour", "arrow", "healing potion", "gold ring", "wand"};
    const int groups[] = {3, 1, 4, 6, 5, 6};
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        titem& it = level_items[i];
        if (it.plan == 0) continue;
        it.x = uint8_t(px);
        it.y = uint8_t(py);
        it.name = names[i % 6];
        it.flags[groups[i % 6]] = 1;
        it.amount = i % 6 == 2 ? 20 : 1;
        it.icon = uint16_t(i + 2);
    }
    reset_lister();
    lister.ground_x = px;
    lister.ground_y = py;
    initialize_inventory(player, 0, list_backpack, list_ground, 2, false);
    ASSERT_EQ(game_mode, mode_inventory);
    draw_screen();
    write("screens_ground_list");
    // Item rows of the current pane carry hotkeys in order; headers take none.
    const tlister_pane& ground = lister.panes[2];
    std::string keys;
    for (int r = 1; r <= ground.row_count(); ++r) {
        if (ground.rows[r].is_header())
            EXPECT_EQ(ground.rows[r].hotkey, 0);
        else if (ground.rows[r].hotkey)
            keys += ground.rows[r].hotkey;
    }
    EXPECT_EQ(keys.substr(0, 3), "123");
}

} // namespace
} // namespace dravok
