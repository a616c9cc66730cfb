// Key bindings: command table, key names, defaults, look-ups and the bindings file.
#include "ui/key_bindings.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <sstream>

#include "platform/files.h"
#include "world/tables.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

using text_table = std::array<std::string, command_count + 1>;

std::string two_digits(int n) {
    std::string s = std::to_string(n);
    return n < 10 ? "0" + s : s;
}

// Fills the 20 quickslot rows (commands 26..45) from a maker of the text of slot n.
template <class F> void fill_quickslots(text_table& t, F make) {
    for (int n = 1; n <= 20; ++n)
        t[QUICKSLOT_01 + n - 1] = make(n);
}

// The command vocabulary is the text expansion's, so that "%COMMAND%" and the bindings file agree.
text_table make_names() {
    text_table t;
    for (int c = 0; c <= command_count; ++c)
        t[c] = placeholder_command_names[c];
    return t;
}

text_table make_descriptions() {
    text_table t = {"",
                    "Move north",
                    "Move northeast",
                    "Move east",
                    "Move southeast",
                    "Move south",
                    "Move southwest",
                    "Move west",
                    "Move northwest",
                    "Set map point",
                    "Autopilot",
                    "Autopilot to nearest unexplored",
                    "Target mode",
                    "Fire ranged",
                    "Ranged / reach attack marked target",
                    "Swap ammunition",
                    "Use talent",
                    "Use talent at marked target",
                    "Rest / search",
                    "Rest until healed",
                    "Yell",
                    "Inventory",
                    "Get items from current location",
                    "Loot items from level",
                    "Swap weapon set",
                    "Quickslots"};
    fill_quickslots(t, [](int n) { return "Quickslot " + two_digits(n); });
    const char* tail[] = {"Character sheet", "Game menu",       "Keyboard help",
                          "Scroll log up",   "Scroll log down", "Quickslots / items on ground",
                          "Screenshot",      "Mapshot"};
    for (int i = 0; i < 8; ++i)
        t[CHARACTER_SHEET + i] = tail[i];
    return t;
}

text_table make_labels() {
    text_table t = {"",
                    "N",
                    "NE",
                    "E",
                    "SE",
                    "S",
                    "SW",
                    "W",
                    "NW",
                    "Map|point",
                    "Auto|pilot",
                    "Explore",
                    "Target|mode",
                    "Fire|ranged",
                    "Attack|marked",
                    "Swap|ammo",
                    "Use|talent",
                    "Talent|marked",
                    "Rest",
                    "Rest|healed",
                    "Yell",
                    "Inv.",
                    "Get|items",
                    "Loot|items",
                    "Swap|wpns",
                    "Quick|slots"};
    fill_quickslots(t, [](int n) { return "Quick|" + two_digits(n); });
    const char* tail[] = {"Char|sheet", "Game|menu",       "This|help",   "Log|up",
                          "Log|down",   "Switch|QS/items", "Screen|shot", "Map|shot"};
    for (int i = 0; i < 8; ++i)
        t[CHARACTER_SHEET + i] = tail[i];
    return t;
}

