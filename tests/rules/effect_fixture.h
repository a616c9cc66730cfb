// The small world for effect tests: the two-room map with a goblin at (3, 3) and the ogre at
// (8, 8), an empty list of lasting effects, the error log in a temporary folder, no player.
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "fixtures/small_world.h"
#include "platform/files.h"
#include "platform/temp_folder.h"
#include "rules/being_creation.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/lasting_effects.h"
#include "world/being.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/lasting_effects.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/state.h"

namespace dravok::testing {

class EffectWorld : public ::testing::Test {
  protected:
    void SetUp() override {
        set_program_folder(folder_.path());
        error_log_lines.clear();
        clear_quit_request();
        // Lasting effects go first: placing the beings already re-applies what the list holds.
        duration_effects.assign(initial_duration_effects, effect_template);
        world_ = fixtures::build_small_world();
        clear_map_effect_grid();
        state = tstate{}; // a log muted or reordered by an earlier test must not hide messages
        settings = tsettings{};
        message_log.clear();
        message_text.clear();
        next_effect_time = 0;
        effects_changed = false;
        level.index = 0;
    }
    void TearDown() override {
        duration_effects.assign(initial_duration_effects, effect_template); // nothing lasts into other tests
        clear_map_effect_grid();
        player = 0;
        set_program_folder("");
        error_log_lines.clear();
        clear_quit_request();
    }

    int goblin() const { return world_.goblin; }
    int ogre() const { return world_.ogre; }
    static int add_goblin(int x, int y) {
        return add_being_to_level(x, y, blank_being, 0, fixtures::goblin_plan);
    }

    // An effect record of the shape and kind with its range fixed, evaluated and as a formula.
    static teffect effect_of(int shape, int kind, int range, int source = es_natural_attack) {
        teffect e = effect_template;
        e.source = uint8_t(source);
        e.shape = uint8_t(shape);
        e.kind = uint8_t(kind);
        e.range = uint16_t(range);
        if (range > 0) make_fixed_dice(range, e.range_dice);
        return e;
    }

    // The listed cells up to the end mark, as (x, y) pairs.
    static std::vector<std::pair<int, int>> cells_of(const teffect& e) {
        std::vector<std::pair<int, int>> out;
        for (int i = 1; i <= effect_cell_count; ++i) {
            if (e.cell(i).x == 0 && e.cell(i).y == 0) break;
            out.emplace_back(e.cell(i).x, e.cell(i).y);
        }
        return out;
    }

    static bool error_logged(const std::string& part) {
        for (const std::string& line : error_log_lines)
            if (line.find(part) != std::string::npos) return true;
        return false;
    }

  private:
    TempFolder folder_;
    fixtures::small_world world_;
};

} // namespace dravok::testing
