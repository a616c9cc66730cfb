#include "world/history_file.h"
#include "world/game_lists.h"
#include "world/tables.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "records/being_flags.h"
#include "records/codec.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/game_record.h"
#include "world/item_record.h"
#include "world/level_record.h"
#include "world/player.h"
#include "world/rounding.h"
#include "world/state.h"
#include "world/text_utilities.h"

namespace dravok {

namespace {

constexpr int seconds_per_minute = 60;
constexpr std::size_t place_width = 7;
constexpr int percent = 100;
constexpr int greatest_resistance = 99;

std::string format(const char* pattern, auto... values) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

std::string capitalised(std::string_view s) {
    std::string out(s);
    if (!out.empty()) out[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[0])));
    return out;
}

bool valid_character() {
    return player_character >= 1 && player_character < static_cast<int>(beings.size()) &&
           beings[player_character].serial > 0;
}

// Where a history line happened: the demiplane, the Dravok or the dungeon level.
std::string place_text() {
    if (level.demiplane != 0) return "Carillo";
    if (level.hub != 0) return "Dravok ";
    return format("dl %2d  ", static_cast<int>(level.number));
}

// Rounded, at most 100, 0 without a whole.
int percent_of(int part, int whole) {
    if (whole <= 0) return 0;
    return std::min(percent, round_half_even(static_cast<double>(part) * percent / whole));
}

void add_sorted(std::vector<std::string>& lines, std::vector<std::string> entries) {
    std::sort(entries.begin(), entries.end());
    lines.insert(lines.end(), entries.begin(), entries.end());
}

void add_sheet(std::vector<std::string>& lines, const tbeing& b) {
    lines.push_back(format("%-11s %3d", "Health", static_cast<int>(b.health_max)));
    lines.push_back(format("%-11s %3d", "Stamina", static_cast<int>(b.stamina_max)));
    lines.insert(lines.end(), {"", "", "ABILITIES (base / current / modifier)", ""});
    for (int k = 1; k <= ability_count; ++k)
        lines.push_back(format("%-11s %3d   %3d   %3s", capitalised(dice_ability_names[k - 1]).c_str(),
                               static_cast<int>(at1(b.base_ability, k)), static_cast<int>(b.ability_of(k)),
                               signed_number_text(at1(b.ability_modifier, k)).c_str()));
    lines.insert(lines.end(), {"", "", "SKILLS (base / current)", ""});
    for (int k = 1; k <= skill_count; ++k)
        lines.push_back(format("%-11s %3d   %3d", capitalised(dice_skill_names[k - 1]).c_str(),
                               static_cast<int>(at1(b.base_skill, k)), static_cast<int>(b.skill_of(k))));
    lines.insert(lines.end(), {"", "", "RESISTANCES", ""});
    for (int t = 1; t <= damage_type_count; ++t)
        lines.push_back(format("%-11s %3d", capitalised(damage_type_names[t - 1]).c_str(),
                               std::clamp(static_cast<int>(at1(b.resistance, t)), 0, greatest_resistance)));
    lines.insert(lines.end(), {"", ""});
}

void add_lists(std::vector<std::string>& lines, int being) {
    const tbeing& b = beings[being];
    std::vector<std::string> entries;
    for (int s = 1; s <= status_count; ++s)
        if (at1(b.status, s) != 0 && status_names[s - 1] != "-") {
            std::string name(status_names[s - 1]);
            std::replace(name.begin(), name.end(), '_', ' ');
            entries.push_back(capitalised(name));
        }
    if (!entries.empty()) {
        lines.insert(lines.end(), {"STATES", ""});
        lines.insert(lines.end(), entries.begin(), entries.end());
        lines.emplace_back();
    }
    entries.clear();
    for (int t = 1; t <= talent_count && t < static_cast<int>(talents.size()); ++t)
        if (b.talent_of(t) != 0)
            entries.push_back(format("Level %2.2d: %-30.30s %4d", static_cast<int>(b.talent_of(t)),
                                     talents[t].name.str().c_str(),
                                     static_cast<int>(game.talent_uses_of(t))));
    if (!entries.empty()) {
        lines.insert(lines.end(), {"TALENTS (uses)", ""});
        add_sorted(lines, entries);
        lines.emplace_back();
    }
    lines.insert(lines.end(), {"EQUIPMENT", ""});
    const std::vector<titem>& items = being_items[being];
    std::vector<bool> equipped(items.size(), false);
    for (int s = 1; s <= equipment_slot_count; ++s) {
        const int index = b.equipment_of(s);
        std::string name = "-";
        if (index >= 1 && index < static_cast<int>(items.size()) && items[index].serial != 0) {
            equipped[index] = true;
            const titem& item = items[index];
            name = item_name(item.name.view(), item.amount, item.stackable, being, 1);
        }
        lines.push_back(format("%-20.20s   %s", std::string(equipment_slots[s].name).c_str(), name.c_str()));
    }
    lines.insert(lines.end(), {"", ""});
    entries.clear();
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (items[i].serial == 0 || equipped[i]) continue;
        const std::string name = capitalised(items[i].name.view());
        entries.push_back(items[i].amount >= 2 ? format("%s (%d)", name.c_str(), items[i].amount) : name);
    }
    if (!entries.empty()) {
        lines.insert(lines.end(), {"INVENTORY", ""});
        add_sorted(lines, entries);
        lines.emplace_back();
    }
}