// Help texts are Windows-1252: \x92 is the right single quotation mark.
text_table make_help_texts() {
    text_table t = {
        "",
        "Move north.",
        "Move northeast.",
        "Move east.",
        "Move southeast.",
        "Move south.",
        "Move southwest.",
        "Move west.",
        "Move northwest.",
        "Set a map point at your current location. Map points are automatically set by default. "
        "This can be changed from the settings. If you have set all 9 map points then the next set "
        "map point replaces the closest map point.",
        "Start autopilot mode where you can select a wanted destination on the map and automatically "
        "travel there.",
        "Autopilot to nearest unexplored location directly without entering the autopilot mode. "
        "Tries first to fully explore the current room you\x92re in.",
        "In target mode you can examine map elements and creatures. Pressing the key again cycles "
        "between seen creatures.",
        "Make a ranged, reach or throw attack depending on the current weapon. Pressing the key "
        "again cycles between hostile targets.",
        "Makes a ranged or reach attack on a creature marked with red corner lines. If the lines are "
        "aqua, the attack will be a throw attack.",
        "Quick switch ammunition for the current ranged weapon. This is a free action (doesn\x92t "
        "take time).",
        "Opens the talent list for browsing or selecting a talent. In most cases it is easier to use "
        "quickslots for fast talent use.",
        "Use the last used talent on a creature marked with yellow corner lines.",
        "Rest for 1 round.",
        "Rest until healed or until interrupted by hostile creatures. If you already are at full "
        "health you rest for 100 rounds or until interrupted. The rest can be stopped by pressing "
        "any key.",
        "Yell and make noise to attract creatures.",
        "Open the equipment / inventory screen.",
        "Get items from current location.",
        "Shows a list of items from all explored areas on the level. Items on the floor and items "
        "from opened / checked furniture containers are included. Select an item on the list and "
        "you will be autopiloted to it and the item will be picked up.",
        "Switch between the two weapon sets. The weapon sets are set in the equipment / inventory "
        "screen.",
        "Manage quickslots."};
    fill_quickslots(
        t, [](int n) { return "Use quickslot " + std::to_string(n) + " or set it if the slot is empty."; });
    const char* tail[] = {
        "Character sheet.",
        "Game menu.",
        "Keyboard help.",
        "Scroll log up.",
        "Scroll log down.",
        "If you are standing on a floor tile which has items then the right sidepanel lists them. "
        "You can switch between the items view and the quickslots view with this command.",
        "Takes a screenshot.",
        "Saves the current level map as a picture."};
    for (int i = 0; i < 8; ++i)
        t[CHARACTER_SHEET + i] = tail[i];
    return t;
}

tkeybinding_table make_defaults() {
    constexpr uint8_t shift = key_shift, ctrl = key_ctrl;
    tkeybinding_table t{};
    auto set = [&](int c, tkeybinding b1, tkeybinding b2 = {}) { t[c] = {b1, b2}; };
    set(MOVE_N, {104}, {key_up});
    set(MOVE_NE, {105}, {key_up, shift});
    set(MOVE_E, {102}, {key_right});
    set(MOVE_SE, {99}, {key_right, shift});
    set(MOVE_S, {98}, {key_down});
    set(MOVE_SW, {97}, {key_down, shift});
    set(MOVE_W, {100}, {key_left});
    set(MOVE_NW, {103}, {key_left, shift});
    set(SET_MAP_POINT, {'M'});
    set(AUTOPILOT, {'A'});
    set(EXPLORE, {'E'});
    set(TARGET_MODE, {key_tab});
    set(FIRE, {'F'});
    set(ATTACK_MARKED, {'R'});
    set(SWAP_AMMUNITION, {'Q'});
    set(TALENT, {'X'});
    set(TALENT_MARKED, {'T'});
    set(REST, {101}, {'Z'});
    set(REST_UNTIL_HEALED, {96}, {'S'});
    set(YELL, {'Y'});
    set(INVENTORY, {key_enter}, {'I'});
    set(GET, {'G'});
    set(LOOT_LEVEL, {key_space});
    set(SWAP_WEAPONS, {'W'});
    set(QUICKSLOT, {123});
    for (int n = 1; n <= 9; ++n)
        set(QUICKSLOT_01 + n - 1, {uint8_t('0' + n)});
    set(QUICKSLOT_01 + 9, {'0'});
    for (int n = 11; n <= 20; ++n)
        set(QUICKSLOT_01 + n - 1, {uint8_t(112 + n - 11)});
    set(CHARACTER_SHEET, {'C'});
    set(GAME_MENU, {key_escape});
    set(HELP, {'H'});
    set(LOG_UP, {33});
    set(LOG_DOWN, {34});
    set(SWITCH_SIDEPANEL, {key_backspace});
    set(SCREENSHOT, {116, ctrl});
    set(MAPSHOT, {117, ctrl});
    return t;
}

struct key_name_table {
    std::array<std::string, key_name_count + 1> names;
    std::array<uint8_t, key_name_count + 1> codes{};
};

