// The main-mode frame of a generated level with the player, creatures and items in view, drawn
// from the tile set the game's builder makes, and written as a PNG for people to look at.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "ai/emotion.h"
#include "generation/level_fixture.h"
#include "platform/bitmap.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "records/layout_being.h"
#include "rules/being_update.h"
#include "rules/equipment.h"
#include "rules/targeting.h"
#include "ui/draw.h"
#include "ui/frame_fixture.h"
#include "ui/frame_world_test.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/layout.h"
#include "ui/main_commands.h"
#include "ui/map_view.h"
#include "ui/offscreen_beings.h"
#include "ui/target_keys.h"
#include "ui/tileset.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/view_memory.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;
using namespace frame_fixture;

class MainFrame : public frame_world_test {
  public:
    MainFrame() : frame_world_test("dravok-frame-") {}
    // The pixel of cell (x, y) at (px, py) inside its tile on a layer.
    static Colour at(const Bitmap& layer, int x, int y, int px, int py) {
        return layer.pixel((x - settings.view_left) * settings.tile_size + px,
                           (y - settings.view_top) * settings.tile_size + py);
    }
    static bool tile_differs(const Bitmap& a, const Bitmap& b, int x, int y) {
        for (int py = 0; py < settings.tile_size; ++py)
            for (int px = 0; px < settings.tile_size; ++px)
                if (at(a, x, y, px, py) != at(b, x, y, px, py)) return true;
        return false;
    }
};

TEST_F(MainFrame, ShowsWallsFloorsDoorsCreaturesAndItemsAndIsWrittenAsPng) {
    const long painted = frames_painted;
    draw_screen();
    ASSERT_FALSE(quit_requested());
    EXPECT_EQ(frames_painted, painted + 1);

    // The view is centred on the player.
    EXPECT_EQ(settings.view_left + settings.view_width / 2, placed.player_x);
    EXPECT_EQ(settings.view_top + settings.view_height / 2, placed.player_y);
    // Floors: the shaded terrain image of the player's cell lies on the map layer.
    const Bitmap floor = terrain_sprites.image(view_memory(placed.player_x, placed.player_y).terrain);
    EXPECT_EQ(at(map_layer, placed.player_x, placed.player_y, 5, 7), floor.pixel(5, 7));
    // The player, a creature and an item are drawn over the map.
    EXPECT_TRUE(tile_differs(creature_layer, map_layer, placed.player_x, placed.player_y));
    EXPECT_TRUE(tile_differs(creature_layer, map_layer, placed.creature_x, placed.creature_y));
    const Bitmap bare_item_floor = terrain_sprites.image(view_memory(placed.item_x, placed.item_y).terrain);
    Bitmap item_tile(settings.tile_size, settings.tile_size);
    item_tile.copy_rect(item_tile.bounds(), map_layer,
                        Rect::from_size((placed.item_x - settings.view_left) * settings.tile_size,
                                        (placed.item_y - settings.view_top) * settings.tile_size,
                                        settings.tile_size, settings.tile_size));
    int differing = 0;
    for (int y = 0; y < settings.tile_size; ++y)
        for (int x = 0; x < settings.tile_size; ++x)
            differing += item_tile.pixel(x, y) != bare_item_floor.pixel(x, y);
    EXPECT_GT(differing, 40) << "the item sprite covers part of its cell";
    // The door in view shows its furniture sprite.
    if (view_memory(placed.door_x, placed.door_y).terrain) {
        const Bitmap door_floor = terrain_sprites.image(view_memory(placed.door_x, placed.door_y).terrain);
        EXPECT_NE(at(map_layer, placed.door_x, placed.door_y, 16, 16), door_floor.pixel(16, 16));
    }
    // A wall in view with open floor south of it shows its front face, the next image.
    int fronts = 0;
    for (int x = settings.view_left; x <= settings.view_right; ++x)
        for (int y = settings.view_top; y <= settings.view_bottom; ++y) {
            if (x < 1 || y < 1 || x > map_size || y > map_size || !view_memory(x, y).terrain) continue;
            if (!is_wall_front_shown(x, y)) continue;
            const Bitmap front = terrain_sprites.image(view_memory(x, y).terrain + 1);
            EXPECT_EQ(at(map_layer, x, y, 9, 20), front.pixel(9, 20)) << x << "," << y;
            ++fronts;
        }
    EXPECT_GT(fronts, 0);

    // Every creature and item in view shows its own picture: no two of their cells look alike.
    std::vector<Bitmap> shown;
    auto cut = [](const Bitmap& layer, int x, int y) {
        Bitmap tile(settings.tile_size, settings.tile_size);
        tile.copy_rect(tile.bounds(), layer,
                       Rect::from_size((x - settings.view_left) * settings.tile_size,
                                       (y - settings.view_top) * settings.tile_size, settings.tile_size,
                                       settings.tile_size));
        return tile;
    };
    for (auto [x, y] : placed.creature_cells)
        shown.push_back(cut(creature_layer, x, y));
    for (auto [x, y] : placed.item_cells)
        shown.push_back(cut(map_layer, x, y));
    EXPECT_GE(shown.size(), 20u) << "twenty creatures and items in view";
    for (std::size_t a = 0; a < shown.size(); ++a)
        for (std::size_t b = a + 1; b < shown.size(); ++b) {
            int unlike = 0;
            for (int y = 0; y < settings.tile_size; ++y)
                for (int x = 0; x < settings.tile_size; ++x)
                    unlike += shown[a].pixel(x, y) != shown[b].pixel(x, y);
            EXPECT_GT(unlike, settings.tile_size * settings.tile_size / 4)
                << "pictures " << a << " and " << b;
        }

    // The frame: map beside the minimap column, log below; written for people to look at.
    EXPECT_EQ(screen_bitmap.width(), settings.view_width * 32 + 2 * settings.panel_width);
    const fs::path out = fs::temp_directory_path() / "dravok-frames";
    fs::create_directories(out);
    const fs::path png = out / "main_frame.png";
    ASSERT_TRUE(write_png(png.string(), screen_bitmap));
    EXPECT_GT(fs::file_size(png), 10000u);
    std::printf("Main-mode frame: %s\n", png.c_str());

    // The same view with 64-pixel tiles: the sprites are cut again at the new size.
    toggle_tile_size();
    ASSERT_TRUE(load_tileset());
    apply_layout();
    draw_screen();
    EXPECT_EQ(map_layer.width(), settings.view_width * 64);
    const fs::path big = out / "main_frame_64.png";
    ASSERT_TRUE(write_png(big.string(), screen_bitmap));
    std::printf("Main-mode frame with 64-pixel tiles: %s\n", big.c_str());
}

