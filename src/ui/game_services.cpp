#include "ui/game_services.h"

#include "ai/attitudes.h"
#include "ai/catch_up.h"
#include "ai/decision.h"
#include "ai/emotion.h"
#include "ai/explore_targets.h"
#include "ai/followers.h"
#include "ai/light.h"
#include "ai/oneliners.h"
#include "ai/path_following.h"
#include "ai/paths.h"
#include "ai/places.h"
#include "ai/sight.h"
#include "ai/sleep.h"
#include "ai/teleport_watch.h"
#include "ai/witnesses.h"
#include "generation/marks.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/chatter.h"
#include "rules/equipment.h"
#include "rules/level_setup.h"
#include "rules/level_up.h"
#include "rules/pantheon.h"
#include "ui/key_entry.h"
#include "world/services.h"
#include "world/text_expand.h"

namespace dravok {

void install_game_services() {
    services.update_being = update_being;
    services.can_see = can_see;
    services.auto_equip_like_item = auto_equip_like_item;
    services.clear_static_lights = clear_static_lights;
    services.update_lights = update_lights;
    services.ai_see = ai_see;
    services.initial_sight = initial_sight;
    services.collect_light_sources = collect_light_sources;
    services.find_path = [](int being, int tx, int ty, int purpose, tpath& path) {
        if (!pathfind(being, tx, ty, false, false, purpose)) return false;
        path = path_result;
        return true;
    };
    services.ai_get_hostile = ai_get_hostile;
    services.ai_get_hostile_on_home_trespassers = ai_get_hostile_on_home_trespassers;
    services.forget_explore_targets = [] { explore_taken.fill(0); };
    services.add_being_to_level = add_being_to_level;
    services.place_demigods = place_demigods;
    services.level_up_recruitable_beings = level_up_recruitable_beings;
    services.update_level = update_level;
    services.ai_act = ai_act;
    services.take_path_step = take_path_step;
    services.ai_catch_up_rounds = ai_catch_up_rounds;
    // A stored map point counts as an action of the player: old log lines fade.
    services.remember_place = [](int x, int y) {
        if (remember_place(x, y)) command_acted = true;
    };
    services.ai_wake_up = ai_wake_up;
    services.add_situation_or_oneliner = add_situation_or_oneliner;
    services.say_death_lines = say_death_lines;
    services.add_oneliner = add_oneliner;
    services.check_witnesses = check_witnesses;
    services.count_witnesses = count_witnesses;
    services.touch_property_reactions = touch_property_reactions;
    services.find_defender = find_defender;
    services.sees_teleport_use = sees_teleport_use;
    services.add_emotions_against_target_master = add_emotions_against_target_master;
    services.clear_emotions = clear_emotions;
    services.emotion_hostile_since = emotion_hostile_since;
    services.find_emotion_entry = find_emotion_entry;
    services.get_angry = get_angry;
    services.get_emotion = get_emotion;
    services.inherit_emotions = inherit_emotions;
    services.is_afraid_of = is_afraid_of;
    services.is_friendly = is_friendly;
    services.mass_update_emotion = mass_update_emotion;
    services.remove_emotion_against_target = remove_emotion_against_target;
    services.remove_related_emotions = remove_related_emotions;
    services.update_emotion = update_emotion;
    services.update_fear = update_fear;
    services.update_party_friendliness = update_party_friendliness;
    services.free_pantheon = free_pantheon;
    deities_text = deities_list_text;
    services.clear_generator_lists = clear_marks;
}

} // namespace dravok