key_name_table make_key_names() {
    key_name_table t;
    int n = 0;
    auto add = [&](std::string name, int code) {
        ++n;
        t.names[n] = std::move(name);
        t.codes[n] = uint8_t(code);
    };
    for (int d = 0; d <= 9; ++d)
        add("NUMPAD_" + std::to_string(d), 96 + d);
    add("NUMPAD_PLUS", 107);
    add("NUMPAD_MINUS", 109);
    add("NUMPAD_DIVIDE", 111);
    add("NUMPAD_MULTIPLY", 106);
    add("NUMPAD_DECIMAL", 110);
    add("SHIFT", 16);
    add("CTRL", 17);
    add("ALT", 18);
    add("ARROW_UP", 38);
    add("ARROW_DOWN", 40);
    add("ARROW_LEFT", 37);
    add("ARROW_RIGHT", 39);
    add("INSERT", 45);
    add("PAUSE", 19);
    add("DELETE", 46);
    add("HOME", 36);
    add("END", 35);
    add("PAGE_UP", 33);
    add("PAGE_DOWN", 34);
    add("BACKSPACE", 8);
    add("ENTER", 13);
    add("ESC", 27);
    add("ESCAPE", 27);
    add("TAB", 9);
    add("SPACE", 32);
    for (int f = 1; f <= 12; ++f)
        add("F" + std::to_string(f), 111 + f);
    add("PLUS", 187);
    add("COMMA", 188);
    add("MINUS", 189);
    add("PERIOD", 190);
    add("<", 226);
    add("TILDE", 220);
    for (char c = 'A'; c <= 'Z'; ++c)
        add(std::string(1, c), c);
    for (char c = '0'; c <= '9'; ++c)
        add(std::string(1, c), c);
    return t;
}

const key_name_table key_name_data = make_key_names();

std::string_view trim(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool is_modifier(int code) {
    return code == key_shift || code == key_ctrl || code == key_alt;
}

// A binding's own text: modifier, separator and key name, or the key name alone.
std::string one_binding_text(const tkeybinding& b, bool caps, bool short_form) {
    if (b.key == 0) return "";
    auto wrap = [caps](std::string s) { return caps ? "[[ " + s + " ]]" : s; };
    std::string key = wrap(key_name(b.key));
    if (b.modifier == 0) return key;
    std::string mod = key_name(b.modifier);
    if (short_form) mod = mod.substr(0, 1);
    return wrap(mod) + (short_form ? "+" : " + ") + key;
}

// A binding as the file stores it; a cleared binding is kept as "#0" so it stays cleared.
std::string file_binding_text(const tkeybinding& b) {
    return b.key == 0 ? "#0" : one_binding_text(b, false, false);
}

} // namespace

tkeybinding_table keybindings = make_defaults();
const tkeybinding_table keybinding_defaults = make_defaults();

const std::array<std::string, command_count + 1> command_names = make_names();
const std::array<std::string, command_count + 1> command_descriptions = make_descriptions();
const std::array<std::string, command_count + 1> command_labels = make_labels();
const std::array<std::string, command_count + 1> command_help_texts = make_help_texts();
const std::array<std::string, command_group_count + 1> command_groups = {
    "",           "movement", "targeting / ranged attacks", "talents", "other", "items / inventory",
    "quickslots", "interface"};
const std::array<std::array<int, 2>, command_group_count + 1> command_group_ranges = {
    {{0, 0}, {1, 11}, {12, 15}, {16, 17}, {18, 20}, {21, 24}, {25, 45}, {46, 53}}};

const std::array<std::string, key_name_count + 1> key_names = key_name_data.names;
const std::array<uint8_t, key_name_count + 1> key_codes = key_name_data.codes;

int32_t help_return_mode = 0;
uint8_t help_key = 0;
uint8_t help_modifier = 0;

int command_for_key(int key, int modifier) {
    for (int c = 1; c <= command_count; ++c)
        for (const tkeybinding& b : keybindings[c])
            if (b.key != 0 && b.key == key && b.modifier == modifier) return c;
    return 0;
}

int command_by_name(std::string_view text) {
    for (int c = 1; c <= command_count; ++c)
        if (command_names[c] == text) return c;
    return 0;
}

int movement_command_for_key(int key, bool cardinal_only) {
    if (key == 0) return 0;
    for (int c = MOVE_N; c <= MOVE_NW; c += cardinal_only ? 2 : 1)
        for (const tkeybinding& b : keybindings[c])
            if (b.key == key) return c;
    return 0;
}