TEST_F(MainFrame, ExploredCellsOutOfViewShowOnlyTheirRememberedLookAndBeyondTheMapIsBlack) {
    // A cell explored earlier and now out of view keeps its remembered terrain, darkest run.
    draw_map(player, beings[player].x, beings[player].y);
    int ex = 0, ey = 0;
    for (int x = settings.view_left; x <= settings.view_right && !ex; ++x)
        for (int y = settings.view_top; y <= settings.view_bottom && !ex; ++y)
            if (x >= 1 && y >= 1 && x <= map_size && y <= map_size && !view_memory(x, y).terrain &&
                map_cells(x, y).block > 40)
                ex = x, ey = y;
    ASSERT_NE(ex, 0);
    tcell& c = map_cells(ex, ey);
    c.explored = 1;
    c.remembered_terrain() = sprite_categories[1][c.block].first_image;
    // Move the player so the view reaches beyond the map's left edge.
    draw_map(player, 2, beings[player].y);
    EXPECT_EQ(at(map_layer, ex, ey, 3, 3), terrain_sprites.image(c.remembered_terrain()).pixel(3, 3));
    EXPECT_EQ(at(map_layer, 0, beings[player].y, 10, 10), colours::black);
    EXPECT_EQ(at(map_layer, -3, beings[player].y, 0, 0), colours::black);
}

TEST_F(MainFrame, ThreatArrowsSitAtTheEdgeTowardTheThreat) {
    draw_map(player, beings[player].x, beings[player].y);
    const Bitmap before = map_layer;
    offscreen_beings.fill({});
    offscreen_beings[3].distance = 14; // east
    draw_threat_markers();
    const int t = settings.tile_size, hw = settings.view_width / 2, hh = settings.view_height / 2;
    int changed_east = 0, changed_west = 0;
    for (int y = 0; y < t; ++y)
        for (int x = 0; x < t; ++x) {
            changed_east +=
                map_layer.pixel(2 * hw * t + x, hh * t + y) != before.pixel(2 * hw * t + x, hh * t + y);
            changed_west += map_layer.pixel(x, hh * t + y) != before.pixel(x, hh * t + y);
        }
    EXPECT_GT(changed_east, 30);
    EXPECT_EQ(changed_west, 0);
    offscreen_beings.fill({});
}

// Target mode drawn from the real commands: the plain mode's hints, then a throwing weapon aimed
// at a creature (a valid cell) and the cursor moved past the weapon's reach (a refused cell).
// A message told during the creatures' round, after the last frame, is in the next frame: the log
// marks its panel to be drawn again.
TEST_F(MainFrame, AMessageLoggedBetweenFramesIsInTheNextFrame) {
    auto lit = [] {
        int n = 0;
        for (int y = 0; y < log_panel.height(); ++y)
            for (int x = 0; x < log_panel.width(); ++x)
                n += log_panel.pixel(x, y) != colours::black;
        return n;
    };
    add_message("You open the door.");
    draw_screen();
    const int one_message = lit();
    ASSERT_GT(one_message, 0);
    add_message("$FThe kobold punches you and hits! (Blunt: 3)");
    draw_screen();
    EXPECT_GT(lit(), one_message);
}

