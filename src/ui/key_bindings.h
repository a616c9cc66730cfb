// Key bindings: the 53 commands with their names, texts and groups, the key names, the two
// bindings of every command with their defaults, the file "Keybindings.txt", and the look-ups
// the key handler, the help screen and every screen that prints a key use.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dravok {

constexpr int command_count = 53;
constexpr int command_group_count = 7;
constexpr int key_name_count = 89;

// Command numbers; a movement command's number is its game direction (1 north, clockwise).
enum command : int {
    NO_COMMAND = 0,
    MOVE_N = 1,
    MOVE_NE,
    MOVE_E,
    MOVE_SE,
    MOVE_S,
    MOVE_SW,
    MOVE_W,
    MOVE_NW,
    SET_MAP_POINT = 9,
    AUTOPILOT,
    EXPLORE,
    TARGET_MODE = 12,
    FIRE,
    ATTACK_MARKED,
    SWAP_AMMUNITION,
    TALENT = 16,
    TALENT_MARKED,
    REST = 18,
    REST_UNTIL_HEALED,
    YELL,
    INVENTORY = 21,
    GET,
    LOOT_LEVEL,
    SWAP_WEAPONS,
    QUICKSLOT = 25,
    QUICKSLOT_01 = 26,
    QUICKSLOT_20 = 45,
    CHARACTER_SHEET = 46,
    GAME_MENU,
    HELP,
    LOG_UP,
    LOG_DOWN,
    SWITCH_SIDEPANEL,
    SCREENSHOT,
    MAPSHOT
};

// Virtual-key codes the game itself tests.
constexpr uint8_t key_backspace = 8, key_tab = 9, key_enter = 13, key_shift = 16, key_ctrl = 17, key_alt = 18,
                  key_escape = 27, key_space = 32, key_page_up = 33, key_page_down = 34, key_end = 35,
                  key_home = 36, key_left = 37, key_up = 38, key_right = 39, key_down = 40, key_delete = 46,
                  key_f10 = 121;

// One binding: key 0 means unbound; modifier 0 none, 16 Shift, 17 Ctrl, 18 Alt.
struct tkeybinding {
    uint8_t key = 0;
    uint8_t modifier = 0;
    bool operator==(const tkeybinding&) const = default;
};
// Bindings 1 and 2 of a command sit at [command][0] and [command][1]; entry 0 is unused.
using tkeybinding_table = std::array<std::array<tkeybinding, 2>, command_count + 1>;

extern tkeybinding_table keybindings;
extern const tkeybinding_table keybinding_defaults;

extern const std::array<std::string, command_count + 1> command_names;
extern const std::array<std::string, command_count + 1> command_descriptions;
extern const std::array<std::string, command_count + 1> command_labels;
extern const std::array<std::string, command_count + 1> command_help_texts;
extern const std::array<std::string, command_group_count + 1> command_groups;
// First and last command of each group.
extern const std::array<std::array<int, 2>, command_group_count + 1> command_group_ranges;

extern const std::array<std::string, key_name_count + 1> key_names;
extern const std::array<uint8_t, key_name_count + 1> key_codes;

// Help-screen state: the mode to return to and the highlighted key and modifier (0 = none).
extern int32_t help_return_mode;
extern uint8_t help_key;
extern uint8_t help_modifier;

// The first command, in number order, with a binding of exactly this key and modifier; 0 when none.
int command_for_key(int key, int modifier);
// The command whose name equals the text (case-sensitive); 0 when none.
int command_by_name(std::string_view text);
// The first movement command 1..8 (1, 3, 5, 7 when cardinal only) bound to this key with any
// modifier; 0 when none.
int movement_command_for_key(int key, bool cardinal_only);
// Trimmed text to a key code: "" 0, "#dec", "$hex", or a key name; 0 when unknown or outside 1..255.
int key_code_from_text(std::string_view text);
// The name of a code: the first name in the table, or "#code" for a code that has none.
std::string key_name(int code);
// Display text of a key (key >= 1) or of a command's binding(s); see the key-bindings screen.
std::string binding_text(int key, int modifier, int command, bool caps, bool short_form, int binding);

void reset_keybindings();
// "Keybindings.txt" in the data folder; written with the defaults when missing.
void load_keybindings(const std::string& path);
bool save_keybindings(const std::string& path);

} // namespace dravok
