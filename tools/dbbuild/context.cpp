#include <algorithm>
#include <cctype>
#include <regex>
#include <span>

#include "context.h"
#include "records/vocabulary.h"
#include "world/dice.h"

namespace dravok::dbbuild {

static std::string place_text(const tplace& p) {
    std::string s = p.src ? p.src->file + ": " + (p.src->id.empty() ? std::string("?") : p.src->id)
                          : std::string("content");
    if (!p.field.empty()) s += ": " + p.field;
    return s;
}

void tplace::error(const std::string& message) const {
    c->error(place_text(*this), message);
}
void tplace::warning(const std::string& message) const {
    c->warning(place_text(*this), message);
}

static std::string lower(std::string s) {
    for (char& ch : s)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

// The strict formula grammar: what the game's parser reads the way the author meant.
bool check_formula(const std::string& text, std::string& why) {
    std::string s;
    for (char ch : text)
        if (ch != ' ' && ch != '\t') s += ch;
    if (s.empty()) return true;
    if (lower(s) == "all") return true;
    if (s.find('D') != std::string::npos) {
        why = "upper-case \"D\" in \"" + text + "\" (the game reads only a lower-case \"d\")";
        return false;
    }
    std::size_t bar = s.find('|');
    if (bar != std::string::npos) {
        std::string per = s.substr(bar + 1);
        s = s.substr(0, bar);
        if (per.find('|') != std::string::npos) {
            why = "more than one per-part in \"" + text + "\"";
            return false;
        }
        static const std::regex per_re("per_(level|dungeon_level|disable|dodge|magic|melee|ranged|search|"
                                       "stealth):(-?[0-9]+)(/([0-9]+))?");
        std::smatch m;
        if (!std::regex_match(per, m, per_re)) {
            why = "unknown per-part \"" + per + "\" in \"" + text + "\"";
            return false;
        }
        bool skill = m[1] != "level" && m[1] != "dungeon_level";
        if (skill && std::stoi(m[2]) < 0) {
            why = "a negative per-skill amount never adds (\"" + text + "\")";
            return false;
        }
        if (m[4].matched && std::stoi(m[4]) == 0) {
            why = "divisor 0 in \"" + text + "\"";
            return false;
        }
    }
    static const std::regex ability_re("[+-](body|motion|mind|spirit)_mod");
    auto abilities =
        std::distance(std::sregex_iterator(s.begin(), s.end(), ability_re), std::sregex_iterator());
    if (abilities > 1) {
        why = "more than one ability part in \"" + text + "\"";
        return false;
    }
    s = std::regex_replace(s, ability_re, "");
    if (s.empty()) return true;
    static const std::regex constant_re("-?[0-9]+");
    static const std::regex dice_re("(-?[0-9]+\\+)?([0-9]*)d([0-9]+)([+-][0-9]+)?");
    std::smatch m;
    if (std::regex_match(s, constant_re)) {
        long v = std::stol(s);
        if (v < -32768 || v > 32767) {
            why = "bonus out of range in \"" + text + "\"";
            return false;
        }
        return true;
    }
    if (!std::regex_match(s, m, dice_re)) {
        why = "\"" + text + "\" is not a formula (count d sides + bonus)";
        return false;
    }
    if (m[1].matched && m[4].matched) {
        why = "\"" + text + "\" has a leading and a trailing bonus (the game keeps only the trailing one)";
        return false;
    }
    if ((m[2].length() && std::stol(m[2]) > 255) || std::stol(m[3]) > 255) {
        why = "dice count or sides above 255 in \"" + text + "\"";
        return false;
    }
    return true;
}

void formula(const tplace& p, const json& v, tdice& out, bool allow_all) {
    out = dice_template;
    if (v.is_null()) return;
    std::string text;
    if (v.is_number_integer())
        text = std::to_string(v.get<int>());
    else if (v.is_string())
        text = v.get<std::string>();
    else {
        p.error("a formula must be a text or a whole number");
        return;
    }
    std::string why;
    if (!check_formula(text, why)) {
        p.error(why);
        return;
    }
    if (!allow_all && lower(text) == "all")
        p.error("\"all\" is only allowed in kit, talent-group, theme and random-row counts");
    parse_dice(text, out);
}

void damage(const tplace& p, const json& v, tdamage_dice& out) {
    out = damage_dice_template;
    if (v.is_null()) return;
    if (!v.is_string()) {
        p.error("a damage text must be a text such as \"slash:1d8, fire:1d4\"");
        return;
    }
    std::string text = v.get<std::string>();
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        start = comma == std::string::npos ? text.size() + 1 : comma + 1;
        item.erase(0, item.find_first_not_of(" \t"));
        item.erase(item.find_last_not_of(" \t") + 1);
        if (item.empty()) continue;
        std::size_t colon = item.find(':');
        std::size_t bar = item.find('|');
        std::string key, value = item;
        if (colon != std::string::npos && (bar == std::string::npos || colon < bar)) {
            key = lower(item.substr(0, colon));
            value = item.substr(colon + 1);
            value.erase(0, value.find_first_not_of(" \t"));
        }
        std::string why;
        if (key.empty() ||
            std::find(damage_type_names.begin(), damage_type_names.end(), key) != damage_type_names.end()) {
            if (!check_formula(value, why)) p.error(why);
        } else if (key == "against") {
            if (vocab::index_of(vocab::type_flags, lower(value)) <= 0)
                p.error("unknown creature type \"" + value + "\"");
        } else if (key == "against_hit" || key == "against_damage" || key == "against_multiplier") {
            if (!std::regex_match(value, std::regex("-?[0-9]+")))
                p.error(key + " needs a whole number, not \"" + value + "\"");
        } else {
            p.error("unknown damage type \"" + key + "\"");
        }
    }
    parse_damage(text, out);
}

int formula_max(const tdice& d) {
    return d.count * d.sides + d.bonus;
}
int formula_min(const tdice& d) {
    return d.count + d.bonus;
}

static std::span<const std::string_view> vocabulary(std::string_view list) {
    using namespace vocab;
    if (list == "type_flags") return type_flags;
    if (list == "statuses") return statuses;
    if (list == "item_flags") return item_flags;
    if (list == "damage_types") return damage_types;
    if (list == "abilities") return abilities;
    if (list == "skills") return skills;
    if (list == "effect_kinds") return effect_kinds;
    if (list == "effect_shapes") return effect_shapes;
    if (list == "effect_sources") return effect_sources;
    if (list == "attack_classes") return attack_classes;
    if (list == "furniture") return furniture;
    if (list == "blocks") return blocks;
    if (list == "zones") return zones;
    if (list == "patterns") return patterns;
    if (list == "area_kinds") return area_kinds;
    if (list == "template_groups") return template_groups;
    if (list == "stuff_kinds") return stuff_kinds;
    if (list == "splashes") return splashes;
    if (list == "behaviours") return behaviours;
    if (list == "talent_types") return talent_types;
    return {};
}

static std::string singular(std::string_view list) {
    std::string s(list);
    if (s.ends_with("ies")) return s.substr(0, s.size() - 3) + "y";
    if (s.ends_with("es") && (s.ends_with("statuses") || s.ends_with("classes")))
        return s.substr(0, s.size() - 2);
    if (s.ends_with("s")) return s.substr(0, s.size() - 1);
    return s;
}

int name_of(const tplace& p, std::string_view list_name, const json& v) {
    auto list = vocabulary(list_name);
    if (v.is_number_integer()) {
        int n = v.get<int>();
        if (n >= 0 && static_cast<std::size_t>(n) < list.size()) return n;
        p.error("number " + std::to_string(n) + " is outside the " + std::string(list_name));
        return -1;
    }
    if (!v.is_string()) {
        p.error("expected a name of the " + std::string(list_name));
        return -1;
    }
    std::string name = v.get<std::string>();
    for (std::size_t i = 1; i < list.size(); ++i)
        if (list[i] == name) return static_cast<int>(i);
    std::string what = singular(list_name);
    std::replace(what.begin(), what.end(), '_', ' ');
    p.error("unknown " + what + " \"" + name + "\"");
    return -1;
}

int tag(const tplace& p, const json& v, std::string_view prefix) {
    if (v.is_null()) return 0;
    if (!v.is_string()) {
        p.error("a group is named by its tag");
        return 0;
    }
    std::string name = v.get<std::string>();
    if (name.empty()) return 0;
    auto it = p.c->tag_index.find(name);
    if (it == p.c->tag_index.end()) {
        p.error("unknown tag \"" + name + "\" (not in the \"tags\" section)");
        return 0;
    }
    if (!prefix.empty() && !name.starts_with(prefix))
        p.warning("tag \"" + name + "\" should begin with \"" + std::string(prefix) + "\"");
    return it->second;
}

static int table_ref(const tplace& p, const json& v, const std::map<std::string, int>& index,
                     const char* what) {
    if (v.is_null()) return 0;
    if (!v.is_string()) {
        p.error(std::string("a ") + what + " is named by its identifier");
        return 0;
    }
    std::string name = v.get<std::string>();
    if (name.empty()) return 0;
    auto it = index.find(name);
    if (it == index.end()) {
        p.error(std::string("unknown ") + what + " \"" + name + "\"");
        return 0;
    }
    return it->second;
}

int item_ref(const tplace& p, const json& v) {
    return table_ref(p, v, p.c->item_index, "item plan");
}
int being_ref(const tplace& p, const json& v) {
    return table_ref(p, v, p.c->being_index, "being plan");
}
int talent_ref(const tplace& p, const json& v) {
    return table_ref(p, v, p.c->talent_index, "talent");
}
int content_ref(const tplace& p, const json& v) {
    return table_ref(p, v, p.c->content_index, "content");
}
int vault_ref(const tplace& p, const json& v) {
    return table_ref(p, v, p.c->vault_index, "vault");
}

int get_int(const tplace& p, const json& obj, const char* key, int fallback, int lo, int hi) {
    if (!obj.is_object() || !obj.contains(key)) return fallback;
    const json& v = obj[key];
    if (v.is_boolean()) return v.get<bool>() ? 1 : 0;
    if (!v.is_number_integer()) {
        p.at(key).error("expected a whole number");
        return fallback;
    }
    long n = v.get<long>();
    if (n < lo || n > hi) {
        p.at(key).error(std::to_string(n) + " is outside " + std::to_string(lo) + ".." + std::to_string(hi));
        return fallback;
    }
    return static_cast<int>(n);
}

bool get_bool(const tplace& p, const json& obj, const char* key, bool fallback) {
    if (!obj.is_object() || !obj.contains(key)) return fallback;
    const json& v = obj[key];
    if (v.is_boolean()) return v.get<bool>();
    if (v.is_number_integer()) return v.get<int>() != 0;
    p.at(key).error("expected true or false");
    return fallback;
}

std::string get_string(const tplace& p, const json& obj, const char* key, const std::string& fallback) {
    if (!obj.is_object() || !obj.contains(key)) return fallback;
    const json& v = obj[key];
    if (v.is_string()) return v.get<std::string>();
    if (v.is_null()) return fallback;
    p.at(key).error("expected a text");
    return fallback;
}

std::vector<std::string> name_list(const tplace& p, const json& obj, const char* key) {
    std::vector<std::string> out;
    if (!obj.is_object() || !obj.contains(key)) return out;
    const json& v = obj[key];
    if (v.is_string()) {
        out.push_back(v.get<std::string>());
    } else if (v.is_array()) {
        for (const auto& e : v) {
            if (e.is_string())
                out.push_back(e.get<std::string>());
            else
                p.at(key).error("expected a list of names");
        }
    } else if (!v.is_null()) {
        p.at(key).error("expected a list of names");
    }
    return out;
}

void set_flags(const tplace& p, const json& names, std::string_view list_name, uint8_t* base, int lo,
               int hi) {
    if (names.is_null()) return;
    if (!names.is_array()) {
        p.error("expected a list of names");
        return;
    }
    for (const auto& n : names) {
        int i = name_of(p, list_name, n);
        if (i < 0) continue;
        if (i < lo || i > hi) {
            p.error("\"" + (n.is_string() ? n.get<std::string>() : n.dump()) + "\" cannot be used here");
            continue;
        }
        base[i] = 1;
    }
}

void set_flags1(const tplace& p, const json& names, std::string_view list_name, uint8_t* first, int lo,
                int hi) {
    uint8_t tmp[256] = {};
    set_flags(p, names, list_name, tmp, lo, hi);
    for (int i = lo; i <= hi; ++i)
        if (tmp[i]) first[i - 1] = 1;
}

void check_keys(const tplace& p, const json& obj, std::initializer_list<const char*> known) {
    if (!obj.is_object()) return;
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        bool ok = false;
        for (const char* k : known)
            ok |= it.key() == k;
        if (!ok) p.at(it.key()).error("unknown field (a misspelling?)");
    }
}

