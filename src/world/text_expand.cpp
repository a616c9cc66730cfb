#include "world/text_expand.h"

#include <array>
#include <cctype>

#include "records/vocabulary.h"
#include "world/text_database.h"
#include "world/text_random.h"

namespace dravok {

const char* const placeholder_command_names[54] = {
    "",
    "MOVE_N",
    "MOVE_NE",
    "MOVE_E",
    "MOVE_SE",
    "MOVE_S",
    "MOVE_SW",
    "MOVE_W",
    "MOVE_NW",
    "SET_MAP_POINT",
    "AUTOPILOT",
    "EXPLORE",
    "TARGET_MODE",
    "FIRE",
    "ATTACK_MARKED",
    "SWAP_AMMUNITION",
    "TALENT",
    "TALENT_MARKED",
    "REST",
    "REST_UNTIL_HEALED",
    "YELL",
    "INVENTORY",
    "GET",
    "LOOT_LEVEL",
    "SWAP_WEAPONS",
    "QUICKSLOT",
    "QUICKSLOT_01",
    "QUICKSLOT_02",
    "QUICKSLOT_03",
    "QUICKSLOT_04",
    "QUICKSLOT_05",
    "QUICKSLOT_06",
    "QUICKSLOT_07",
    "QUICKSLOT_08",
    "QUICKSLOT_09",
    "QUICKSLOT_10",
    "QUICKSLOT_11",
    "QUICKSLOT_12",
    "QUICKSLOT_13",
    "QUICKSLOT_14",
    "QUICKSLOT_15",
    "QUICKSLOT_16",
    "QUICKSLOT_17",
    "QUICKSLOT_18",
    "QUICKSLOT_19",
    "QUICKSLOT_20",
    "CHARACTER_SHEET",
    "GAME_MENU",
    "HELP",
    "LOG_UP",
    "LOG_DOWN",
    "SWITCH_SIDEPANEL",
    "SCREENSHOT",
    "MAPSHOT",
};

// The default bindings as "modifier + key" names ("" unbound), used until the key-binding
// unit provides the player's own.
static const char* const default_bindings[54][2] = {
    {"", ""},
    {"NUMPAD_8", "ARROW_UP"},
    {"NUMPAD_9", "SHIFT + ARROW_UP"},
    {"NUMPAD_6", "ARROW_RIGHT"},
    {"NUMPAD_3", "SHIFT + ARROW_RIGHT"},
    {"NUMPAD_2", "ARROW_DOWN"},
    {"NUMPAD_1", "SHIFT + ARROW_DOWN"},
    {"NUMPAD_4", "ARROW_LEFT"},
    {"NUMPAD_7", "SHIFT + ARROW_LEFT"},
    {"M", ""},
    {"A", ""},
    {"E", ""},
    {"TAB", ""},
    {"F", ""},
    {"R", ""},
    {"Q", ""},
    {"X", ""},
    {"T", ""},
    {"NUMPAD_5", "Z"},
    {"NUMPAD_0", "S"},
    {"Y", ""},
    {"ENTER", "I"},
    {"G", ""},
    {"SPACE", ""},
    {"W", ""},
    {"F12", ""},
    {"1", ""},
    {"2", ""},
    {"3", ""},
    {"4", ""},
    {"5", ""},
    {"6", ""},
    {"7", ""},
    {"8", ""},
    {"9", ""},
    {"0", ""},
    {"F1", ""},
    {"F2", ""},
    {"F3", ""},
    {"F4", ""},
    {"F5", ""},
    {"F6", ""},
    {"F7", ""},
    {"F8", ""},
    {"F9", ""},
    {"F10", ""},
    {"C", ""},
    {"ESC", ""},
    {"H", ""},
    {"PAGE_UP", ""},
    {"PAGE_DOWN", ""},
    {"BACKSPACE", ""},
    {"CTRL + F5", ""},
    {"CTRL + F6", ""},
};

static std::string key_cap(std::string_view binding) {
    std::string out;
    std::size_t plus = binding.find(" + ");
    if (plus != std::string_view::npos) {
        out = "[[ " + std::string(binding.substr(0, plus)) + " ]] + ";
        binding = binding.substr(plus + 3);
    }
    out += "[[ " + std::string(binding) + " ]]";
    for (char& c : out)
        if (c == '_') c = ' ';
    return out;
}

static std::string default_key_caps(int command) {
    if (command < 1 || command > 53) return {};
    std::string out;
    for (int b = 0; b < 2; ++b) {
        std::string_view binding = default_bindings[command][b];
        if (binding.empty()) continue;
        if (!out.empty()) out += " or ";
        out += key_cap(binding);
    }
    return out;
}

std::function<std::string(int)> command_key_caps = default_key_caps;
std::function<std::string()> deities_text = [] { return std::string("THE PANTHEON\\n\\n"); };

int find_command_name(std::string_view name) {
    for (int c = 1; c <= 53; ++c)
        if (same_name_ignoring_case(placeholder_command_names[c], name)) return c;
    return 0;
}

struct tgender_row {
    const char* key;
    const char* words[3];
};
static const tgender_row gender_rows[] = {
    {"he", {"it", "he", "she"}},
    {"him", {"it", "him", "her"}},
    {"his", {"its", "his", "her"}},
    {"himself", {"itself", "himself", "herself"}},
    {"sir", {"sir", "sir", "ma'am"}},
    {"bastard", {"bastard", "bastard", "bitch"}},
    {"boy", {"boy", "boy", "girl"}},
    {"brother", {"brother", "brother", "sister"}},
    {"father", {"father", "father", "mother"}},
    {"milord", {"milord", "milord", "milady"}},
    {"mister", {"milord", "mister", "miss"}},
    {"handsome", {"handsome", "handsome", "beautiful"}},
};

std::string gender_word(std::string_view key, int gender) {
    if (gender < 0 || gender > 2) gender = 0;
    for (const auto& row : gender_rows)
        if (key == row.key) return row.words[gender];
    return {};
}

std::string race_name(int race) {
    if (race < 1 || race > 219) return {};
    return std::string(vocab::type_flags[race]);
}

static std::string upper_first(std::string s) {
    capitalize_first(s);
    return s;
}

static std::string a_race(const ttext_person& t) {
    std::string r = race_name(t.race);
    if (r.empty()) return {};
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(r[0])));
    bool vowel = std::string_view("aeiouy").find(c) != std::string_view::npos;
    return (vowel ? "an " : "a ") + r;
}

