// Placeholder expansion of game texts ("%his%", "%self%", "%INVENTORY%" ...) and the two
// sentence builders every action message uses. Called by the log, chatter, effects, dialogs.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace dravok {

// What a placeholder needs to know of one being.
struct ttext_person {
    std::string name;           // name without article
    std::string title;          // the name that "%self%" reveals (empty: the name stays)
    std::string master;         // the master name stored in the being
    std::string actor;          // the name after "The " ("%actor%"); empty: made from the name
    int gender = 0;             // 0 neuter, 1 male, 2 female
    int race = 0;               // type flag number of the race, 0 none
    bool self_revealed = false; // set when "%self%" was expanded
};

// The key caps of a command's bindings, looked up by command number 1..53. The key-binding
// screen installs its own; until it does the default bindings are shown.
extern std::function<std::string(int command)> command_key_caps;
// The pantheon list for "%deities%"; empty until the pantheon installs one.
extern std::function<std::string()> deities_text;

extern const char* const placeholder_command_names[54];
int find_command_name(std::string_view name); // ignoring case; 0 when unknown

// The gender word of a key ("he", "his", "milord" ...) for gender 0 neuter, 1 male, 2 female;
// empty when the key is no gender word.
std::string gender_word(std::string_view key, int gender);
// The race name of a type flag number 1..219, empty otherwise.
std::string race_name(int race);

// Expands the "%" placeholders with self and target given as plain facts (nullptr: none).
std::string expand_text_for(std::string_view text, ttext_person* self, const ttext_person* target);

// Expands the "%" placeholders with self and target given as being indices (0: none).
void expand_text(std::string_view text, int self, int target, std::string& out);

// "You hit the orc." / "The orc hits you." Empty when the player cannot see the actor or target.
void action_sentence(int actor, int target, std::string_view format, std::string& out,
                     std::string_view verb_for_others, std::string_view verb_for_player);
void player_or_other_text(int being, std::string_view for_player, std::string_view for_others,
                          std::string& out);

} // namespace dravok