void add_section(tcompiler& c, const std::string& name, const json& lines) {
    std::vector<std::string> out;
    if (lines.is_string()) {
        // A text of several lines becomes several entries.
        std::string s = lines.get<std::string>();
        std::size_t start = 0;
        for (;;) {
            std::size_t nl = s.find('\n', start);
            out.push_back(s.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
            if (nl == std::string::npos) break;
            start = nl + 1;
        }
    } else if (lines.is_array()) {
        for (const auto& l : lines)
            if (l.is_string()) out.push_back(l.get<std::string>());
    }
    c.generated_sections.emplace_back(name, std::move(out));
}

void formula_map(const tplace& p, const json& t, const char* key, std::string_view list, tdice* base,
                 int count) {
    if (!t.contains(key)) return;
    const json& m = t[key];
    if (!m.is_object()) {
        p.at(key).error("expected an object of name: formula");
        return;
    }
    for (auto it = m.begin(); it != m.end(); ++it) {
        int i = name_of(p.at(key), list, it.key());
        if (i >= 1 && i <= count) formula(p.at(key).at(it.key()), it.value(), base[i - 1]);
    }
}

const std::set<std::string>& key_cap_names() {
    static const std::set<std::string> names = [] {
        std::set<std::string> s = {"NUMPAD_PLUS",
                                   "NUMPAD_MINUS",
                                   "NUMPAD_DIVIDE",
                                   "NUMPAD_MULTIPLY",
                                   "NUMPAD_DECIMAL",
                                   "SHIFT",
                                   "CTRL",
                                   "ALT",
                                   "ARROW_UP",
                                   "ARROW_DOWN",
                                   "ARROW_LEFT",
                                   "ARROW_RIGHT",
                                   "INSERT",
                                   "PAUSE",
                                   "DELETE",
                                   "HOME",
                                   "END",
                                   "PAGE_UP",
                                   "PAGE_DOWN",
                                   "BACKSPACE",
                                   "ENTER",
                                   "ESC",
                                   "ESCAPE",
                                   "TAB",
                                   "SPACE",
                                   "PLUS",
                                   "COMMA",
                                   "MINUS",
                                   "PERIOD",
                                   "<",
                                   "TILDE"};
        for (int i = 0; i <= 9; ++i)
            s.insert("NUMPAD_" + std::to_string(i));
        for (int i = 1; i <= 12; ++i)
            s.insert("F" + std::to_string(i));
        for (char ch = 'A'; ch <= 'Z'; ++ch)
            s.insert(std::string(1, ch));
        for (char ch = '0'; ch <= '9'; ++ch)
            s.insert(std::string(1, ch));
        return s;
    }();
    return names;
}

} // namespace dravok::dbbuild
