// Sounds: one roll of the kind's loudness, softened or betrayed by the maker's stealth, then
// handed to every being that can hear it.
#include "rules/sound.h"
#include "records/layout_being.h"
#include "records/layout_game.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "rules/checks.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/rounding.h"
#include "world/services.h"

namespace dravok {

uint32_t last_noise_decay_time = 0;

namespace {

struct sound_words {
    std::string_view loudness; // dice text
    std::string_view heard;    // "You hear %s %s." text; empty: not reported
    std::string_view floating; // floating text at the sound's cell; empty: none
};

constexpr std::array<sound_words, sound_kind_count + 1> sound_table = {{
    {"0", "", ""},
    {"0", "", ""},
    {"0", "", ""},
    {"0", "", ""},
    {"4+1d4", "someone walking in", ""},
    {"10+1d20", "a door creaking in", "creak"},
    {"5+1d10", "someone toggling something in", "toggle"},
    {"20+1d15", "someone bashing something in", "bash"},
    {"5+1d8", "", ""},
    {"20+1d25", "sounds of battle from", "sounds of battle"},
    {"15+1d10", "sounds of battle from", "sounds of battle"},
    {"20+1d20", "someone screaming in death throes in", "death scream"},
    {"15+1d10", "someone talking in", ""},
    {"30+3d10", "someone screaming in", "scream"},
    {"40+3d10", "an alarm screamed in", "scream"},
    {"40+3d10", "an animal roaring in", "roar"},
    {"40+3d10", "something shrieking in", "shriek"},
    {"20+1d10", "someone casting a spell in", "spell"},
    {"60", "", ""},
}};

constexpr std::array<std::string_view, 9> direction_words = {
    "", "north", "northeast", "east", "southeast", "south", "southwest", "west", "northwest"};

constexpr int stealth_skill = 7;
constexpr int stealth_difficulty = 15;
constexpr int betrayed_margin = 10;
constexpr int noisy_half_loudness = 10, noise_growth = 2;
constexpr int player_hears_from = 15;
constexpr uint32_t quiet_after_report = 45;
constexpr int direction_tolerance = 35;
constexpr uint32_t noise_decay_interval = 15;
constexpr int noise_decay_step = 20;
constexpr int friend_threshold = 3, relation_threshold = 2, walking_threshold = 2;
constexpr uint32_t report_white = 0xFFFFFF;

// Screams, alarms, shrieks, death throes and talk cannot be hushed.
bool stealth_applies(int kind) {
    return kind != sound_death && kind != sound_talk && kind != sound_scream && kind != sound_alarm &&
           kind != sound_shriek;
}

bool valid_area(int area) {
    return area >= 1 && area < int(areas.size());
}

// The maker's stealth halves the roll on success and doubles it on a failure by 10 or more.
int adjust_for_stealth(int maker, int kind, int roll) {
    if (maker < 1 || !stealth_applies(kind)) return roll;
    if (skill_check_roll(maker, stealth_skill, stealth_difficulty)) return round_half_even(roll * 0.5);
    const tbeing& b = beings[maker];
    if (int8_t(b.check_total) <= int8_t(b.check_target) - betrayed_margin) return roll * 2;
    return roll;
}

// The player's being reads where the sound came from, at most once per area every 45 units
// (doors, death throes and alarms always).
void tell_player(int hearer, const tsound& s, int heard) {
    if (heard < player_hears_from || !valid_area(s.area)) return;
    tarea& area = areas[s.area];
    if (area.quiet_time > game.game_clock && s.kind != sound_door && s.kind != sound_death &&
        s.kind != sound_alarm)
        return;
    const sound_words& words = sound_table[s.kind];
    const int dir = snap_direction(beings[hearer].x, beings[hearer].y, s.x, s.y, direction_tolerance);
    bool told = false;
    if (!words.heard.empty()) {
        const std::string_view where = dir >= 1 && dir <= 8 ? direction_words[dir] : std::string_view();
        add_message("$N" + ("You hear " + std::string(words.heard) + " " + std::string(where) + "."));
        told = true;
    }
    if (!words.floating.empty()) {
        add_indicator(s.x, s.y, words.floating, report_white, false, 0);
        told = true;
    }
    if (told) area.quiet_time = game.game_clock + quiet_after_report;
}

} // namespace

int heard_loudness(int loudness, int distance) {
    const int lost = (distance - 1) * 3 / 2; // trunc((distance - 1) * 1.5)
    return std::max(0, loudness - lost);
}

bool can_hear_sound(int maker, int listener, const tsound& sound) {
    if (listener == maker || !is_being_ok(listener)) return false;
    const tbeing& l = beings[listener];
    if (l.asleep_counter > 0) return true;
    if (!l.commanded) {
        const int k = sound.kind;
        if (k < 1 || k > stimulus_kind_count) return false;
        if (l.stimulus_chance[k - 1] == 0 || l.stimulus_range[k - 1] == 0) return false;
    }
    return services.can_see(listener, 0, sound.x, sound.y) == 0;
}

bool is_alerted_by_sound(int listener, const tsound& sound) {
    tbeing& l = beings[listener];
    if (l.ai_plan == plan_investigate) return false;
    if (l.area != sound.area && valid_area(l.area) && areas[l.area].noise >= sound.heard_loudness)
        return false;
    const int maker = sound.maker;
    const bool maker_ok = maker >= 1 && is_being_ok(maker);
    if (l.asleep_counter > 0) {
        int threshold = l.wake_up;
        if (maker_ok && services.is_friendly(listener, maker, 0, true)) threshold += friend_threshold;
        if (maker_ok && services.find_emotion_entry(listener, maker) >= 1) threshold += relation_threshold;
        if (sound.kind == sound_walking) threshold += walking_threshold;
        if (threshold <= sound.heard_loudness) services.ai_wake_up(listener, 0);
    }
    if (beings[listener].noticed_noise().heard_loudness >= sound.heard_loudness) return false;
    if (!maker_ok) return true;
    if (services.can_see(listener, 0, sound.x, sound.y)) return false;
    if (!services.is_friendly(listener, maker, 0, true)) return true;
    return sound.kind != sound_walking;
}

int32_t check_sounds(int maker, int x, int y, int depth, int kind) {
    depth = trace_enter(depth, trace_check_sounds);
    if (kind < 1 || kind > sound_kind_count) return 0;
    if (maker != 0 && !is_being_ok(maker, depth)) return 0;
    if (x == 0 && maker >= 1) {
        x = beings[maker].x;
        y = beings[maker].y;
    }
    if (!on_map(x, y)) return 0;

    tdice formula;
    parse_dice(sound_table[kind].loudness, formula);
    const int roll = roll_dice(formula);
    tsound s{};
    s.x = uint8_t(x);
    s.y = uint8_t(y);
    s.kind = uint16_t(kind);
    s.maker = uint16_t(maker);
    s.area = cell_at(x, y).area;
    s.half_loudness = uint16_t(roll / 2);
    s.time = game.game_clock;
    const int loudness = adjust_for_stealth(maker, kind, roll);
    s.loudness = uint16_t(loudness);

    if (valid_area(s.area)) {
        int32_t& noise = areas[s.area].noise;
        if (noise < s.half_loudness)
            noise = s.half_loudness;
        else if (s.half_loudness > noisy_half_loudness)
            noise += noise_growth;
    }
    if (maker >= 1 && beings[maker].made_sound.loudness < s.loudness) beings[maker].made_sound = s;

    for (int i = 1; i < int(beings.size()); ++i) {
        if (!can_hear_sound(maker, i, s)) continue;
        tsound heard = s;
        heard.distance = uint16_t(maker >= 1 ? get_being_distance(maker, i) : 0);
        heard.heard_loudness = uint16_t(heard_loudness(loudness, heard.distance));
        if (!beings[i].commanded) {
            if (is_alerted_by_sound(i, heard)) beings[i].noticed_noise() = heard;
        } else {
            tell_player(i, heard, heard.heard_loudness);
        }
    }
    return loudness;
}

void decay_area_noise() {
    // A new or loaded game may start its clock below the last decay of an earlier one.
    if (game.game_clock < last_noise_decay_time) last_noise_decay_time = game.game_clock;
    if (game.game_clock < last_noise_decay_time + noise_decay_interval) return;
    for (std::size_t a = 1; a < areas.size(); ++a)
        areas[a].noise = areas[a].noise < noise_decay_step ? 0 : areas[a].noise - noise_decay_step;
    last_noise_decay_time = game.game_clock;
}

} // namespace dravok