void add_world_counts(std::vector<std::string>& lines) {
    std::vector<std::string> entries;
    for (std::size_t i = 1; i < item_plans.size(); ++i)
        if (item_plans[i].uses != 0)
            entries.push_back(format("%-30.30s %3d", capitalised(item_plans[i].name.view()).c_str(),
                                     static_cast<int>(item_plans[i].uses)));
    if (!entries.empty()) {
        lines.insert(lines.end(), {"DEVICE USES", ""});
        add_sorted(lines, entries);
        lines.emplace_back();
    }
    entries.clear();
    // The character's own death is counted with its plan's kills but is no creature it defeated;
    // the heading gives the sum of the rows below it.
    const tbeing& character = beings[player_character];
    const std::size_t own_plan = state.died != 0 ? character.plan : 0;
    int defeated = 0;
    for (std::size_t i = 1; i < being_plans.size(); ++i) {
        const int kills = being_plans[i].kills - (i == own_plan ? 1 : 0);
        if (kills <= 0) continue;
        defeated += kills;
        entries.push_back(format("%-30.30s %3d", capitalised(being_plans[i].name.view()).c_str(), kills));
    }
    if (!entries.empty()) {
        lines.push_back(format("%-30.30s %3d", "CREATURES DEFEATED", defeated));
        lines.emplace_back();
        add_sorted(lines, entries);
        lines.emplace_back();
    }
    lines.insert(lines.end(), {"MAPS EXPLORED / HIDDEN AREAS DISCOVERED", ""});
    int cells = 0, explored = 0, hidden = 0, found = 0;
    for (std::size_t i = 1; i < levels.size(); ++i) {
        // The current level's counts are the live ones.
        const tlevel& l = static_cast<int>(i) == level.index ? level : levels[i];
        if (l.first_arrival == 0 || l.demiplane != 0 || l.hub != 0) continue;
        lines.push_back(format("Level %2d     %3d%%     %3d of %3d  %3d%%", static_cast<int>(l.number),
                               percent_of(l.explored_cells, l.floor_cells), static_cast<int>(l.hidden_found),
                               static_cast<int>(l.hidden_areas), percent_of(l.hidden_found, l.hidden_areas)));
        cells += l.floor_cells;
        explored += l.explored_cells;
        hidden += l.hidden_areas;
        found += l.hidden_found;
    }
    lines.emplace_back();
    lines.push_back(format("Total        %3d%%     %3d of %3d  %3d%%", percent_of(explored, cells), found,
                           hidden, percent_of(found, hidden)));
}

} // namespace

void add_history(std::string_view text) {
    if (!valid_character()) return;
    const tbeing& b = beings[player_character];
    history.push_back(format("%s   %5d minutes    %-7.7s   xl %2d    hp %3.3d/%3.3d    %s",
                             format_log_stamp(local_now()).c_str(),
                             static_cast<int>(game.seconds_played / seconds_per_minute), place_text().c_str(),
                             static_cast<int>(b.level), static_cast<int>(b.health),
                             static_cast<int>(b.health_max), std::string(text).c_str()));
}

bool write_history_file(const std::string& path) {
    std::string text;
    for (const std::string& line : history)
        text += line + "\r\n";
    return write_file(path, text);
}

void read_history_file(const std::string& path) {
    history.clear();
    const std::optional<std::string> text = read_text_file(path);
    if (!text) return;
    std::size_t start = 0;
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string line = text->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        history.push_back(std::move(line));
        start = end + 1;
    }
}

std::string hours_text(uint32_t seconds) {
    std::string text = format("%.1f", seconds / 3600.0);
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

void write_obituary() {
    if (!valid_character()) return;
    const tbeing& b = beings[player_character];
    const std::string name(b.name.view());
    std::string place = format("%2.2d", static_cast<int>(level.number));
    if (level.demiplane != 0) place = "ca";
    if (level.hub != 0) place = "dr";
    std::string prefix;
    if (has_type_flag(b, tf_overgod))
        prefix = "Overgod_";
    else if (has_type_flag(b, tf_god))
        prefix = "God_";
    else if (has_type_flag(b, tf_demigod))
        prefix = "Demigod_";
    DateTime now = local_now();
    std::string stamp = format_file_stamp(now); // "yyyy_mm_dd_hhnnss"
    stamp =
        stamp.substr(0, 4) + "-" + stamp.substr(5, 2) + "-" + stamp.substr(8, 2) + "_" + stamp.substr(11, 4);
    state.obituary_file = prefix + format("%s_dl%s_xl%2.2d_%s.txt", stamp.c_str(), place.c_str(),
                                          static_cast<int>(b.level), file_safe_name(name).c_str());

    std::vector<std::string> lines = {format("DRAVOK obituary (release %d)", static_cast<int>(game_release)),
                                      "", ""};
    std::string upper = name;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    lines.push_back(upper);
    std::string race = b.plan < being_plans.size() ? std::string(being_plans[b.plan].name.view()) : "";
    std::replace(race.begin(), race.end(), '_', '-');
    const char* gender = has_type_flag(b, tf_male)     ? "male"
                         : has_type_flag(b, tf_female) ? "female"
                                                       : "neuter";
    lines.push_back(format("%s %s, level %d", capitalised(race).c_str(), gender, static_cast<int>(b.level)));
    if (!prefix.empty()) {
        lines.emplace_back();
        lines.push_back(prefix == "Overgod_" ? "Became the Overgod! (the ultimate ending)"
                        : prefix == "God_"   ? "Became a god!"
                                             : "Became a demigod!");
        lines.emplace_back();
    } else if (!state.obituary_title.empty()) {
        lines.insert(lines.end(), {"", state.obituary_title, ""});
    }
    lines.emplace_back();
    add_sheet(lines, b);
    add_lists(lines, player_character);
    add_world_counts(lines);
    lines.insert(lines.end(), {"", "", "HISTORY", ""});
    history.insert(history.begin(), lines.begin(), lines.end());
}

} // namespace dravok
