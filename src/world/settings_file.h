// The settings file "Data/Settings.txt": the player's preferences, one key per line, read into
// the settings record at start-up and written back when the player leaves the settings menu.
// Called by the window's start-up (which then applies the view size) and the settings menu.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace dravok {

// One parsed line: its key, its value text, the value as an integer (0 when it is none) and
// the flag (1 when the value starts with "Y" or "y").
struct tsetting_row {
    std::string key;
    std::string text;
    int32_t value = 0;
    uint8_t flag = 0;
};

// "no int" and "no flag" for format_setting_row.
inline constexpr int no_setting_value = -999;

// Reads the file into the settings (a missing file is written with the settings as they are);
// a bad or missing value leaves its field as it was.
void load_settings();
// False when the file could not be written.
bool save_settings();
// "Data/Settings.txt" beside the program.
std::string settings_path();
// The lines of a settings file applied to the settings, as load_settings does with the file.
void apply_settings_text(std::string_view text);

void parse_setting_row(std::string_view line, tsetting_row& row);
// The key dotted to 22 characters, a blank and the value: the int when given, else "Y" or "N"
// for a given flag (1 is "Y"), else the text, "-" when it is empty.
void format_setting_row(std::string_view key, std::string_view text, int value, std::string& line, int flag);

} // namespace dravok