TEST_F(MainFrame, TargetModeShowsItsHintsAndColoursValidAndRefusedCells) {
    const int p = player;
    beings[p].type_flags[tf_can_use_items] = 1;
    beings[p].active_set = 13; // the first weapon set, as a created character has
    beings[p].present = 1;     // on the level, as placing it there leaves it
    titem javelin = blank_item;
    javelin.plan = 1;
    javelin.serial = 900;
    javelin.amount = 3;
    javelin.flags[if_weapon] = javelin.flags[if_throw] = 1;
    make_fixed_dice(3, javelin.range);
    parse_damage("pierce:1d6", javelin.damage);
    const int held = add_item_to_being(p, javelin, 0, 1, one_dice);
    ASSERT_GT(held, 0);
    ASSERT_TRUE(equip_item(p, held, 13, 1, true));
    update_being(p, 1);
    ASSERT_EQ(beings[p].weapon_set.hand_throws, 1);
    beings[p].dark_vision = 10; // the fixture's sight in the dark, which the update reset
    const fs::path out = fs::temp_directory_path() / "dravok-frames";
    fs::create_directories(out);
    auto hint_pixels = [] {
        int lit = 0;
        for (int y = 0; y < log_panel.height(); ++y)
            for (int x = 0; x < log_panel.width(); ++x)
                lit += log_panel.pixel(x, y) != colours::black;
        return lit;
    };
    const int t = settings.tile_size;
    auto cursor_frame = [&] { return at(creature_layer, target_cursor_x, target_cursor_y, t / 2, 0); };

    // The creatures, on the level as placing them there leaves them, and the thrower hate each other.
    for (auto [x, y] : placed.creature_cells) {
        beings[map_cells(x, y).being].present = 1;
        update_emotion(map_cells(x, y).being, p, -100, 0, 1);
        update_emotion(p, map_cells(x, y).being, -100, 0, 1);
    }
    update_party_friendliness();
    draw_screen(); // the main-mode frame before the key: the thrower looks round
    handle_main_commands(p, TARGET_MODE, 0, 0);
    ASSERT_EQ(game_mode, mode_target);
    draw_screen();
    EXPECT_GT(hint_pixels(), 100) << "the hints take the log's place";
    ASSERT_TRUE(write_png((out / "target_mode.png").string(), screen_bitmap));

    handle_main_commands(p, FIRE, 0, 0);
    ASSERT_EQ(game_mode, mode_target);
    ASSERT_EQ(target_action_kind, 12);
    auto distance = [&] { return get_distance(beings[p].x, beings[p].y, target_cursor_x, target_cursor_y); };
    ASSERT_NE(map_cells(target_cursor_x, target_cursor_y).being, p) << "the nearest creature is aimed at";
    auto cycle_until = [&](int least, int most) {
        for (int i = 0; i < 40 && (distance() < least || distance() > most); ++i)
            handle_target_commands(p, 0, key_tab, 0);
        return distance() >= least && distance() <= most;
    };

    // A creature two or three steps away: within the throw's reach, a valid target. One that
    // stands behind another creature is not the first the throw meets, so the next is taken.
    auto valid_frame = [&] {
        const Colour c = cursor_frame();
        return c == Colour(0xFF0000) || c == Colour(0x00FF00);
    };
    ASSERT_TRUE(cycle_until(2, 3));
    draw_screen();
    for (int i = 0; i < 40 && !valid_frame(); ++i) {
        handle_target_commands(p, 0, key_tab, 0);
        if (cycle_until(2, 3)) draw_screen();
    }
    const Colour valid = cursor_frame();
    EXPECT_TRUE(valid == Colour(0xFF0000) || valid == Colour(0x00FF00)) << std::hex << valid;
    EXPECT_GT(hint_pixels(), 100);
    ASSERT_TRUE(write_png((out / "target_valid.png").string(), screen_bitmap));

    // A creature farther away: beyond the reach of 3, refused.
    ASSERT_TRUE(cycle_until(4, 20));
    draw_screen();
    EXPECT_EQ(cursor_frame(), Colour(0x888888)) << "beyond the throw's reach: refused";
    ASSERT_TRUE(write_png((out / "target_refused.png").string(), screen_bitmap));
    std::printf("Target mode frames: %s\n", out.c_str());
    game_mode = mode_main;
}

} // namespace
} // namespace dravok
