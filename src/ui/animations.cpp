// The animation tick and the drawing of floating texts and lines; see animations.h.
#include "ui/animations.h"
#include "records/layout_being.h"
#include "records/layout_item.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "records/being_flags.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/marked_text.h"
#include "ui/text_boxes.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/random.h"
#include "world/settings_record.h"
#include "world/text_expand.h"
#include "world/view_memory.h"

namespace dravok {

std::array<tbubble, bubble_entries + 1> bubbles;

namespace {

constexpr int lunge_ticks = 10;
constexpr int kills_player_trigger = 13, rejoices_death_trigger = 14, mourns_master_trigger = 22;
constexpr int sentient_item_drop_trigger = 53;
constexpr int max_strands = 10, strand_base = 3, strand_spread = 5, palette_size = 6;
constexpr int jagged_kinds = 4;
constexpr std::array<std::array<Colour, palette_size>, jagged_kinds + 1> beam_palettes = {{
    {},
    {0xAAAAAA, 0xCCCCCC, 0xEEEEEE, 0x3333AA, 0x3333CC, 0x3333EE},
    {0x444444, 0x666666, 0x888888, 0xAAAAAA, 0xCCCCCC, 0xEEEEEE},
    {0x222222, 0x444444, 0x666666, 0x880088, 0x0000AA, 0x0000CC},
    {0xFFFF28, 0xFFC14C, 0xFF4C00, 0xAC0000, 0x6A0000, 0x673022},
}};

// The rise of the text that last rose on each cell this tick.
std::array<int16_t, max_map_size * max_map_size> indicator_grid{};

bool on_the_map(int x, int y) {
    return x >= 1 && y >= 1 && x <= map_size && y <= map_size;
}
bool present(int being) {
    return being >= 1 && being < int(beings.size()) && beings[being].serial > 0;
}
int16_t& grid(int x, int y) {
    return indicator_grid[std::size_t((x - 1) * max_map_size + (y - 1))];
}
Point cell_centre(int x, int y) {
    const int t = settings.tile_size;
    return {(x - settings.view_left) * t + t / 2, (y - settings.view_top) * t + t / 2};
}
bool player_sees_cell(int x, int y) {
    return on_the_map(x, y) && view_memory(x, y).terrain != 0 && view_memory(x, y).seen_state != 0;
}

void draw_jagged_line(Point from, int to_x, int to_y, int fx, int fy, int kind) {
    Bitmap& b = effects_layer;
    std::array<Point, max_strands> previous;
    previous.fill(from);
    const int q = settings.tile_size / 4;
    trace_line(fx, fy, to_x, to_y);
    for (int i = 1; i <= line_length; ++i) {
        const Point c = cell_centre(line_points[i].x, line_points[i].y);
        const int n = random(strand_spread) + strand_base;
        for (int s = 0; s < n; ++s) {
            const int rx1 = random(q);
            const int rx2 = random(q);
            const int x = c.x + rx1 - rx2;
            const int ry1 = random(q);
            const int ry2 = random(q);
            const int y = c.y + ry1 - ry2;
            const int colour = random(palette_size);
            b.set_pen(beam_palettes[kind][colour]);
            b.line(previous[s].x, previous[s].y, x, y);
            previous[s] = {x, y};
        }
    }
}

} // namespace

bool update_lunges() {
    bool changed = false;
    for (tbeing& b : beings) {
        if (b.lunge_direction == 0) continue;
        if (++b.lunge_timer >= lunge_ticks) {
            b.lunge_direction = 0;
            b.lunge_timer = 0;
            changed = true;
        }
    }
    return changed;
}

bool update_cell_animations() {
    if (cell_animations.empty()) return false;
    for (std::size_t i = 0; i < cell_animations.size();) {
        tcell_animation& a = cell_animations[i];
        const int f = a.followed_being;
        if (present(f) && beings[f].present && on_the_map(beings[f].x, beings[f].y) &&
            (beings[f].x != a.x || beings[f].y != a.y)) {
            if (on_the_map(a.x, a.y)) view_memory(a.x, a.y).animation = 0;
            a.x = beings[f].x;
            a.y = beings[f].y;
        }
        if (--a.countdown < 1) {
            ++a.current_frame;
            a.countdown = a.ticks_per_frame;
        }
        if (a.current_frame > a.frame_count) {
            if (on_the_map(a.x, a.y) && is_in_view(a.x, a.y)) view_memory(a.x, a.y).animation = 0;
            set_animation_shown(a.flagged_being, false);
            cell_animations.erase(cell_animations.begin() + std::ptrdiff_t(i));
            continue;
        }
        const int sprite = a.current_frame >= 1 ? a.frames[std::size_t(a.current_frame)] : 0;
        if (sprite != 0 && on_the_map(a.x, a.y)) {
            const int on_cell = map_cells(a.x, a.y).being;
            if (is_in_view(a.x, a.y)) {
                view_memory(a.x, a.y).animation = uint16_t(sprite);
                if (a.flagged_being != 0 && a.flagged_being == on_cell)
                    set_animation_shown(a.flagged_being, true);
            }
            if (a.flagged_being >= 1 && a.flagged_being != on_cell)
                set_animation_shown(a.flagged_being, false);
        }
        ++i;
    }
    return true;
}

bool update_indicators() {
    if (indicators.empty()) return false;
    indicator_grid.fill(0);
    const int t = settings.tile_size;
    const int step = t / 14, limit = int(std::trunc(t * 2.2)), gap = settings.floating_font_height + 2;
    for (std::size_t i = 0; i < indicators.size();) {
        tindicator& n = indicators[i];
        if (present(n.being) && beings[n.being].present && on_the_map(beings[n.being].x, beings[n.being].y)) {
            n.x = beings[n.being].x;
            n.y = beings[n.being].y;
        }
        if (!on_the_map(n.x, n.y)) {
            char text[200];
            std::snprintf(text, sizeof text,
                          "Odd xy-values (%d,%d, \"%s\") in indicator-list index %d of %d!", n.x, n.y,
                          n.text.c_str(), int(i), int(indicators.size()) - 1);
            error_log(1, text, false);
            indicators.erase(indicators.begin() + std::ptrdiff_t(i));
            continue;
        }
        const int16_t below = grid(n.x, n.y);
        // A text waits until the one before it on the cell has risen a line and a little more.
        if (below != 0 && below < gap) {
            ++i;
            continue;
        }
        n.rise += step;
        if (n.rise > limit) {
            indicators.erase(indicators.begin() + std::ptrdiff_t(i));
            continue;
        }
        grid(n.x, n.y) = int16_t(n.rise);
        ++i;
    }
    return true;
}

bool update_indicator_lines() {
    if (indicator_lines.empty()) return false;
    for (std::size_t i = 0; i < indicator_lines.size();) {
        tindicator_line& l = indicator_lines[i];
        if (--l.remaining < 1) {
            indicator_lines.erase(indicator_lines.begin() + std::ptrdiff_t(i));
            continue;
        }
        if (present(l.from_being) && on_the_map(beings[l.from_being].x, beings[l.from_being].y))
            l.from_x = beings[l.from_being].x, l.from_y = beings[l.from_being].y;
        if (present(l.to_being) && on_the_map(beings[l.to_being].x, beings[l.to_being].y))
            l.to_x = beings[l.to_being].x, l.to_y = beings[l.to_being].y;
        ++i;
    }
    return true;
}

bool update_bubbles() {
    bool changed = false;
    for (int e = 1; e <= 2; ++e) {
        tbubble& b = bubbles[std::size_t(e)];
        if (is_in_view(b.x, b.y)) changed = true;
        if (++b.age >= b.lifetime) b = tbubble{};
    }
    return changed;
}

void draw_indicators() {
    if (indicators.empty()) return;
    Bitmap& b = effects_layer;
    const FontSpec old = b.font();
    b.set_brush_clear();
    b.set_font_height(settings.floating_font_height);
    b.set_font_bold(false);
    const int t = settings.tile_size, fh = settings.floating_font_height;
    for (const tindicator& n : indicators) {
        if (n.rise == 0) continue;
        int x = n.x, y = n.y;
        if (present(n.being) && beings[n.being].present) x = beings[n.being].x, y = beings[n.being].y;
        if (!on_the_map(x, y) || !is_in_view(x, y)) continue;
        if (n.only_if_seen && !player_sees_cell(x, y)) continue;
        const int left = cell_centre(x, y).x - b.text_width(n.text) / 2;
        const int top = (y - settings.view_top) * t - n.rise - fh / 2;
        b.set_font_colour(colours::black);
        b.text_out(left + 1, top + 1, n.text);
        b.set_font_colour(n.colour);
        b.text_out(left, top, n.text);
    }
    b.set_font(old);
}

void draw_indicator_lines() {
    for (const tindicator_line& l : indicator_lines) {
        int fx = l.from_x, fy = l.from_y, tx = l.to_x, ty = l.to_y;
        if (present(l.from_being) && beings[l.from_being].present)
            fx = beings[l.from_being].x, fy = beings[l.from_being].y;
        if (present(l.to_being) && beings[l.to_being].present)
            tx = beings[l.to_being].x, ty = beings[l.to_being].y;
        if (!on_the_map(fx, fy) || !on_the_map(tx, ty)) continue;
        const Point a = cell_centre(fx, fy), z = cell_centre(tx, ty);
        if (l.kind > jagged_kinds) {
            effects_layer.set_pen(Colour(l.kind), 1);
            effects_layer.line(a.x, a.y - 3, z.x, z.y);
        } else if (l.kind >= 1) {
            draw_jagged_line(a, tx, ty, fx, fy, l.kind);
        }
    }
}

void draw_speech_bubble(int entry) {
    tbubble& bubble = bubbles[std::size_t(entry)];
    if (bubble.line_count == 0 || bubble.text.find_first_not_of(" \r\n") == std::string::npos) return;
    Bitmap& b = effects_layer;
    const FontSpec old = b.font();
    b.set_font_height(settings.bubble_font_height);
    const int line = settings.bubble_font_height + 2, m = screen_layout.bubble_margin;
    if (!bubble.fixed && bubble.speaker > 0 && is_being_ok(bubble.speaker, 0))
        bubble.x = beings[bubble.speaker].x, bubble.y = beings[bubble.speaker].y;
    if (!is_in_view(bubble.x, bubble.y)) {
        b.set_font(old);
        return;
    }
    const int w = std::max(bubble.width + 2 * m, int(screen_layout.bubble_width_limit * 0.5));
    const int h = bubble.line_count * line + 2 * m;
    const int left = (b.width() - w) / 2;
    const int top = entry == 2 ? b.height() - h - m : m;
    const Colour pen = bubble.item_voice ? 0x22DDDD : bubble.telepathic ? 0xAA00AA : 0xBBBBBB;
    b.set_pen(pen);
    b.set_brush(colours::black);
    const int corner = scaled_font_size(30);
    b.round_rect(Rect{left, top, left + w, top + h}, corner, corner);
    b.set_font_colour(0x22DDDD);
    b.set_brush_clear();
    if (bubble.line_count > 1) {
        draw_marked_lines(b, bubble.text, left + m, false, line, top + m);
    } else {
        Point out;
        draw_text_in_box(b, bubble.text, left + m, out, false, BrushStyle::clear, box_align::centre, 0,
                         top + h - m, left + w - m, top + m);
    }
    // The tail points at the speaker when its cell lies clear of the box.
    const int mid = left + w / 2, half = scaled_font_size(10), t = settings.tile_size;
    const int base_y = entry == 2 ? top : top + h - 1;
    const int tip_x = (bubble.x - settings.view_left) * t + t / 2;
    const int tip_y =
        entry == 2 ? (bubble.y - settings.view_top + 1) * t : (bubble.y - settings.view_top) * t;
    const bool clear = entry == 2 ? tip_y <= base_y - t : tip_y >= base_y + t;
    if (clear) {
        b.set_brush(pen);
        const std::array<Point, 3> tail = {Point{mid - half, base_y}, Point{tip_x, tip_y},
                                           Point{mid + half, base_y}};
        b.polygon(tail);
        b.set_pen(colours::black);
        b.line(mid - half + 1, base_y, mid + half - 1, base_y);
    }
    b.set_font(old);
}

void draw_speech_bubbles() {
    draw_speech_bubble(1);
    draw_speech_bubble(2);
}

void clear_speech_bubbles() {
    for (int e = 1; e <= bubble_entries; ++e)
        bubbles[std::size_t(e)] = tbubble{};
}

int choose_bubble_slot(int being) {
    if (bubbles[1].trigger == 0) return 1;
    if (bubbles[2].trigger == 0) return 2;
    if (!is_being_ok(being, 0) || !has_type_flag(beings[being], tf_unique)) return 0;
    auto unique = [](int speaker) {
        return is_being_ok(speaker, 0) && has_type_flag(beings[speaker], tf_unique);
    };
    const bool u1 = unique(bubbles[1].speaker), u2 = unique(bubbles[2].speaker);
    if (u1 && u2) return 0;
    if (u1) return 2;
    if (u2) return 1;
    if (bubbles[1].trigger != bubbles[2].trigger) return bubbles[2].trigger < bubbles[1].trigger ? 1 : 2;
    if (bubbles[1].age != bubbles[2].age) return bubbles[2].age < bubbles[1].age ? 1 : 2;
    return random(2) + 1;
}

void add_speech_bubble(int being, int listener, int trigger, std::string_view text) {
    if (!is_being_ok(being, 0) || !is_in_view(beings[being].x, beings[being].y)) return;
    const int entry = choose_bubble_slot(being);
    if (entry == 0) return;
    std::string expanded;
    expand_text(text, being, listener, expanded);
    const std::string said = "$D" + expanded;
    Bitmap& b = effects_layer;
    const FontSpec old = b.font();
    b.set_font_height(settings.bubble_font_height);
    std::string wrapped;
    wrap_log_text(b, said, screen_layout.bubble_width_limit - 2 * screen_layout.bubble_margin, wrapped,
                  false);
    for (std::size_t p; (p = wrapped.find("\r\n\r\n")) != std::string::npos;)
        wrapped.erase(p, 2);
    tbubble bubble;
    bubble.speaker = being;
    bubble.x = beings[being].x;
    bubble.y = beings[being].y;
    bubble.listener = listener;
    bubble.trigger = trigger;
    bubble.text = wrapped;
    int widest = 0, lines = 0;
    for (std::size_t start = 0;;) {
        const std::size_t end = wrapped.find("\r\n", start);
        widest = std::max(widest, b.text_width(strip_colour_codes(wrapped.substr(start, end - start))));
        if (end == std::string::npos) break;
        ++lines;
        start = end + 2;
    }
    b.set_font(old);
    // Every wrapped line ends in a break.
    bubble.line_count = lines;
    bubble.width = widest;
    bubble.lifetime = int(std::trunc(0.7 * double(said.size()))) + 40;
    bubble.item_voice = trigger >= item_chatter_first && trigger < item_chatter_first + item_chatter_count;
    bubble.telepathic = has_type_flag(beings[being], tf_telepathic);
    bubble.fixed = trigger == sentient_item_drop_trigger;
    if (trigger == kills_player_trigger || trigger == rejoices_death_trigger ||
        trigger == mourns_master_trigger)
        bubble.lifetime *= 2;
    bubbles[std::size_t(entry)] = bubble;
}

void clear_all_indicators() {
    clear_indicator_lists();
    clear_speech_bubbles();
}

} // namespace dravok
