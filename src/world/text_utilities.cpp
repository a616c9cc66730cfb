// Small text operations and the name generator; see text_utilities.h.
#include "world/text_utilities.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "platform/bitmap.h"
#include "world/message_log.h"
#include "world/random.h"

namespace dravok {

namespace {

constexpr std::string_view line_break = "\r\n";
constexpr std::string_view vowels = "aeiouy";
constexpr std::string_view consonants = "bcdfghjklmnpqrstvwxyz";

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    for (std::size_t at = text.find(line_break); at != std::string_view::npos;
         at = text.find(line_break, from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + line_break.size();
    }
    lines.push_back(text.substr(from));
    return lines;
}

bool is_vowel(char c) {
    return vowels.find(c) != std::string_view::npos;
}

// One of the remaining consonants, drawn and taken out of them.
char take_consonant(std::string& left) {
    const std::size_t k = std::size_t(random(int32_t(left.size())));
    const char c = left[k];
    left.erase(k, 1);
    return c;
}

constexpr int shuffle_swaps = 50;
constexpr int consonant_chance = 6; // in 10
constexpr int name_chance_sides = 10;
constexpr int longest_vowel_run = 3;
constexpr int rescramble_tries = 100;

bool chance_of_consonant() {
    return random(name_chance_sides) < consonant_chance;
}

} // namespace

std::string capitalize(std::string_view text) {
    std::string out(text);
    if (!out.empty()) out[0] = char(std::toupper(static_cast<unsigned char>(out[0])));
    return out;
}

std::string signed_number_text(int n) {
    return n >= 1 ? "+" + std::to_string(n) : std::to_string(n);
}

std::string file_safe_name(std::string_view name) {
    std::string out;
    for (const char c : name) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                          c == ' ' || c == '-' || c == '_';
        out += kept ? c : '_';
    }
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return "_";
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string replace_all(std::string_view text, std::string_view old_part, std::string_view new_part) {
    std::string out(text);
    // A replacement holding what it replaces would never end.
    if (old_part.empty() || new_part.find(old_part) != std::string_view::npos) return out;
    for (std::size_t at = out.find(old_part); at != std::string::npos; at = out.find(old_part))
        out.replace(at, old_part.size(), new_part);
    return out;
}

int count_lines(std::string_view text) {
    int breaks = 0;
    std::size_t after_last = 0;
    for (std::size_t at = text.find(line_break); at != std::string_view::npos;
         at = text.find(line_break, after_last)) {
        ++breaks;
        after_last = at + line_break.size();
    }
    return breaks + (after_last < text.size() ? 1 : 0);
}

int count_and_delete(std::string_view text, std::string_view part) {
    if (part.empty()) return 0;
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size()))
        ++count;
    return count;
}

std::string delete_all(std::string_view text, std::string_view part) {
    return replace_all(text, part, "");
}

std::string drop_lines(std::string_view text, int n) {
    for (int i = 0; i < n; ++i) {
        const std::size_t at = text.find(line_break);
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + line_break.size());
    }
    return std::string(text);
}

std::string spaced_title(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (!out.empty()) out += ' ';
        out += c;
    }
    return out;
}

std::string append_with_comma(std::string_view list, std::string_view item) {
    if (list.empty()) return std::string(item);
    if (item.empty()) return std::string(list);
    return std::string(list) + ", " + std::string(item);
}

std::string last_comma_to_and(std::string_view text) {
    std::string out(text);
    const std::size_t at = out.rfind(',');
    if (at != std::string::npos) out.replace(at, 1, " and");
    return out;
}

std::string join_list(std::string_view lines) {
    std::string out;
    for (std::string_view line : split_lines(lines))
        out = append_with_comma(out, line);
    return out;
}

int widest_line_width(const Bitmap& canvas, std::string_view text) {
    int widest = 0;
    for (std::string_view line : split_lines(text))
        widest = std::max(widest, canvas.text_width(strip_colour_codes(line)));
    return widest;
}

void wrapped_text_size(const Bitmap& canvas, std::string_view text, int line_height, int& width,
                       int& height) {
    width = widest_line_width(canvas, text);
    height = int(split_lines(text).size()) * line_height;
}

std::string hours_text(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds / 3600.0);
    std::string out(text);
    for (char& c : out)
        if (c == ',') c = '.';
    return out;
}

std::string scramble_name(std::string_view seed) {
    std::string lower;
    for (char c : seed)
        lower += char(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t first = lower.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    lower = lower.substr(first, lower.find_last_not_of(" \t\r\n") - first + 1);
    if (lower.size() == 1) return lower;

    std::string name, left;
    for (char c : lower) {
        if (is_vowel(c))
            name += c;
        else if (consonants.find(c) != std::string_view::npos)
            left += c;
    }
    if (!name.empty()) {
        for (int i = 0; i < shuffle_swaps; ++i) {
            const std::size_t a = std::size_t(random(int32_t(name.size())));
            const std::size_t b = std::size_t(random(int32_t(name.size())));
            std::swap(name[a], name[b]);
        }
    }
    if (!left.empty() && !name.empty() && is_vowel(name[0]) && chance_of_consonant())
        name.insert(name.begin(), take_consonant(left));

    // Break up runs of vowels: after one at the start or two now and then, after three always.
    int run = 0;
    for (std::size_t p = 0; p < name.size() && !left.empty(); ++p) {
        run = is_vowel(name[p]) ? run + 1 : 0;
        const bool insert = (run == 1 && p == 0 && chance_of_consonant()) ||
                            (run == 2 && chance_of_consonant()) || run >= longest_vowel_run;
        if (!insert) continue;
        name.insert(name.begin() + std::ptrdiff_t(p), take_consonant(left));
        run = 0;
        ++p;
    }
    if (!left.empty() && !name.empty() && is_vowel(name.back()) && chance_of_consonant())
        name += take_consonant(left);
    // A seed without vowels starts from its first consonant, so no letter is lost.
    if (name.empty() && !left.empty()) {
        name += left[0];
        left.erase(0, 1);
    }
    for (char c : left) {
        const std::size_t at = std::size_t(random(int32_t(name.size())));
        name.insert(name.begin() + std::ptrdiff_t(at), c);
    }
    return name;
}

std::string random_name_from(std::string_view seed) {
    std::string lower;
    for (char c : seed)
        lower += char(std::tolower(static_cast<unsigned char>(c)));
    std::string name = scramble_name(lower);
    for (int i = 0; i < rescramble_tries && name.size() > 1 && name == lower; ++i)
        name = scramble_name(lower);
    return capitalize(name);
}

} // namespace dravok
