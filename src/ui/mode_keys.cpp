// Mode key handlers: the keys of the help screen, the autopilot and the book.
#include "ui/mode_keys.h"
#include "records/layout_being.h"
#include "records/layout_level.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "ai/explore_targets.h"
#include "ai/paths.h"
#include "generation/portals.h"
#include "platform/desktop.h"
#include "rules/books.h"
#include "rules/targeting.h"
#include "ui/character_sheet.h"
#include "ui/key_bindings.h"
#include "ui/key_entry.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/services.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {

// Any key leaves the sheet for the mode it was opened from.
void handle_character_commands(int, int, int, int) {
    game_mode = sheet_view[sheet_view_return_mode];
}
namespace {

constexpr int key_letter_c = 67, key_letter_d = 68, key_letter_s = 83, key_letter_t = 84;
constexpr int key_digit_1 = 49, key_digit_9 = 57;

// The top line lowered until the page no longer runs past the book's last line.
int top_within_book(int top, int page) {
    while (top > 1 && top + page - 1 > book_line_count)
        --top;
    return top;
}

// The book as plain text for the clipboard: no colour codes, the link brackets made plain.
std::string book_plain_text() {
    std::string text = strip_colour_codes(book_text);
    for (const auto& [from, to] : {std::pair<std::string_view, std::string_view>{"[[ ", "["}, {" ]]", "]"}}) {
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    }
    return text;
}

} // namespace

// Up, Down and the page keys scroll the book; Ctrl+C copies it; any other key goes back to the
// inventory the book was read from.
void handle_book_commands(int, int command, int key, int modifier) {
    const int page = std::max(settings.book_lines, 1);
    if (key == key_up || command == MOVE_N) {
        if (book_top_line > 1) --book_top_line;
    } else if (key == key_down || command == MOVE_S) {
        if (!book_at_end) ++book_top_line;
    } else if (key == key_page_up || command == MOVE_W) {
        book_top_line = std::max(book_top_line - page, 1);
    } else if (key == key_page_down || command == MOVE_E) {
        if (!book_at_end) book_top_line = top_within_book(book_top_line + page, page);
    } else if (key == key_home) {
        book_top_line = 1;
    } else if (key == key_end) {
        if (!book_at_end) book_top_line = top_within_book(book_line_count, page);
    } else if (modifier == key_ctrl && key == key_letter_c) {
        set_clipboard_text(book_plain_text());
    } else {
        game_mode = mode_inventory;
    }
}

void open_character_sheet(int being) {
    sheet_view = {};
    sheet_view[sheet_view_being] = being;
    sheet_view[sheet_view_return_mode] = game_mode;
    game_mode = mode_character;
}

void open_help_screen() {
    help_return_mode = game_mode;
    help_key = 0;
    help_modifier = 0;
    game_mode = mode_help;
}

void handle_help_commands(int, int command, int key, int modifier) {
    if (key == key_escape || command == HELP) {
        game_mode = help_return_mode != 0 ? help_return_mode : 3;
        return;
    }
    if (modifier == 0) {
        help_key = help_key == key ? 0 : uint8_t(key);
        return;
    }
    help_modifier = help_modifier == modifier ? 0 : uint8_t(modifier);
}

