// The renderer units that the frame drawing calls for the parts of a frame other than the map
// view: the message log panel and the frame composition, the minimap, the status, look and
// side panels, the floating texts and animations, the screens of the non-map modes, and the
// target-mode state of the rules. Each has the signature its owner gives it; until an owner
// lands, its entry has a minimal honest body in frame_links.cpp.
#pragma once
#include "ai/light.h"
#include "platform/bitmap.h"
#include "records/layout.h"
#include "rules/targeting.h"

namespace dravok {

// Message log panel and frame (the log changed since it was last drawn).
extern bool log_changed;
void draw_log_panel();
void compose_frame();
// Minimap and panels.
void draw_minimap(int being, int x, int y);
void draw_status_panel(int being);
void draw_look_panel(Bitmap& panel);
void draw_target_hints(int being);
void draw_dialog_partner(Bitmap& panel);
// The side panel's two lists.
int item_count_on_cell(int x, int y);
void show_items_on_ground(int being, int x, int y);
void show_quickslots(int being);
// Floating texts, lines, cell animations, lunges, speech bubbles: advanced by one tick each
// (true when something changed), and drawn onto the effects layer.
bool update_lunges();
bool update_cell_animations();
bool update_indicators();
bool update_indicator_lines();
bool update_bubbles();
void draw_indicators();
void draw_indicator_lines();
void draw_speech_bubbles();
void clear_speech_bubbles();
// Screens of the other modes.
void draw_dialog();
int current_dialog_kind();
void draw_inventory_screen();
void draw_talent_screen();
void draw_string_dialog();
void draw_book();
void draw_help_screen();
// Light and targets (rules and perception).
void get_ranged_target(int being);
void get_talent_target(int being);
// The target cursor, the aimed action and its effect, and whether the aim is blocked.
extern int target_cursor_x, target_cursor_y;
extern int target_action_kind;
extern bool target_blocked;
extern teffect target_effect;
void calculate_effect_coordinates(int being, int x, int y, teffect& effect);
// Autopilot: a path from the being to the cursor, false when there is none.
bool autopilot_path(int being, int x, int y);

} // namespace dravok
