// The aiming overlay of the target and autopilot modes on the creature layer: the effect's
// cells, the cursor cell in the colour of what it holds, a cross when the aim is blocked or the
// cell unexplored, and the line from the aiming being to the cursor; and the hint texts that
// take the log panel's place in these modes.
#include <algorithm>

#include "ai/sight.h"
#include "platform/bitmap.h"
#include "records/layout_base.h"
#include "records/layout_being.h"
#include "rules/effect_areas.h"
#include "rules/effect_names.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/targeting.h"
#include "ui/dialogs.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/map_view.h"
#include "ui/text_boxes.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/game_modes.h"
#include "world/geometry.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/view_memory.h"

namespace dravok {
namespace {

bool target_unexplored = false;

bool listed_shape(int s) {
    return s == sh_bolt || s == sh_ray || s == sh_ball || s == sh_cloud || s == sh_wall || s == sh_spot;
}
bool on_map_cell(int x, int y) {
    return x >= 1 && y >= 1 && x <= map_size && y <= map_size;
}
Rect tile_rect(int x, int y) {
    const int t = settings.tile_size;
    const int sx = (x - settings.view_left) * t, sy = (y - settings.view_top) * t;
    return Rect::from_size(sx, sy, t, t);
}
bool seen_now(int x, int y) {
    return on_map_cell(x, y) && view_memory(x, y).terrain != 0;
}

} // namespace

bool target_cell_colour(Bitmap& bitmap, int x, int y, Colour bad, Colour good) {
    target_unexplored = false;
    bitmap.set_brush(good);
    if (game_mode == mode_autopilot) {
        bitmap.set_brush(player >= 1 && beings[player].path.steps[0] != 0 ? 0x00FF00 : bad);
        return false;
    }
    const int cx = target_cursor_x, cy = target_cursor_y;
    if (!on_map_cell(cx, cy) || !map_cells(cx, cy).explored) target_unexplored = true;
    if (target_action_kind != 0) {
        const bool usable = !target_unexplored && is_cell_in_effect_range(player, cx, cy, target_effect) &&
                            is_floor(cx, cy) && !target_blocked;
        if (!usable) {
            bitmap.set_brush(bad);
            return false;
        }
    } else if (target_unexplored) {
        bitmap.set_brush(bad);
        return false;
    }
    const int b = on_map_cell(x, y) ? map_cells(x, y).being : 0;
    if (b < 1 || b >= int(beings.size()) || !is_being_ok(b)) return false;
    const int shape = target_effect.shape;
    const bool bolt_aim =
        target_action_kind == target_attack ||
        ((target_action_kind == target_item_use || target_action_kind == target_talent_use) &&
         shape == sh_bolt);
    if (bolt_aim) {
        // Only the first being the bolt meets, standing on the cursor and within range, is a target.
        const tbeing& t = beings[b];
        const bool on_cursor = cx >= t.x && cx < t.x + t.width && cy >= t.y && cy < t.y + t.height;
        if (get_first_being_in_effect(target_effect) != b || !on_cursor ||
            !is_cell_in_effect_range(player, t.x, t.y, target_effect))
            return false;
    } else if (listed_shape(shape) && !is_being_in_target_effect(b)) {
        return false;
    }
    if (player >= 1 && can_see(player, b, 0, 0)) {
        bitmap.set_brush(beings[b].friendly ? 0x00FF00 : 0xFF0000);
        return true;
    }
    return false;
}

void draw_target_overlay(int being) {
    Bitmap& b = creature_layer;
    const int t = settings.tile_size;
    const int cx = target_cursor_x, cy = target_cursor_y;
    if (listed_shape(target_effect.shape)) {
        for (const tcell_xy& c : target_effect.cells) {
            if (c.x == 0 && c.y == 0) break;
            if (c.x == cx && c.y == cy) continue;
            if (!seen_now(c.x, c.y)) continue;
            target_cell_colour(b, c.x, c.y, 0x888888, 0x888888);
            b.frame_rect(tile_rect(c.x, c.y), b.brush_colour());
        }
    }
    target_cell_colour(b, cx, cy, 0x888888, 0xCCCCCC);
    const Colour c = b.brush_colour();
    Rect r = tile_rect(cx, cy);
    b.frame_rect(r, c);
    b.frame_rect(Rect{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, c);
    if (t == 64) b.frame_rect(Rect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2}, c);
    if (target_blocked || target_unexplored) {
        b.set_pen(c, 2);
        b.line(r.left + 1, r.top + 1, r.left + t - 2, r.top + t - 2);
        b.line(r.left + t - 2, r.top + 1, r.left + 1, r.top + t - 2);
        b.set_pen(c, 1);
    }
    if ((game_mode == mode_target || (game_mode == mode_dialog && current_dialog_kind() == 7)) &&
        target_action_kind != 0 && being >= 1 && being < int(beings.size())) {
        const Rect from = tile_rect(beings[being].x, beings[being].y);
        b.set_pen(0x888888);
        b.line(from.left + t / 2, from.top + t / 2, r.left + t / 2, r.top + t / 2);
    }
}

namespace {

std::string caps(int command) {
    return binding_text(0, 0, command, true, false, 0);
}

// The text under the map in target and autopilot mode: what is aimed and the keys that serve.
std::string target_hint_text(int being) {
    if (game_mode == mode_autopilot) {
        return "$BSelect a target location for autopilot.\\n\\n" + caps(AUTOPILOT) +
               " Unexplored     [[ 1 ]]-[[ 9 ]] Map points     [[ TAB ]] Stairs / teleporters     [[ D ]] "
               "Autopilot to nearest stairs down\\n\\n[[ S ]] Autopilot to shop teleporter     [[ C ]] "
               "Locked or "
               "unlooted furniture     [[ T ]] Traps     [[ ENTER ]] Autopilot";
    }
    const tbeing& b = beings[being];
    const std::string distance = " Distance to current target is " +
                                 std::to_string(get_distance(b.x, b.y, target_cursor_x, target_cursor_y)) +
                                 ".";
    const std::string range = " Range for current action is " + std::to_string(target_effect.min_range) +
                              " - " + std::to_string(target_effect.range) + ".";
    const std::string cycle = caps(TARGET_MODE) + " Cycle targets     ";
    const std::string again = remembered_aiming_command != 0 ? " / " + caps(remembered_aiming_command) : "";
    if (target_action_kind == target_attack)
        return "$BSelect a target for ranged attack." + distance + range + "\\n\\n" + cycle + again +
               " [[ ENTER ]] Fire";
    if (target_action_kind == target_item_use || target_action_kind == target_talent_use)
        return "$BSelect a target for " + get_effect_name_for_target_mode(being, target_effect) + "." +
               distance + range + "\\n\\n" + cycle + again + " [[ ENTER ]] Proceed";
    std::string text = "$BTarget-mode." + distance + "\\n\\n" + cycle + "[[ C ]] Cycle containers";
    if (b.attack_memory.attack_kind[0] || b.attack_memory.attack_kind[1])
        text += "     " + caps(FIRE) + " Switch to fire mode";
    return text + "     " + caps(AUTOPILOT) + " Switch to autopilot mode";
}

} // namespace

void draw_target_hints(int being) {
    clear_bitmap(log_panel);
    if (!is_being_ok(being)) return;
    const int margin = settings.log_margin;
    draw_wrapped_text(log_panel, target_hint_text(being), margin, false, settings.log_line_height,
                      log_panel.width() - 2 * margin, margin);
}

} // namespace dravok
