// The help screen; see help_screen.h.
#include "ui/help_screen.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ui/book_screens.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/layout.h"
#include "ui/marked_text.h"
#include "ui/text_boxes.h"
#include "world/game_modes.h"
#include "world/message_log.h"
#include "world/rounding.h"
#include "world/settings_record.h"
#include "world/text_database.h"

namespace dravok {

const std::array<std::vector<std::string>, 2> general_help_hints = {{
    {"Press a bound key to get a description of the command.",
     "Press [[ SHIFT ]], [[ CONTROL ]] or [[ ALT ]] to see bindings that require one of those keys.",
     "Most interaction is done by bumping (moving) into things like creatures or furniture.",
     "Bump into a hostile creature to make a melee attack against it.",
     "Bump into a friendly creature to swap places with it.",
     "Bump into a closed door or a closed container to open it.",
     "Furniture containers (chests, tables etc.) can be looted by bumping into them.",
     "Torches and other lightsources can be lit and unlit by bumping into them.",
     "Stairs and teleporters can be used by bumping into them.",
     "Traps can be interacted with by bumping into them."},
    {"[[ SHIFT ]] + [[ ARROW ]] to move diagonally with arrow keys.",
     "[[ CONTROL ]] + direction key to continuously walk at direction (only cardinal directions).",
     "[[ CONTROL ]] + direction key vs a hostile creature to try to displace (swap places with) it.",
     "[[ CONTROL ]] + direction key vs a friendly creature to interact with it.",
     "[[ ALT ]] + direction key to close doors.",
     "[[ ALT ]] + [[ ENTER ]] to switch between fullscreen and windowed mode.",
     "[[ ALT ]] + [[ BACKSPACE ]] to switch between maximized and minimized game screen."},
}};

namespace {

constexpr int max_keyboard_width = 1600;
constexpr int units_across = 23, unit_gaps = 66, key_gap = 3;
constexpr int font_base_width = 1280, font_points = 8;
constexpr Colour plain_face = 0x222222, bound_face = 0x333344, marked_face = 0x553333, text_colour = 0xBBBBBB;

// The text between <name> and </name> from the start of the view, and the view after it.
std::optional<std::string_view> element(std::string_view& text, std::string_view name) {
    const std::string open = "<" + std::string(name) + ">", close = "</" + std::string(name) + ">";
    const std::size_t a = text.find(open);
    if (a == std::string_view::npos) return std::nullopt;
    const std::size_t b = text.find(close, a + open.size());
    if (b == std::string_view::npos) return std::nullopt;
    const std::string_view inner = text.substr(a + open.size(), b - a - open.size());
    text.remove_prefix(b + close.size());
    return inner;
}

std::string field(std::string_view key, std::string_view name) {
    const auto value = element(key, name);
    return value ? std::string(*value) : std::string();
}

int number(std::string_view key, std::string_view name, int otherwise) {
    const std::string text = field(key, name);
    if (text.empty()) return otherwise;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return end != text.c_str() ? int(value) : otherwise;
}

int code_of_key_name(const std::string& name) {
    for (int i = 1; i <= key_name_count; ++i)
        if (same_name_ignoring_case(key_names[i], name)) return key_codes[i];
    return 0;
}

std::string key_cap_text(int code) {
    std::string text = "[[ " + key_name(code) + " ]]";
    for (char& c : text)
        if (c == '_') c = ' ';
    return text;
}

std::string capitals(std::string text) {
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

void draw_key_cap(Bitmap& b, int x, int y, const std::string& labels, const std::string& key_text, int bevel,
                  Colour label_colour, Colour key_text_colour, Colour face, int height, int width) {
    if (face == 0) return;
    b.fill_rect(Rect{x, y, x + width, y + height}, face);
    const Colour light = scale_colour(face, 1.35), dark = scale_colour(face, 0.5);
    for (int i = 0; i < bevel; ++i) {
        b.set_pen(light);
        b.line(x + i, y + i, x + width - i, y + i);
        b.line(x + i, y + i, x + i, y + height - i);
        b.set_pen(dark);
        b.line(x + width - 1 - i, y + height - 1 - i, x + i, y + height - 1 - i);
        b.line(x + width - 1 - i, y + height - 1 - i, x + width - 1 - i, y + i);
    }
    std::string_view t = key_text;
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    if (t.empty()) return;
    b.set_brush_clear();
    const int th = b.text_height(key_text);
    b.set_font_colour(key_text_colour);
    b.text_out(x + 4 + bevel, y + 2 + bevel, key_text);
    b.set_font_colour(label_colour);
    int ly = y + 2 + bevel + round_half_even(1.1 * th);
    std::string_view rest = labels;
    while (!labels.empty()) {
        const std::size_t bar = rest.find('|');
        std::string part(rest.substr(0, bar));
        while (!part.empty() && part.front() == ' ')
            part.erase(part.begin());
        while (!part.empty() && part.back() == ' ')
            part.pop_back();
        b.text_out(x + 4 + bevel, ly, part);
        ly += th;
        if (bar == std::string_view::npos) break;
        rest.remove_prefix(bar + 1);
    }
}

namespace {

// How one key is shown, and the title and help of the key asked about.
struct tkey_look {
    Colour face = plain_face;
    std::string labels;
};
struct tasked_key {
    std::string title, help;
};

// The command a key is bound to under the held modifier, with the keys the game itself binds:
// walking and closing doors, the full screen and the maximized screen.
void look_up_key(int code, int modifier, tkey_look& look, tasked_key& asked) {
    const bool marked = code == help_key;
    if (const int c = command_for_key(code, modifier)) {
        look.face = bound_face;
        look.labels = command_labels[c];
        if (marked) {
            look.face = marked_face;
            asked.title = command_descriptions[c];
            asked.help = command_help_texts[c];
        }
    }
    if (modifier != 0 && code == modifier) look.face = marked_face;
    if (modifier == key_ctrl && movement_command_for_key(code, true) != 0) {
        look.face = marked ? marked_face : bound_face;
        look.labels = "Cont.|walk";
        if (marked) {
            asked.title = "Continuous walk at direction";
            asked.help = "Move continuously at wanted direction. The walk is interrupted by walls, "
                         "furniture, "
                         "items, found secret doors, traps and hostile creatures.";
        }
    } else if (modifier == key_alt && movement_command_for_key(code, false) != 0) {
        look.face = marked ? marked_face : bound_face;
        look.labels = "Close|door";
        if (marked) {
            asked.title = "Close door at direction";
            asked.help = "Close door at direction.";
        }
    }
    // Our layout names these two keys by their codes: "Enter" and "Back" on the caps.
    if (modifier == key_alt && code == key_enter) {
        look.face = marked ? marked_face : bound_face;
        look.labels = "Full|screen";
        if (marked) {
            asked.title = "Fullscreen / Windowed";
            asked.help = "Switch between fullscreen and windowed mode.";
        }
    } else if (modifier == key_alt && code == key_backspace) {
        look.face = marked ? marked_face : bound_face;
        look.labels = "Max|screen";
        if (marked) {
            asked.title = "Maximize / Minimize";
            asked.help = "Switch between maximized and minimized game screen.";
        }
    }
}

// Draws the layout's rows of keys from y on, each centred in the width W, a unit u wide and h
// high; keys may stretch to the right edge of an earlier block. Returns the y below the rows.
int draw_key_rows(Bitmap& b, std::string_view layout, int W, int K, int u, int h, int y, tasked_key& asked) {
    std::array<int, 3> block_right{};
    const int modifier = help_modifier;
    std::string_view rows = layout;
    while (const auto row = element(rows, "row")) {
        int x = (W - K) / 2;
        std::string_view keys = *row;
        while (const auto key = element(keys, "key")) {
            int kw = int(std::trunc(number(*key, "w", 100) / 100.0 * u));
            const int stretch = number(*key, "stretch", 0);
            if (stretch >= 1 && stretch <= 2) kw = block_right[stretch] - x;
            const int height = number(*key, "double_height", 0) > 0 ? 2 * h + 3 : h;
            tkey_look look;
            const std::string t = field(*key, "t");
            const int code = code_of_key_name(field(*key, "vk"));
            if (code != 0) look_up_key(code, modifier, look, asked);
            if (!t.empty())
                draw_key_cap(b, x, y, look.labels, t, 3, 0xCCCCCC, 0x999999, look.face, height, kw);
            const int block = number(*key, "block", 0);
            if (block >= 1 && block <= 2) block_right[block] = x + kw;
            x += kw + key_gap;
        }
        y += h + key_gap + scaled(3 * number(*row, "extra_row_space", 0));
    }
    return y;
}

// With no key asked about, the general hints on moving and bumping, in two columns; returns the
// y below the longer column.
int draw_general_help(int x, int y, int W, int L, auto text) {
    const int top = y;
    const auto& left = general_help_hints[0];
    y = text(x, y, left[0]);
    y = text(x, y, left[1]);
    y = text(x, y + L, left[2]);
    for (std::size_t i = 3; i < left.size(); ++i)
        y = text(x, y, left[i]);
    const int left_bottom = y;
    x = W / 2;
    y = top;
    const auto& right = general_help_hints[1];
    for (std::size_t i = 0; i + 2 < right.size(); ++i)
        y = text(x, y, right[i]);
    y = text(x, y + L, right[right.size() - 2]);
    y = text(x, y, right.back());
    return std::max(left_bottom, y);
}

// The height of the layout's rows of keys, h high each, with their gaps and extra spaces.
int key_rows_height(std::string_view layout, int h) {
    int height = 0;
    std::string_view rows = layout;
    while (const auto row = element(rows, "row"))
        height += h + key_gap + scaled(3 * number(*row, "extra_row_space", 0));
    return height;
}

// The title and help of the layout's key asked about under the held modifier, empty when none is.
tasked_key key_asked_about(std::string_view layout) {
    tasked_key asked;
    std::string_view rows = layout;
    while (const auto row = element(rows, "row")) {
        std::string_view keys = *row;
        while (const auto key = element(keys, "key")) {
            tkey_look look;
            const int code = code_of_key_name(field(*key, "vk"));
            if (code != 0 && code == help_key) look_up_key(code, help_modifier, look, asked);
        }
    }
    return asked;
}

// The text under the keyboard from y on: the general hints, or the key asked about, wrapped to
// the width T; drawn only when `draw` is set. Returns its height.
int help_text(Bitmap& b, int y, int L, int T, int W, int x, const tasked_key& asked, bool draw) {
    const int top = y;
    // Each hint directly under the previous one; a line with key caps keeps them clear of its
    // neighbours, since a cap reaches above and below the text.
    const int pad = key_cap_overhang() + 1;
    bool padded = false; // the line above already left room below its caps
    auto text = [&](int at_x, int at_y, const std::string& s) {
        if (strip_colour_codes(s).empty()) return at_y;
        std::string wrapped;
        wrap_log_text(b, s, T, wrapped, false);
        std::string_view rest = wrapped;
        while (rest.ends_with("\r\n"))
            rest.remove_suffix(2);
        while (true) {
            const std::size_t end = rest.find("\r\n");
            const std::string_view line = rest.substr(0, end);
            const bool caps = line.find("[[") != std::string_view::npos;
            if (caps && !padded) at_y += pad;
            if (draw) draw_marked_line(b, line, at_x, false, at_y);
            at_y += L;
            padded = caps;
            if (caps) at_y += pad;
            if (end == std::string_view::npos) break;
            rest.remove_prefix(end + 2);
        }
        return at_y;
    };
    if (asked.title.empty()) return draw_general_help(x, y, W, L, text) - top;
    std::string keys;
    if (help_modifier != 0) keys = key_cap_text(help_modifier) + " + ";
    keys += key_cap_text(help_key);
    y = text(x, y, keys);
    y = text(x, y, capitals(asked.title));
    return text(x, y, asked.help) - top;
}

} // namespace

void draw_keyboard(Bitmap& b, std::string_view layout, int width, int M) {
    b.clear(colours::black);
    const int W = width, Wk = std::min(W, max_keyboard_width);
    const int L = settings.log_line_height;
    FontSpec narrow = b.font();
    narrow.family = "Arial Narrow";
    narrow.height = FontSpec::points_to_pixels(round_half_even(double(Wk) / font_base_width * font_points));
    b.set_font(narrow);
    const int u = (Wk - 2 * M - unit_gaps) / units_across;
    const int h = round_half_even(1.1 * u);
    const int K = units_across * u + unit_gaps;
    const int rows_height = key_rows_height(layout, h);
    const int T = Wk / 2 - 2 * M;
    const FontSpec keys_font = b.font();
    b.set_font(side_panel.font());
    tasked_key asked = key_asked_about(layout);
    // The hints are wrapped before anything is drawn, so the keyboard and the text below it are
    // centred together on the screen whatever the width makes of the lines.
    const int text_height = 2 * L + help_text(b, 0, L, T, W, (W - K) / 2, asked, false);
    const int y = std::max(0, (b.height() - rows_height - text_height) / 2);
    b.set_font(keys_font);
    const int below_keys = draw_key_rows(b, layout, W, K, u, h, y, asked);

    b.set_brush(colours::black);
    b.set_font(side_panel.font());
    b.set_font_colour(text_colour);
    help_text(b, below_keys + 2 * L, L, T, W, (W - K) / 2, asked, true);
}

void draw_help_screen() {
    std::string layout;
    if (const int section = find_text_section("keyboard_layout"); section > 0)
        get_section_block(section, "keyboard_layout", layout);
    if (layout.empty()) {
        // Nothing to show: back where the help was opened from.
        game_mode = help_return_mode != 0 ? help_return_mode : mode_main;
        return;
    }
    screen_bitmap.set_font(side_panel.font());
    draw_keyboard(screen_bitmap, layout, screen_bitmap.width(), settings.icon_size);
    screen_bitmap.set_font(side_panel.font());
}

} // namespace dravok
