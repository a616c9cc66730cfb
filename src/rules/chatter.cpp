// Chatter and one-liners; see chatter.h.
#include "rules/chatter.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_plans.h"

#include <array>
#include <cstdint>

#include "records/being_flags.h"
#include "rules/sound.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_lists.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/history_file.h"
#include "world/indicators.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/text_database.h"
#include "world/text_expand.h"
#include "world/text_read.h"
#include "world/text_utilities.h"

namespace dravok {

namespace {

constexpr int32_t never = -1; // a cooldown of -1: never again
constexpr uint32_t never_time = 0xFFFFFFFFu;
constexpr uint32_t cooldown_step = 15;      // time units per cooldown step
constexpr uint32_t plan_cooldown_step = 45; // plans wait three times as long
constexpr uint32_t idle_delay = 2250;       // after a meeting, idle talk waits this long
constexpr uint32_t recent_span = 1500;      // the lines said lately are forgotten after this
constexpr std::size_t recent_kept = 20;
constexpr int repeat_draws = 21;
constexpr int unique_per_game = 1;
constexpr int hearing_distance = 13;

// Per trigger 1..58: the being's cooldown and the global one, in steps of 15 time units.
constexpr std::array<int32_t, chatter_trigger_count + 1> being_cooldown = {
    0,  -1, -1, 500, 100, -1, -1, 15,  -1, 50, -1,  20,  30, -1, -1, -1,  -1, 50, 20, -1,
    -1, -1, -1, 50,  30,  30, 30, 100, 30, 30, -1,  -1,  -1, -1, -1, 300, -1, -1, -1, -1,
    -1, -1, 20, -1,  -1,  -1, -1, -1,  -1, -1, 200, 100, -1, 50, -1, 30,  30, 30, 20};
constexpr std::array<int32_t, chatter_trigger_count + 1> global_cooldown = {
    0,  5, 10, 3,  3,  10, 10, 10, 5,  5,  5,   10, 10, -1, 4,  5,   10, 10, 10, 10,
    10, 1, 5,  10, 1,  1,  1,  10, 10, 10, 5,   10, 10, 10, 10, 150, 1,  5,  5,  5,
    3,  3, 10, 10, 10, 2,  30, 30, 30, 30, 100, 10, -1, 50, -1, 30,  30, 30, 20};

bool is_item_trigger(int t) {
    return t >= chat_first_item && t <= chatter_trigger_count;
}

bool speaks(int being) {
    return is_being_ok(being) && beings[being].present != 0;
}

int plan_of(int being) {
    const int plan = beings[being].plan;
    return plan >= 1 && plan < int(being_plans.size()) ? plan : 0;
}

uint32_t& plan_time(int plan, int t) {
    static uint32_t none = 0;
    if (plan < 1 || plan >= int(plan_chatter_times.size())) return none = 0;
    return plan_chatter_times[plan][t];
}

// The index of the speaking item among the being's items: the one equipped, else the one carried.
int speaking_item(int being) {
    const tbeing& b = beings[being];
    const int item = b.equipped_sentient != 0 ? b.equipped_sentient : b.carried_sentient;
    if (item < 1 || being >= int(being_items.size()) || item >= int(being_items[being].size())) return 0;
    return being_items[being][item].plan != 0 ? item : 0;
}

uint32_t after_steps(int32_t steps, uint32_t step) {
    return steps == never ? never_time : game.game_clock + uint32_t(steps) * step;
}

// The section of the being's lines for the trigger; 0 when none.
int chatter_section(int being, int trigger, std::string_view prefix, std::string_view name) {
    if (!name.empty()) return find_text_section(name);
    if (trigger < 1 || trigger > chatter_trigger_count) return prefix.empty() ? 0 : find_text_section(prefix);
    if (is_item_trigger(trigger)) {
        // The speaking item's lines are its own: its identifier names the section.
        const int item = speaking_item(being);
        if (item == 0) return 0;
        return find_text_section(being_items[being][item].identifier.str() + "_" +
                                 chatter_trigger_names[trigger]);
    }
    std::string section = beings[being].identifier.str() + "_" + chatter_trigger_names[trigger];
    if (!prefix.empty()) return find_text_section(std::string(prefix) + "_" + section);
    const int plan = plan_of(being);
    if (plan >= 1 && plan < int(chatter_sections.size()) && chatter_sections[plan][trigger] != 0)
        return chatter_sections[plan][trigger];
    return find_text_section(section);
}

bool said_lately(const std::string& line) {
    for (const std::string& said : recent_chatter)
        if (said == line) return true;
    return false;
}

// A leading "<text>" is the speaker's name suffix; it is cut from the line.
std::string cut_speaker_suffix(std::string& line) {
    if (line.empty() || line[0] != '<') return {};
    const std::size_t close = line.find('>');
    if (close == std::string::npos) return {};
    std::string suffix = line.substr(1, close - 1);
    line = std::string(trim_text(std::string_view(line).substr(close + 1)));
    return suffix;
}

bool player_sees(int being) {
    return is_being_ok(player) && services.can_see(player, being, 0, 0) != 0;
}

} // namespace

bool pick_chatter_line(int being, int trigger, std::string_view section_prefix, std::string& line,
                       bool strip_speaker_suffix, std::string_view section_name) {
    line.clear();
    if (!speaks(being)) return false;
    const int section = chatter_section(being, trigger, section_prefix, section_name);
    if (section < 1 || section >= int(text_sections.size())) return false;

    if (game.game_clock - last_chatter_time < recent_span) {
        if (recent_chatter.size() > recent_kept)
            recent_chatter.erase(recent_chatter.begin(), recent_chatter.end() - std::ptrdiff_t(recent_kept));
    } else {
        recent_chatter.clear();
        last_chatter_time = 0;
    }

    const ttext_section& s = text_sections[section];
    if (section_names[section].find("_shop_") != std::string::npos) {
        get_section_text(section, {}, -1, line);
    } else if (s.count == 1) {
        get_section_text(section, {}, 0, line); // entries count from 0
        if (line.empty()) return false;
        if ((trigger == chat_introduction_friendly || trigger == chat_introduction_hostile) &&
            said_lately(line)) {
            beings[being].chatter_time_of(trigger) = after_steps(being_cooldown[trigger], cooldown_step);
            line.clear();
            return false;
        }
    } else {
        bool fresh = false;
        for (int i = 0; i < repeat_draws && !fresh; ++i) {
            // An emptied bag (idle talk used up) gives nothing.
            const int entry = text_sections[section].left > 0 ? draw_from_section(section) : -1;
            if (entry < 0) {
                line.clear();
                return false;
            }
            get_section_text(section, {}, entry, line);
            fresh = !said_lately(line);
        }
        if (!fresh) {
            line.clear();
            return false;
        }
    }
    if (line.empty()) return false;
    if (!said_lately(line)) recent_chatter.push_back(line);
    if (strip_speaker_suffix) cut_speaker_suffix(line);
    return true;
}

bool may_say_trigger(int being, int trigger, bool check_times, bool check_talk) {
    if (trigger == 0) return true;
    if (!speaks(being) || trigger < 0 || trigger > chatter_trigger_count) return false;
    const uint32_t clock = game.game_clock;
    const uint32_t game_time = game.chatter_cooldown_of(trigger);
    tbeing& b = beings[being];
    if (is_item_trigger(trigger)) {
        const int item = speaking_item(being);
        if (item == 0) return false;
        const uint32_t item_time = being_items[being][item].chatter_time_of(trigger);
        if (item_time == never_time || item_time > clock || clock < game_time) return false;
        return !check_talk || (services.choose_bubble_slot(being) != 0);
    }
    const int plan = plan_of(being);
    if (plan == 0 || being_plans[plan].chatter_switch_of(trigger) == 0) return false;
    const uint32_t own = b.chatter_time_of(trigger), planned = plan_time(plan, trigger);
    if (own == never_time || planned == never_time || game_time == never_time) return false;
    if (check_times) {
        if (own > clock || clock < planned) return false;
        // Within the game's cooldown only a unique being may still introduce itself or speak of death.
        if (clock < game_time) {
            const bool exempt = trigger == chat_introduction_friendly ||
                                trigger == chat_introduction_hostile || trigger == chat_death ||
                                trigger == chat_kills_player || trigger == chat_rejoices_player_death;
            if (!exempt || !has_type_flag(b, tf_unique)) return false;
        }
    }
    return !check_talk || (services.choose_bubble_slot(being) != 0);
}

bool can_chatter_now(int being, int trigger) {
    if (trigger <= 0) return true;
    if (!speaks(being) || trigger > chatter_trigger_count) return false;
    const uint32_t clock = game.game_clock;
    const uint32_t own = beings[being].chatter_time_of(trigger), planned = plan_time(plan_of(being), trigger),
                   game_time = game.chatter_cooldown_of(trigger);
    if (own == never_time || planned == never_time || game_time == never_time) return false;
    if (own > clock || clock < planned || clock < game_time) return false;
    return (services.choose_bubble_slot(being) != 0);
}

// Whom the speaker addresses does not matter: only whether the player sees or hears it.
bool player_perceives_speech(int speaker, [[maybe_unused]] int listener, int trigger) {
    if (trigger == 0) return true;
    if (!is_being_ok(player) || !is_being_ok(speaker)) return false;
    const bool noticed = trigger == chat_sees_light || trigger == chat_hears_noise;
    if (noticed) {
        const tbeing& s = beings[speaker];
        const bool marked = trigger == chat_sees_light ? s.seen_light_mark != 0 : s.heard_noise_mark != 0;
        const bool on_screen = s.x >= settings.view_left && s.x <= settings.view_right &&
                               s.y >= settings.view_top && s.y <= settings.view_bottom;
        return marked && get_being_distance(player, speaker) < hearing_distance && on_screen;
    }
    if (player_sees(speaker)) return true;
    switch (trigger) {
    case chat_shouts_alarm:
    case chat_roars:
    case chat_fungus_shrieks:
    case chat_death:
    case chat_follower_needs_help:
    case chat_idle_chatter_unseen:
        return true; // loud enough to be heard unseen
    default:
        return false;
    }
}

void set_chatter_cooldown(int being, int trigger) {
    if (!speaks(being) || trigger < 1 || trigger > chatter_trigger_count) return;
    tbeing& b = beings[being];
    const int32_t own_steps = being_cooldown[trigger], global_steps = global_cooldown[trigger];
    if (is_item_trigger(trigger)) {
        const int item = speaking_item(being);
        if (item != 0)
            being_items[being][item].chatter_time_of(trigger) = after_steps(own_steps, cooldown_step);
        game.chatter_cooldown_of(trigger) = after_steps(global_steps, cooldown_step);
        return;
    }
    if (b.chatter_time_of(trigger) != never_time)
        b.chatter_time_of(trigger) = after_steps(own_steps, cooldown_step);
    if (trigger == chat_introduction_friendly || trigger == 3) {
        if (may_say_trigger(being, chat_idle_chatter, false, false))
            b.chatter_time_of(chat_idle_chatter) = game.game_clock + idle_delay;
        if (may_say_trigger(being, chat_follower_idle_chatter, false, false))
            b.chatter_time_of(chat_follower_idle_chatter) = game.game_clock + idle_delay;
    }
    const int plan = plan_of(being);
    if (global_steps == never) {
        plan_time(plan, trigger) = never_time;
        game.chatter_cooldown_of(trigger) = never_time;
        return;
    }
    if (plan != 0 && being_plans[plan].max_per_game != unique_per_game) {
        const uint32_t step = trigger == chat_rejoices_player_death ? cooldown_step : plan_cooldown_step;
        plan_time(plan, trigger) = after_steps(global_steps, step);
    }
    game.chatter_cooldown_of(trigger) = after_steps(global_steps, cooldown_step);
}

bool add_oneliner(int being, int listener, int trigger, int depth, std::string_view extra_text,
                  std::string_view section_prefix) {
    depth = trace_enter(depth, trace_add_oneliner);
    if (!speaks(being)) return false;
    const bool listed = trigger >= 1 && trigger <= chatter_trigger_count;
    if (!listed && extra_text.empty() && section_prefix.empty()) return false;
    if (!listed) trigger = 0;
    if (!may_say_trigger(being, trigger, true, true) || !player_perceives_speech(being, listener, trigger))
        return false;

    std::string line;
    if (listed || !section_prefix.empty()) pick_chatter_line(being, trigger, section_prefix, line, false, {});
    if (!extra_text.empty())
        line = line.empty() ? std::string(extra_text) : line + " " + std::string(extra_text);
    if (line.empty()) return false;
    std::string suffix = cut_speaker_suffix(line);
    if (!suffix.empty()) suffix = " " + suffix;
    line = std::string(trim_text(line));

    const bool unmute = state.log_muted != 0 && state.speech_passes != 0;
    if (unmute) state.log_muted = 0;
    if (is_item_trigger(trigger))
        add_speech_message(being, listener, speaking_item(being), line, suffix);
    else
        add_speech_message(being, listener, 0, line, suffix);
    services.add_speech_bubble(being, listener, trigger, line);
    if (unmute) state.log_muted = 1;

    const bool notable =
        state.died != 0 || state.won != 0 || trigger == chat_follower_death ||
        (trigger >= chat_follower_comments_level_up_05 && trigger <= chat_follower_comments_level_up_20);
    if (listener != 0 && listener == player_character && player_sees(being) && notable) {
        std::string said;
        expand_text(line, being, listener, said);
        add_history(capitalize(being_name(being, name_capitalised)) + ": \"" +
                    std::string(trim_text(strip_colour_codes(said))) + "\"");
    }

    if (trigger > 0) set_chatter_cooldown(being, trigger);
    tbeing& b = beings[being];
    b.idle_turns = 0;
    if (trigger == chat_follower_idle_chatter || trigger == chat_idle_chatter ||
        trigger == chat_idle_chatter_unseen) {
        // Idle talk that has used up its lines is not repeated.
        const int section = chatter_section(being, trigger, {}, {});
        if (section >= 1 && section < int(text_sections.size()) && text_sections[section].left == 0)
            b.chatter_time_of(trigger) = never_time;
    }

    int kind = sound_talk;
    if (trigger == chat_shouts_alarm)
        kind = sound_alarm;
    else if (trigger == chat_roars)
        kind = sound_roar;
    else if (trigger == chat_fungus_shrieks)
        kind = sound_shriek;
    else if (is_item_trigger(trigger))
        kind = sound_scream; // the kind a speaking item makes heard
    check_sounds(being, 0, 0, depth, kind);
    last_chatter_time = game.game_clock;
    return true;
}

} // namespace dravok
