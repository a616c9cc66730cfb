// Puts the process-wide state back before every test; see process_state.h.
#include "support/process_state.h"
#include "records/layout_game.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <type_traits>
#include <vector>

#include "ai/explore_targets.h"
#include "ai/light.h"
#include "ai/paths.h"
#include "ai/player_view.h"
#include "ai/sight.h"
#include "generation/grids.h"
#include "generation/level_creation.h"
#include "generation/marks.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/termination.h"
#include "platform/timers.h"
#include "rules/books.h"
#include "rules/character_sheet.h"
#include "rules/effect_areas.h"
#include "rules/effects.h"
#include "rules/pantheon.h"
#include "rules/scheduler.h"
#include "rules/sound.h"
#include "rules/targeting.h"
#include "ui/animations.h"
#include "ui/character_sheet.h"
#include "ui/dialogs.h"
#include "ui/game_services.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/key_entry.h"
#include "ui/layout.h"
#include "ui/lister_model.h"
#include "ui/offscreen_beings.h"
#include "ui/text_entry.h"
#include "ui/title_screen.h"
#include "ui/ui_services.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/lasting_effects.h"
#include "world/level_record.h"
#include "world/light_map.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/menu_model.h"
#include "world/message_log.h"
#include "world/probe_effects.h"
#include "world/random.h"
#include "world/services.h"
#include "world/settings_record.h"
#include "world/sprite_lookup.h"
#include "world/state.h"
#include "world/statistics.h"
#include "world/text_database.h"
#include "world/text_expand.h"
#include "world/view_memory.h"
#include "world/world_lifecycle.h"

namespace dravok::testing {

namespace {

// One restorer per kept global: it assigns back the value noted at start-up.
std::vector<std::function<void()>>& restorers() {
    static std::vector<std::function<void()>> r;
    return r;
}

template <class T> void keep(T& global) {
    if constexpr (std::is_array_v<T>) {
        static_assert(std::is_trivially_copyable_v<std::remove_all_extents_t<T>>);
        std::vector<unsigned char> start(sizeof global);
        std::memcpy(start.data(), &global, sizeof global);
        restorers().push_back([&global, start] { std::memcpy(&global, start.data(), sizeof global); });
    } else {
        restorers().push_back([&global, start = global] { global = start; });
    }
}

// The values the game's own reset routines do not put back: blank records, counters, settings
// of other units and the scratch state of the generator, sight, light and effects. What a new
// game resets (reset_world) is left to it, so a test starts as a new game does.
void keep_start_values() {
    // The services go back first: a test may have installed its own, or the window's.
    keep(services);
    keep(state), keep(settings), keep(game_mode);
    keep(level), keep(map_size), keep(map_cells), keep(map_effect_grid), keep(light_map);
    keep(probe_effects);
    keep(game_template), keep(blank_being), keep(blank_item), keep(effect_template);
    keep(blank_cell), keep(blank_area), keep(blank_stuff), keep(blank_map_effect_cell);
    keep(database_header);

    keep(message_log), keep(log_area_width), keep(log_text_measure);
    keep(random_seed), keep(one_dice), keep(d2_dice), keep(d20_dice);
    keep(command_key_caps), keep(deities_text);
    keep(help_return_mode), keep(help_key), keep(help_modifier);

    keep(ray_endpoints), keep(sight_ray_counts), keep(sight_rays), keep(line_points), keep(line_length);
    keep(impenetrable_walls), keep(cells_given_area);
    keep(dungeon), keep(shape_grid), keep(dug_grid), keep(mark_grid), keep(mark_block_grid);
    keep(mark_area_grid), keep(corridor_end_grid), keep(exit_grid), keep(visited_grid);
    keep(backup_grid), keep(rotated_grid), keep(shape_dirty);
    keep(open_marks), keep(failed_marks), keep(outer_marks), keep(outer_marks_left);
    keep(forced_marks_open), keep(last_creation_attempts);

    keep(hostile_grid), keep(feared_grid), keep(sight_scratch), keep(light_owner_map);
    keep(static_light_list), keep(path_result);
    keep(avatars), keep(avatar_items), keep(demigods), keep(demigod_items);

    keep(message_text), keep(next_effect_time), keep(effects_changed), keep(target_effect);
    keep(effect_first_being), keep(effect_hit_count), keep(effect_friendly_hit_count);
    keep(effect_target_invalid), keep(target_action_kind), keep(remembered_aiming_command);
    keep(target_cursor_x), keep(target_cursor_y), keep(target_blocked), keep(target_step);
    keep(last_noise_decay_time);
    keep(last_picked_being);

    keep(screen_layout), keep(view_memory);

    // The state of play and of the screens a test may leave behind: the character being made,
    // the open menu, dialog or list, the book being read, what the character saw last.
    keep(game_character), keep(edited_character), keep(level_up_snapshot), keep(sheet_view);
    keep(dialog), keep(dialog_buttons), keep(dialog_lines_logged), keep(string_dialog);
    keep(menu), keep(menu_items), keep(lister), keep(command_acted), keep(current_title_picture);
    keep(statistics), keep(save_names), keep(log_changed);
    keep(book_at_end), keep(book_identifier), keep(book_line_count), keep(book_name), keep(book_text);
    keep(book_top_line);
    keep(explore_path), keep(explore_taken), keep(last_view_being), keep(last_view_time);
    keep(seen_being_list), keep(seen_item_list), keep(offscreen_beings);
    keep(animation_shown), keep(bubbles);
}

class reset_listener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { reset_process_state(); }
};

} // namespace

void capture_start_state() {
    if (!restorers().empty()) return;
    // The rules run with the game's services and the interface's presentation, as in the game.
    install_game_services();
    install_presentation();
    keep_start_values();
}

void reset_process_state() {
    // Nothing left from the last test may run now: its timers, handlers and queued keys.
    destroy_all_timers();
    set_key_handler(nullptr);
    set_close_handler(nullptr);
    set_paint_handler(nullptr);
    pump_messages();
    set_clock(nullptr);
    set_program_folder("");
    set_write_limit_for_tests(std::nullopt);
    remove_termination_handlers();
    clear_quit_request();
    error_log_lines.clear();

    for (const auto& restore : restorers())
        restore();

    // The game's own release: the beings and level arrays, the database tables, the lists.
    free_all();
    clear_text_database();
    clear_message_log();
    reset_keybindings();
    free_graphics();
    clear_sprite_infos();
    // Last, the new game's own reset: what it leaves behind, a new game in the program would too.
    reset_world();
}

void reset_state_before_each_test() {
    capture_start_state();
    ::testing::UnitTest::GetInstance()->listeners().Append(new reset_listener);
}

bool load_built_database() {
    clear_quit_request();
    return load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs");
}

} // namespace dravok::testing
