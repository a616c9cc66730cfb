// Helpers shared by the effect handlers.
#include "rules/effect_support.h"
#include "records/layout_being.h"

#include "rules/effects.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/indicators.h"
#include "world/map.h"
#include "world/player.h"
#include "world/services.h"
#include "world/text_expand.h"

namespace dravok {

std::string trimmed_text(std::string_view text) {
    std::size_t a = 0, b = text.size();
    while (a < b && text[a] == ' ')
        ++a;
    while (b > a && text[b - 1] == ' ')
        --b;
    return std::string(text.substr(a, b - a));
}

void append_message(std::string_view sentence) {
    if (sentence.empty()) return;
    std::string text = message_text;
    if (!text.empty()) text += ' ';
    text += sentence;
    message_text = trimmed_text(text);
}

namespace {

template <typename T>
std::string fill(std::string_view format, std::initializer_list<T> values, auto to_text) {
    std::string out;
    auto next = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size()) {
            const char d = format[i + 1];
            if (d == '%') {
                out += '%';
                ++i;
                continue;
            }
            if ((d == 's' || d == 'd') && next != values.end()) {
                out += to_text(*next++);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

std::string format_text(std::string_view format, std::initializer_list<std::string> values) {
    return fill(format, values, [](const std::string& s) { return s; });
}

std::string format_text(std::string_view format, std::initializer_list<int> values) {
    return fill(format, values, [](int n) { return std::to_string(n); });
}

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 'a' + 'A');
    return text;
}

bool player_sees_being(int being) {
    if (!is_being_ok(player) || being < 1 || being >= int(beings.size())) return false;
    return being == player || services.can_see(player, being, 0, 0) != 0;
}

bool player_sees_cell(int x, int y) {
    return is_being_ok(player) && on_map(x, y) && services.can_see(player, 0, x, y) != 0;
}

void float_over_being(int being, std::string_view text, uint32_t colour) {
    if (!player_sees_being(being)) return;
    add_indicator(beings[being].x, beings[being].y, text, colour, true, being);
}

void float_on_cell(int x, int y, std::string_view text, uint32_t colour) {
    if (!player_sees_cell(x, y)) return;
    add_indicator(x, y, text, colour, false, 0);
}

std::string being_sentence(int being, std::string_view format, std::string_view verb_for_others,
                           std::string_view verb_for_player) {
    std::string out;
    action_sentence(being, 0, format, out, verb_for_others, verb_for_player);
    return out;
}

} // namespace dravok
