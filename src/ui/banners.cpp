// Map banners; see banners.h.
#include "ui/banners.h"
#include "records/layout_being.h"

#include <algorithm>

#include "records/being_flags.h"
#include "ui/dialogs.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/game_modes.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/state.h"

namespace dravok {
namespace {

constexpr int game_over_tick = 15, congratulations_ticks = 12, won_ticks_end = 16;
constexpr int big_banner = 100, resting_banner = 60;
constexpr int shrink_step = 10, smallest_banner = 8;
constexpr Colour banner_colour = 0xEEEEEE;

void draw_banner(const std::string& text, int start_height, bool hides_map_behind_game_over) {
    Bitmap& b = effects_layer;
    if (hides_map_behind_game_over && game_mode == mode_dialog && current_dialog_kind() == dialog_game_over)
        b.fill_rect(Rect{0, 0, screen_bitmap.width(), screen_bitmap.height()}, colours::black);
    const FontSpec old = b.font();
    FontSpec f = old;
    f.family = settings.title_font.empty() ? "Georgia" : settings.title_font;
    f.bold = true;
    f.height = scaled(start_height);
    b.set_font(f);
    // A view too narrow for any height keeps the smallest one rather than vanishing.
    while (b.text_width(text) > b.width() - scaled(64) && f.height > smallest_banner) {
        f.height = std::max(smallest_banner, f.height - shrink_step);
        b.set_font(f);
    }
    const Size ext = b.text_extent(text);
    const int left = (b.width() - ext.width) / 2, top = (b.height() - ext.height) / 2;
    const int s = scaled_font_size(4);
    const BrushStyle style = b.brush_style();
    b.set_brush_clear();
    b.set_font_colour(colours::black);
    b.text_out(left + s, top + s, text);
    b.set_font_colour(banner_colour);
    b.text_out(left, top, text);
    b.set_brush_style(style);
    f = old;
    f.bold = false;
    b.set_font(f);
}

} // namespace

std::string death_banner_text() {
    return state.spectator_ticks < game_over_tick ? "YOU HAVE DIED" : "GAME OVER";
}

std::string victory_banner_text() {
    const uint32_t t = state.spectator_ticks;
    if (t < congratulations_ticks) return "CONGRATULATIONS!";
    if (t <= won_ticks_end && state.won) return "YOU HAVE WON!";
    const bool valid = player_character >= 1 && player_character < int(beings.size());
    if (valid && has_type_flag(beings[player_character], tf_overgod)) return "YOU BECAME THE OVERGOD!";
    if (valid && has_type_flag(beings[player_character], tf_god)) return "YOU BECAME A GOD!";
    return "YOU BECAME A DEMIGOD!";
}

std::string resting_banner_text() {
    const bool until_healed = player >= 1 && player < int(beings.size()) && beings[player].resting;
    return until_healed ? "RESTING UNTIL HEALED" : "RESTING FOR 100 ROUNDS";
}

void draw_death_banner() {
    draw_banner(death_banner_text(), big_banner, true);
}
void draw_victory_banner() {
    draw_banner(victory_banner_text(), big_banner, true);
}
void draw_level_up_banner() {
    draw_banner("LEVEL UP!", big_banner, false);
}
void draw_resting_banner() {
    draw_banner(resting_banner_text(), resting_banner, false);
    state.rest_screen = 1;
}

} // namespace dravok