namespace {

void set_autopilot_cursor(int x, int y) {
    state.autopilot_cursor_x = x;
    state.autopilot_cursor_y = y;
    // The frame drawing of the mode reads the cursor it shares with the target mode.
    target_cursor_x = x;
    target_cursor_y = y;
}

// The next explored cell after the cursor in the rings round the being that `wanted` accepts,
// wrapping round once; false when there is none.
bool next_ring_cell(int being, const std::function<bool(int, int)>& wanted, int& out_x, int& out_y) {
    const int count = build_ring_list(beings[being].x, beings[being].y, map_size);
    const int start = find_in_ring_list(state.autopilot_cursor_x, state.autopilot_cursor_y);
    for (int pass = 0; pass < 2; ++pass) {
        const int from = pass == 0 ? start + 1 : 1;
        const int to = pass == 0 ? count : start;
        for (int i = from; i <= to; ++i) {
            const int x = ring_list[i].x, y = ring_list[i].y;
            if (x == 0 && y == 0) break;
            if (on_map(x, y) && cell_at(x, y).explored != 0 && wanted(x, y)) {
                out_x = x;
                out_y = y;
                return true;
            }
        }
    }
    return false;
}

void start_travel(int being) {
    level.target_x = uint8_t(state.autopilot_cursor_x);
    level.target_y = uint8_t(state.autopilot_cursor_y);
    command_acted = true;
    game_mode = mode_main;
    (void)being;
}

// Travel at once to the next cell of the kind that a travel path reaches; with none, the log
// says so with `none_known`.
void travel_to_next(int being, const std::function<bool(int, int)>& wanted, const char* none_known) {
    int x = 0, y = 0;
    const int kept_x = state.autopilot_cursor_x, kept_y = state.autopilot_cursor_y;
    auto reachable = [&](int cx, int cy) {
        return wanted(cx, cy) && pathfind(being, cx, cy, false, false, purpose_travel);
    };
    if (!next_ring_cell(being, reachable, x, y)) {
        set_autopilot_cursor(kept_x, kept_y);
        add_message(none_known);
        return;
    }
    beings[being].path = path_result;
    set_autopilot_cursor(x, y);
    start_travel(being);
}

} // namespace

void handle_autopilot_commands(int being, int command, int key, int) {
    if (!is_being_ok(being)) {
        game_mode = mode_main;
        return;
    }
    int x = 0, y = 0;
    if (key == key_escape) {
        beings[being].path = empty_path;
        game_mode = mode_main;
        services.redraw();
    } else if (command >= 1 && command <= 8) {
        const int nx = state.autopilot_cursor_x + compass_dx[command];
        const int ny = state.autopilot_cursor_y + compass_dy[command];
        if (on_explored_map(nx, ny)) set_autopilot_cursor(nx, ny);
    } else if (key == key_tab) {
        if (next_ring_cell(
                being,
                [](int cx, int cy) {
                    const int f = get_furniture(cx, cy);
                    return f == fu_stairs_down || f == fu_stairs_up || f == fu_teleporter;
                },
                x, y))
            set_autopilot_cursor(x, y);
    } else if (key == key_letter_t) {
        if (next_ring_cell(
                being,
                [](int cx, int cy) {
                    return cell_at(cx, cy).trap != 0 && cell_at(cx, cy).trap_difficulty < 0;
                },
                x, y))
            set_autopilot_cursor(x, y);
    } else if (key == key_letter_c) {
        if (next_ring_cell(
                being, [](int cx, int cy) { return is_autopilot_furniture_target(cx, cy); }, x, y))
            set_autopilot_cursor(x, y);
    } else if (key == key_letter_s) {
        travel_to_next(
            being,
            [](int cx, int cy) {
                if (get_furniture(cx, cy) != fu_teleporter) return false;
                const tportal to = get_destination_portal(cx, cy, 0);
                return to.level >= 1 && to.level < levels.size() && levels[to.level].trading != 0;
            },
            "$FYou know of no way to a shop that you can reach from here.");
    } else if (key == key_letter_d) {
        travel_to_next(
            being, [](int cx, int cy) { return get_furniture(cx, cy) == fu_stairs_down; },
            "$FYou know of no stairs down that you can reach from here.");
    } else if (key >= key_digit_1 && key <= key_digit_9) {
        const tmap_point& p = level.map_point(key - key_digit_1 + 1);
        if (on_map(p.x, p.y) && cell_at(p.x, p.y).explored != 0) set_autopilot_cursor(p.x, p.y);
    } else if (command == AUTOPILOT) {
        const uint32_t target = find_explore_target();
        const int tx = int(target & 0xFFFF), ty = int(target >> 16);
        if (target == 0 || !on_map(tx, ty)) {
            add_message("$FNothing to explore!");
            command_acted = true;
            game_mode = mode_main;
        } else {
            set_autopilot_cursor(tx, ty);
        }
    } else if (key == key_enter) {
        if (beings[being].path.length != 0) start_travel(being);
    }
}

} // namespace dravok
