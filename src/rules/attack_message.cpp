#include "rules/attack_message.h"
#include "records/layout_being.h"

#include <cctype>
#include <cstdio>

#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/item_record.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"

namespace dravok {

namespace {

constexpr const char* weapon_verbs_player[7][4] = {
    {"attack", "attack", "attack", "attack"},
    {"strike", "bash", "smash", "beat"},
    {"thrust", "thrust", "stab", "stab"},
    {"slash", "slash", "cut", "strike"},
    {"thrust %s at", "thrust %s at", "thrust %s at", "thrust %s at"},
    {"shoot %s at", "shoot %s at", "shoot %s at", "shoot %s at"},
    {"throw %s at", "throw %s at", "throw %s at", "throw %s at"}};
constexpr const char* weapon_verbs_other[7][4] = {
    {"attacks", "attacks", "attacks", "attacks"},
    {"attacks", "bashes", "smashes", "beats"},
    {"attacks", "thrusts", "stabs", "strikes"},
    {"attacks", "slashes", "cuts", "strikes"},
    {"thrusts %s at", "thrusts %s at", "thrusts %s at", "thrusts %s at"},
    {"shoots %s at", "shoots %s at", "shoots %s at", "shoots %s at"},
    {"throws %s at", "throws %s at", "throws %s at", "throws %s at"}};
constexpr const char* natural_verbs_player[21] = {"",
                                                  "punch",
                                                  "kick",
                                                  "touch",
                                                  "claw",
                                                  "slam",
                                                  "hug",
                                                  "bite",
                                                  "gore",
                                                  "crush",
                                                  "sting",
                                                  "drool over",
                                                  "tail attack",
                                                  "wing attack",
                                                  "tentacle attack",
                                                  "gaze at",
                                                  "spit at",
                                                  "breath at",
                                                  "shoot spikes at",
                                                  "release spores at",
                                                  "tongue lash"};
constexpr const char* natural_verbs_other[21] = {"",
                                                 "punches",
                                                 "kicks",
                                                 "touches",
                                                 "claws",
                                                 "slams",
                                                 "hugs",
                                                 "bites",
                                                 "gores",
                                                 "crushes",
                                                 "stings",
                                                 "drools over",
                                                 "tail attacks",
                                                 "wing attacks",
                                                 "swings tentacles at",
                                                 "gazes at",
                                                 "spits on",
                                                 "breathes at",
                                                 "shoots spikes at",
                                                 "releases spores at",
                                                 "tongue lashes"};

std::string format1(const char* pattern, const std::string& value) {
    const std::string p(pattern);
    const std::size_t at = p.find("%s");
    if (at == std::string::npos) return p;
    return p.substr(0, at) + value + p.substr(at + 2);
}

std::string capitalised(std::string s) {
    if (!s.empty()) s[0] = char(std::toupper(static_cast<unsigned char>(s[0])));
    return s;
}

} // namespace

void compose_attack_message(int attacker, int defender, int group, std::string& out, const tdamage& result,
                            bool hit, int defence, const titem& item, int attack_value) {
    out.clear();
    const std::string adjective = defence == defence_asleep ? "sleeping" : "";
    const bool attacker_seen = is_being_ok(player, 0) && services.can_see(player, attacker, 0, 0);
    const bool defender_seen = is_being_ok(player, 0) && services.can_see(player, defender, 0, 0);
    if (!attacker_seen && !defender_seen) return;
    const tbeing& a = beings[attacker];
    const tbeing& d = beings[defender];
    const int gender = defender_seen ? int(d.gender) : int(tf_neuter);

    std::string weapon;
    if (item.serial != 0) item_name(item.name.view(), 1, item.stackable, weapon, attacker, 3);

    const bool attacker_is_player = has_type_flag(a, tf_player);
    const bool lifeless = has_type_flag(d, tf_construct) || has_type_flag(d, tf_undead);
    std::string subject, hit_word, miss_word, kill_word;
    if (attacker_is_player) {
        subject = "You";
        hit_word = "hit";
        miss_word = "miss";
        kill_word = lifeless ? "destroy" : "kill";
    } else {
        subject = attacker_seen ? being_name(attacker, name_the_capital) : "Someone";
        hit_word = "hits";
        miss_word = "misses";
        kill_word = lifeless ? "destroys" : "kills";
    }

    std::string verb;
    if (group <= 6) {
        const int r = random(4);
        verb = format1((attacker_is_player ? weapon_verbs_player : weapon_verbs_other)[group][r], weapon);
        if (has_item_flag(item, if_whip)) verb = attacker_is_player ? "slash" : "slashes";
    } else {
        const int k = group - 7;
        if (k >= 1 && k <= 20) verb = attacker_is_player ? natural_verbs_player[k] : natural_verbs_other[k];
    }
    const std::string suffix = group >= 4 && group <= 6 ? "" : (!weapon.empty() ? " with " + weapon : "");

    std::string object, object_pronoun, subject_pronoun, defence_verb;
    if (has_type_flag(d, tf_player)) {
        object = "you" + suffix;
        object_pronoun = subject_pronoun = "you";
        defence_verb = defence == defence_dodge                                        ? "dodge"
                       : defence == defence_parry_main || defence == defence_parry_off ? "parry"
                       : defence == defence_block                                      ? "block"
                                                                                       : "";
    } else {
        object = (defender_seen ? being_name(defender, name_the, adjective) : "someone") + suffix;
        object_pronoun = gender == tf_male ? "him" : gender == tf_female ? "her" : "it";
        subject_pronoun = gender == tf_male ? "he" : gender == tf_female ? "she" : "it";
        defence_verb = defence == defence_dodge                                        ? "dodges"
                       : defence == defence_parry_main || defence == defence_parry_off ? "parries"
                       : defence == defence_block                                      ? "blocks"
                                                                                       : "";
    }

    const int threshold = group == 0 ? 8 : 10;
    if (hit && result.killed) {
        out = "$X" + subject + " " + verb + " " + object + " and " + kill_word + " " + object_pronoun + "!";
    } else if (hit) {
        out = "$X" + subject + " " + verb + " " + object + " and " + hit_word + "!";
    } else if (attack_value >= threshold && !defence_verb.empty()) {
        out = "$X" + subject + " " + verb + " " + object + " but " + subject_pronoun + " " + defence_verb +
              " the attack.";
    } else {
        out = "$X" + subject + " " + verb + " " + object + " but " + miss_word + ".";
    }

    if (hit) {
        const std::string amount = damage_result_to_text(result);
        out += "$F (" + amount + ")";
        if (amount != "0" && result.critical) out += " (critical hit)";
        out += "$B";
        if (defender_seen && adjective == "sleeping" && !result.killed) {
            out += " " + capitalised(being_name(defender, name_the_capital)) + " wakes up!";
        }
    }
}

} // namespace dravok