int key_code_from_text(std::string_view text) {
    text = trim(text);
    if (text.empty()) return 0;
    if (text[0] == '#' || text[0] == '$') {
        std::string_view digits = text.substr(1);
        unsigned value = 0;
        auto [end, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, text[0] == '#' ? 10 : 16);
        if (ec != std::errc() || end != digits.data() + digits.size() || value > 255) return 0;
        return int(value);
    }
    for (int i = 1; i <= key_name_count; ++i)
        if (key_names[i] == text) return key_codes[i];
    return 0;
}

std::string key_name(int code) {
    for (int i = 1; i <= key_name_count; ++i)
        if (key_codes[i] == code) return key_names[i];
    return "#" + std::to_string(code);
}

std::string binding_text(int key, int modifier, int command, bool caps, bool short_form, int binding) {
    if (key >= 1) {
        if (modifier == 0) return key_name(key);
        return key_name(modifier) + " + " + key_name(key);
    }
    if (command < 1 || command > command_count) return "";
    std::string text;
    if (!caps) {
        if (binding != 1 && binding != 2) return "";
        return one_binding_text(keybindings[command][binding - 1], false, short_form);
    }
    for (const tkeybinding& b : keybindings[command]) {
        std::string one = one_binding_text(b, true, short_form);
        if (one.empty()) continue;
        if (!text.empty()) text += " or ";
        text += one;
    }
    for (char& c : text)
        if (c == '_') c = ' ';
    return text;
}

void reset_keybindings() {
    keybindings = keybinding_defaults;
}

bool save_keybindings(const std::string& path) {
    std::ostringstream out;
    const char* eol = "\r\n";
    for (int g = 1; g <= command_group_count; ++g) {
        std::string title = command_groups[g];
        for (char& c : title)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        std::string head = "|===[ " + title + " ]";
        if (head.size() < 80) head.append(80 - head.size(), '=');
        out << head << eol << eol;
        for (int c = command_group_ranges[g][0]; c <= command_group_ranges[g][1]; ++c) {
            out << "| " << command_descriptions[c] << eol << "|" << eol;
            out << "action........ " << command_names[c] << eol;
            for (int b = 1; b <= 2; ++b)
                out << "binding_" << b << "..... " << file_binding_text(keybindings[c][b - 1]) << eol;
            out << eol;
        }
        out << eol << eol;
    }
    // Through a temporary file and a rename: a full disk or a kill mid-write keeps the old file.
    return write_file(path, out.str());
}

void load_keybindings(const std::string& path) {
    reset_keybindings();
    // Texts that name a command's keys show the player's own bindings from now on.
    command_key_caps = [](int command) { return binding_text(0, 0, command, true, false, 0); };
    // An empty or unreadable file (or a FIFO in its place) counts as missing: the defaults are
    // written afresh instead of leaving the player without a bindings file for good.
    const std::optional<std::string> text = read_text_file(path);
    if (!text || text->empty()) {
        save_keybindings(path);
        return;
    }
    std::istringstream file(*text);
    std::string raw;
    int current = 0;
    while (std::getline(file, raw)) {
        std::string_view line = trim(raw);
        if (line.empty() || line[0] == '#' || line[0] == '|') continue;
        size_t blank = line.find(' ');
        if (blank == std::string_view::npos) continue;
        std::string key;
        for (char c : line.substr(0, blank))
            if (c != '.') key += c;
        key = std::string(trim(key));
        std::string_view value = trim(line.substr(blank + 1));
        if (key == "action") {
            current = command_by_name(value);
            continue;
        }
        if (key.rfind("binding_", 0) != 0 || value.empty() || value[0] == '-' || current < 1) continue;
        if (key.size() < 9 || (key[8] != '1' && key[8] != '2')) continue;
        int index = key[8] - '1';
        tkeybinding b;
        size_t plus = value.find('+');
        if (plus == std::string_view::npos) {
            // A name not in the list or a code outside 1..255 reads as 0: that binding is unbound.
            b = {uint8_t(key_code_from_text(value)), 0};
        } else {
            const int mod = key_code_from_text(value.substr(0, plus));
            const int code = key_code_from_text(value.substr(plus + 1));
            // A key held with something that is no modifier can never be pressed: unbound too.
            if (is_modifier(mod) && code != 0) b = {uint8_t(code), uint8_t(mod)};
        }
        keybindings[current][index] = b;
    }
}

} // namespace dravok
