#include "world/text_database.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "world/text_random.h"

namespace dravok {

std::vector<std::string> text_database;
std::vector<std::string> section_names;
std::vector<ttext_section> text_sections;
std::vector<uint16_t> section_bags;
std::vector<std::string> text_tags;
std::vector<std::array<int32_t, chatter_trigger_count + 1>> chatter_sections;

const std::array<const char*, chatter_trigger_count + 1> chatter_trigger_names = {
    "",
    "introduction_friendly",
    "introduction_hostile",
    "meets_again_friendly",
    "meets_again_hostile",
    "shouts_alarm",
    "roars",
    "fungus_shrieks",
    "uses_die_hard",
    "sees_die_hard",
    "death",
    "inflicts_severe_damage",
    "kills_being",
    "kills_player",
    "rejoices_player_death",
    "gets_angry",
    "friendly_attacked_by_player",
    "sees_friend_being_killed",
    "comments_type_being_killed",
    "flees_when_friends_seen",
    "flees_lonely",
    "follower_death",
    "follower_mourns_master_death",
    "follower_sees_master_kill_being",
    "follower_surrounded_by_enemies",
    "follower_needs_help",
    "follower_flees",
    "follower_picks_up_item",
    "follower_springs_trap",
    "follower_sees_master_spring_trap",
    "follower_comments_sentient_weapon",
    "follower_comments_level_up_05",
    "follower_comments_level_up_10",
    "follower_comments_level_up_15",
    "follower_comments_level_up_20",
    "follower_idle_chatter",
    "former_companion_helps",
    "comments_ascension_to_demigod",
    "comments_ascension_to_god",
    "comments_ascension_to_overgod",
    "begs_help_from_cell",
    "escapes_from_cell",
    "sees_type_first_time",
    "sees_light",
    "hears_noise",
    "makes_an_ambush",
    "animates_undead",
    "summons_beings",
    "animated_appears",
    "summoned_appears",
    "idle_chatter",
    "idle_chatter_unseen",
    "sentient_item_get",
    "sentient_item_drop",
    "sentient_item_first_use",
    "sentient_item_kills_being",
    "sentient_item_idle_chatter",
    "sentient_item_idle_chatter_unequipped",
    "sentient_item_idle_chatter_unused",
};

// Expansion stops after this many replacements or at this length, so that a text that
// expands into itself cannot hang the game.
constexpr int max_replacements = 256;
constexpr std::size_t max_expanded_length = 4096;

std::vector<std::string> split_text_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

void capitalize_first(std::string& s) {
    if (!s.empty()) s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
}

bool same_name_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

void clear_text_database() {
    text_database.clear();
    section_names.clear();
    text_sections.clear();
    section_bags.clear();
    text_tags.clear();
    chatter_sections.clear();
}

bool build_text_sections(int declared_section_count) {
    section_names.clear();
    text_sections.assign(static_cast<std::size_t>(std::max(declared_section_count, 0)) + 1, ttext_section{});
    int current = -1;
    std::size_t i = 0;
    while (i < text_database.size()) {
        std::string trimmed(trim_text(text_database[i]));
        if (!trimmed.empty() && trimmed[0] == '@') {
            text_database.erase(text_database.begin() + static_cast<std::ptrdiff_t>(i));
            ++current;
            if (current >= declared_section_count) return false;
            section_names.emplace_back(trim_text(std::string_view(trimmed).substr(1)));
            text_sections[current].first_line = static_cast<int32_t>(i);
            text_sections[current].count = 0;
        } else {
            if (current < 0) return false; // an entry of no section
            ++text_sections[current].count;
            ++i;
        }
    }
    text_tags.clear();
    text_tags.emplace_back();
    int tags = find_text_section("tags");
    if (tags > 0) {
        const ttext_section& s = text_sections[tags];
        for (int e = 0; e < s.count; ++e)
            text_tags.push_back(text_database[s.first_line + e]);
    }
    return true;
}

static void refill_bag(ttext_section& s) {
    s.left = s.count;
    for (int e = 0; e < s.count; ++e)
        section_bags[s.bag_offset + e] = static_cast<uint16_t>(e);
}

void build_shuffle_bags() {
    section_bags.assign(text_database.size(), 0);
    int32_t offset = 0;
    for (std::size_t n = 1; n < section_names.size() && n < text_sections.size(); ++n) {
        ttext_section& s = text_sections[n];
        s.bag_offset = offset;
        refill_bag(s);
        offset += s.count;
    }
}

void build_chatter_sections(const std::vector<tchatter_source>& plans) {
    chatter_sections.assign(std::max<std::size_t>(plans.size(), 1), {});
    for (std::size_t p = 1; p < plans.size(); ++p) {
        if (!plans[p].has_oneliners) continue;
        for (int t = 1; t <= chatter_trigger_count; ++t) {
            if (!plans[p].enabled[t]) continue;
            chatter_sections[p][t] = find_text_section(plans[p].identifier + "_" + chatter_trigger_names[t]);
        }
    }
}

int find_text_section(std::string_view name) {
    for (std::size_t n = 1; n < section_names.size(); ++n)
        if (same_name_ignoring_case(section_names[n], name)) return static_cast<int>(n);
    return 0;
}

static bool section_exists(int section) {
    return section > 0 && static_cast<std::size_t>(section) < section_names.size() &&
           static_cast<std::size_t>(section) < text_sections.size();
}

int draw_from_section(int section, std::string_view name) {
    if (!name.empty()) section = find_text_section(name);
    if (!section_exists(section)) return -1;
    ttext_section& s = text_sections[section];
    if (s.count <= 0) return -1;
    if (s.left <= 0) return 0;
    int r = text_random(s.left);
    auto bag = section_bags.begin() + s.bag_offset;
    int entry = bag[r];
    std::copy(bag + r + 1, bag + s.left, bag + r);
    --s.left;
    if (s.left == 0 && section_names[section].find("idle_chatter") == std::string::npos) refill_bag(s);
    return entry;
}

void get_section_text(int section, std::string_view name, int entry, std::string& out) {
    out.clear();
    if (!name.empty()) section = find_text_section(name);
    if (!section_exists(section)) return;
    const ttext_section& s = text_sections[section];
    if (entry == -1) {
        if (s.left > 0)
            entry = draw_from_section(section);
        else if (s.count > 0)
            entry = text_random(s.count);
        else
            return;
    }
    long line = static_cast<long>(s.first_line) + entry;
    if (entry < 0 || line < 0 || static_cast<std::size_t>(line) >= text_database.size()) return;
    out = text_database[static_cast<std::size_t>(line)];
}

std::string section_text(std::string_view name, int entry) {
    std::string out;
    get_section_text(0, name, entry, out);
    return out;
}

void get_section_block(int section, std::string_view name, std::string& out) {
    out.clear();
    if (!name.empty()) section = find_text_section(name);
    if (!section_exists(section)) return;
    const ttext_section& s = text_sections[section];
    long last = static_cast<long>(s.first_line) + s.count - 1;
    last = std::min<long>(last, static_cast<long>(text_database.size()) - 1);
    while (last >= s.first_line && (text_database[last].empty() || text_database[last] == "\\n"))
        --last;
    if (last < s.first_line) return;
    for (long l = s.first_line; l <= last; ++l) {
        const std::string& line = text_database[l];
        if (out.empty() && trim_text(line).empty()) continue;
        if (l == last && line.size() >= 2 && line.compare(line.size() - 2, 2, "\\n") == 0) {
            out += line.substr(0, line.size() - 2);
        } else {
            out += line;
            out += "\\n";
        }
    }
}

void expand_section_references(std::string_view text, std::string& out) {
    out.assign(text);
    int replacements = 0;
    for (;;) {
        std::size_t p = out.find('%');
        if (p == std::string::npos) break;
        if (replacements >= max_replacements || out.size() > max_expanded_length) {
            text_error("Section references in \"" + out.substr(0, 80) + "\" did not end; expansion stopped.");
            break;
        }
        out.erase(p, 1);
        std::size_t q = out.find('%', p);
        if (q == std::string::npos) break;
        std::string reference(trim_text(std::string_view(out).substr(p, q - p)));
        out.erase(p, q - p + 1);
        ++replacements;
        std::string name = reference;
        int chance = 100;
        std::size_t sep = reference.find('|');
        if (sep == std::string::npos) sep = reference.find(':');
        if (sep != std::string::npos) {
            name = reference.substr(0, sep);
            std::string number(trim_text(std::string_view(reference).substr(sep + 1)));
            int value = 0;
            auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
            chance = (ec != std::errc() || ptr != number.data() + number.size() || value == 0) ? 100 : value;
        }
        int section = find_text_section(name);
        if (section == 0) {
            out.insert(p, " ILLEGAL_ID ");
        } else if (chance >= text_d100()) {
            std::string entry;
            get_section_text(section, {}, -1, entry);
            out.insert(p, entry);
        }
    }
    if (out.size() > max_expanded_length) out.resize(max_expanded_length);
    capitalize_first(out);
}

} // namespace dravok
