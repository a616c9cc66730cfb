// The settings file; see settings_file.h.
#include "world/settings_file.h"

#include <charconv>
#include <optional>
#include <vector>

#include "platform/files.h"
#include "world/rounding.h"
#include "world/settings_record.h"

namespace dravok {

std::string settings_path() {
    return program_folder() + "Data/Settings.txt";
}

namespace {

constexpr std::size_t key_width = 22;
constexpr const char* value_separator = ".. ";
constexpr int zoom_percent = 100;
constexpr int least_zoom_percent = 80, greatest_zoom_percent = 150;
constexpr int small_tiles = 32, large_tiles = 64;
constexpr int view_height_limit = 255;
constexpr std::size_t default_name_length = 20;

enum class tkind { flag, number, text, zoom, tile_size };

// One key of the file: its field, what it accepts, and whether a blank line follows it.
struct tsetting_key {
    const char* key;
    tkind kind;
    uint8_t* flag = nullptr;
    int32_t* number = nullptr;
    std::string* text = nullptr;
    int least = 0;
    int greatest = 0; // for the view heights, the screen's maximum is the upper bound
    int32_t* greatest_from = nullptr;
    bool blank_after = false;
};

std::vector<tsetting_key> setting_keys() {
    tsettings& s = settings;
    return {
        {"check_updates", tkind::flag, &s.check_updates, nullptr, nullptr, 0, 0, nullptr, true},
        {"tile_size", tkind::tile_size, nullptr, &s.tile_size, nullptr, 0, 0, nullptr, true},
        {"tiles_32_horizontal", tkind::number, nullptr, &s.view_width_32, nullptr, 23, 128},
        {"tiles_32_vertical", tkind::number, nullptr, &s.view_height_32, nullptr, 17, view_height_limit,
         &s.max_view_height_32, true},
        {"tiles_64_horizontal", tkind::number, nullptr, &s.view_width_64, nullptr, 11, 64},
        {"tiles_64_vertical", tkind::number, nullptr, &s.view_height_64, nullptr, 9, view_height_limit,
         &s.max_view_height_64, true},
        {"zoom", tkind::zoom, nullptr, nullptr, nullptr, 0, 0, nullptr, true},
        {"fullscreen", tkind::flag, &s.fullscreen, nullptr, nullptr, 0, 0, nullptr, true},
        {"push_scroll", tkind::flag, &s.push_scroll},
        {"offscreen_warning", tkind::flag, &s.offscreen_warning},
        {"auto_map_points", tkind::flag, &s.auto_map_points},
        {"auto_quickslots", tkind::flag, &s.auto_quickslots},
        {"auto_use_key", tkind::flag, &s.auto_use_key},
        {"create_obituary", tkind::flag, &s.create_obituary, nullptr, nullptr, 0, 0, nullptr, true},
        {"game_font", tkind::text, nullptr, nullptr, &s.game_font},
        {"game_font_height", tkind::number, nullptr, &s.game_font_height, nullptr, 6, 30, nullptr, true},
        {"title_font", tkind::text, nullptr, nullptr, &s.title_font, 0, 0, nullptr, true},
        {"default_name", tkind::text, nullptr, nullptr, &s.default_name},
    };
}

std::string_view trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// The whole text as a decimal integer, else 0.
int32_t integer_or_zero(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

// The default name is offered in the name field, which takes letters, digits, blanks and "-".
std::string name_field_text(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                          c == ' ' || c == '-';
        if (kept) out += c;
    }
    return std::string(trim(out.substr(0, default_name_length)));
}

void apply_row(const tsetting_key& k, const tsetting_row& row) {
    switch (k.kind) {
    case tkind::flag:
        *k.flag = row.flag;
        break;
    case tkind::text:
        *k.text = row.text;
        break;
    case tkind::tile_size:
        if (row.value == small_tiles || row.value == large_tiles) *k.number = row.value;
        break;
    case tkind::zoom:
        if (row.value >= least_zoom_percent && row.value <= greatest_zoom_percent)
            settings.zoom = static_cast<double>(row.value) / zoom_percent;
        break;
    case tkind::number: {
        const int greatest = k.greatest_from ? std::min(*k.greatest_from, k.greatest) : k.greatest;
        if (row.value >= k.least && row.value <= greatest) *k.number = row.value;
        break;
    }
    }
}

} // namespace

void parse_setting_row(std::string_view line, tsetting_row& row) {
    row = tsetting_row{};
    const std::size_t p = line.find(value_separator);
    if (p == std::string_view::npos) return;
    for (const char c : trim(line.substr(0, p)))
        if (c != '.') row.key += c;
    row.text = trim(line.substr(p + std::string_view(value_separator).size()));
    if (row.text == "-") row.text.clear();
    row.value = integer_or_zero(row.text);
    row.flag = !row.text.empty() && (row.text.front() == 'Y' || row.text.front() == 'y') ? 1 : 0;
}

void format_setting_row(std::string_view key, std::string_view text, int value, std::string& line, int flag) {
    line = key;
    if (line.size() < key_width) line.append(key_width - line.size(), '.');
    line += ' ';
    if (value != no_setting_value)
        line += std::to_string(value);
    else if (flag != no_setting_value)
        line += flag == 1 ? "Y" : "N";
    else
        line += text.empty() ? std::string_view("-") : text;
}

void load_settings() {
    const std::optional<std::string> file = read_text_file(settings_path());
    if (!file) {
        save_settings();
        return;
    }
    apply_settings_text(*file);
}

void apply_settings_text(std::string_view text) {
    const std::vector<tsetting_key> keys = setting_keys();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        tsetting_row row;
        parse_setting_row(line, row);
        for (const tsetting_key& k : keys)
            if (row.key == k.key) apply_row(k, row);
    }
    settings.default_name = name_field_text(settings.default_name);
    // A font without a name would leave the text unreadable.
    const tsettings defaults{};
    if (settings.game_font.empty()) settings.game_font = defaults.game_font;
    if (settings.title_font.empty()) settings.title_font = defaults.title_font;
}

bool save_settings() {
    std::string text;
    for (const tsetting_key& k : setting_keys()) {
        std::string line;
        switch (k.kind) {
        case tkind::flag:
            format_setting_row(k.key, "", no_setting_value, line, *k.flag);
            break;
        case tkind::text:
            format_setting_row(k.key, *k.text, no_setting_value, line, no_setting_value);
            break;
        case tkind::zoom:
            format_setting_row(k.key, "", round_half_even(settings.zoom * zoom_percent), line,
                               no_setting_value);
            break;
        case tkind::number:
        case tkind::tile_size:
            format_setting_row(k.key, "", *k.number, line, no_setting_value);
            break;
        }
        text += line + "\r\n";
        if (k.blank_after) text += "\r\n";
    }
    return write_file(settings_path(), text);
}

} // namespace dravok
