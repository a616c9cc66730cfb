// Chatter and one-liners: what beings (and the speaking items they carry) say on occasions,
// with the per-being, per-plan and per-game cooldowns, the lines said lately, and whether the
// player perceives the speech. Called by the dialog answers, the AI, the rules and the reveals.
#pragma once
#include <string>
#include <string_view>

namespace dravok {

// The chatter triggers that the rules name (1..58; 0 is none).
enum chatter_trigger : int {
    chat_introduction_friendly = 1,
    chat_introduction_hostile = 2,
    chat_shouts_alarm = 5,
    chat_roars = 6,
    chat_fungus_shrieks = 7,
    chat_uses_die_hard = 8,
    chat_death = 10,
    chat_kills_player = 13,
    chat_rejoices_player_death = 14,
    chat_follower_death = 21,
    chat_follower_needs_help = 25,
    chat_follower_comments_level_up_05 = 31,
    chat_follower_comments_level_up_20 = 34,
    chat_follower_idle_chatter = 35,
    chat_sees_light = 43,
    chat_hears_noise = 44,
    chat_idle_chatter = 50,
    chat_idle_chatter_unseen = 51,
    chat_first_item = 52, // 52..58 belong to the speaking item the being carries
};

// The being says a line for the trigger (or, with trigger 0, from the section named by the
// prefix, or the extra text); true when something was said.
bool add_oneliner(int being, int listener, int trigger, int depth, std::string_view extra_text,
                  std::string_view section_prefix);
// A line for the being and trigger not said lately; false when there is none.
bool pick_chatter_line(int being, int trigger, std::string_view section_prefix, std::string& line,
                       bool strip_speaker_suffix, std::string_view section_name);
void set_chatter_cooldown(int being, int trigger);
bool can_chatter_now(int being, int trigger);
bool may_say_trigger(int being, int trigger, bool check_times, bool check_talk);
bool player_perceives_speech(int speaker, int listener, int trigger);

} // namespace dravok