// The replacement of one key, tried in the order the game defines.
static std::string replacement(const std::string& key, ttext_person* self, const ttext_person* target) {
    if (int command = find_command_name(key))
        return command_key_caps ? command_key_caps(command) : std::string();
    if (key == "self") {
        if (!self) return {};
        if (!self->self_revealed) {
            self->self_revealed = true;
            if (!self->title.empty()) self->name = self->title;
        }
        return self->name;
    }
    if (key == "self_race") return self ? race_name(self->race) : std::string();
    if (key == "self_him") return self ? gender_word("him", self->gender) : std::string();
    if (key == "target") return target ? target->name : std::string();
    if (key == "actor") {
        if (!self) return {};
        if (!self->actor.empty() && !self->self_revealed) return self->actor;
        if (!self->name.empty() && std::isupper(static_cast<unsigned char>(self->name[0]))) return self->name;
        return "The " + self->name;
    }
    if (key == "master") return self ? self->master : std::string();
    if (key == "he" || key == "him" || key == "his" || key == "himself" || key == "sir" || key == "bastard")
        return target ? gender_word(key, target->gender) : std::string();
    if (key == "HE" || key == "HIS")
        return target ? upper_first(gender_word(key == "HE" ? "he" : "his", target->gender)) : std::string();
    if (key == "race") return target ? race_name(target->race) : std::string();
    if (key == "RACE") return target ? upper_first(race_name(target->race)) : std::string();
    if (key == "a_race") return target ? a_race(*target) : std::string();
    if (key == "A_RACE") return target ? upper_first(a_race(*target)) : std::string();
    if (key == "boy" || key == "brother" || key == "father" || key == "milord" || key == "mister" ||
        key == "handsome")
        return target ? gender_word(key, target->gender) : std::string();
    if (key == "source_race") return self ? race_name(self->race) : std::string();
    if (key == "source_he" || key == "source_him" || key == "source_his")
        return self ? gender_word(key.substr(7), self->gender) : std::string();
    if (key == "SOURCE_HE" || key == "SOURCE_HIS")
        return self ? upper_first(gender_word(key == "SOURCE_HE" ? "he" : "his", self->gender))
                    : std::string();
    if (key == "deities") return deities_text ? deities_text() : std::string();
    return {};
}

// Expansion stops after this many replacements or at this length, so that a name or title
// that holds its own key cannot hang the game.
constexpr int max_replacements = 256;
constexpr std::size_t max_expanded_length = 4096;

std::string expand_text_for(std::string_view text, ttext_person* self, const ttext_person* target) {
    std::string out(text);
    int replacements = 0;
    for (;;) {
        std::size_t p = out.find('%');
        if (p == std::string::npos) break;
        if (replacements >= max_replacements || out.size() > max_expanded_length) {
            text_error("Placeholders in \"" + out.substr(0, 80) + "\" did not end; expansion stopped.");
            break;
        }
        out.erase(p, 1);
        std::size_t q = out.find('%', p);
        if (q == std::string::npos) return out; // an unmatched "%" ends the expansion uncapitalised
        std::string key = out.substr(p, q - p);
        out.erase(p, q - p + 1);
        out.insert(p, replacement(key, self, target));
        ++replacements;
    }
    if (out.size() > max_expanded_length) out.resize(max_expanded_length);
    capitalize_first(out);
    return out;
}

} // namespace dravok
