// The being side of the text units: placeholders filled from beings, the two sentence builders
// and speech lines in the log. The plain-text work lives in text_expand.cpp and message_log.cpp.
#include <cstdint>

#include "records/layout_being.h"
#include "records/layout_item.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/services.h"
#include "world/text_database.h"
#include "world/text_expand.h"

namespace dravok {

static ttext_person person_of(int being) {
    ttext_person p;
    const tbeing& b = beings[being];
    p.name = b.name.str();
    p.title = b.title.str();
    p.master = b.master_name.str();
    p.gender = b.gender == 135 ? 1 : b.gender == 136 ? 2 : 0;
    p.race = b.race;
    p.actor = being_name(being, name_the_capital);
    return p;
}

static bool valid_index(int being) {
    return being >= 1 && static_cast<std::size_t>(being) < beings.size();
}

void expand_text(std::string_view text, int self, int target, std::string& out) {
    bool has_self = valid_index(self), has_target = valid_index(target);
    ttext_person s = has_self ? person_of(self) : ttext_person{};
    ttext_person t = has_target ? person_of(target) : ttext_person{};
    if (has_self && self == target) t = s;
    out = expand_text_for(text, has_self ? &s : nullptr, has_target ? &t : nullptr);
    if (has_self && s.self_revealed) {
        // "%self%" reveals the speaker's name: its title becomes its name, unless the being
        // keeps its old name for the next texts.
        tbeing& b = beings[self];
        b.name_known = 1;
        if (!b.title.empty() && !has_type_flag(b, 166)) b.name = b.title.view();
    }
}

void action_sentence(int actor, int target, std::string_view format, std::string& out,
                     std::string_view verb_for_others, std::string_view verb_for_player) {
    out.clear();
    std::string subject, verb, object;
    if (actor != player) {
        if (!services.can_see(player, actor, 0, 0)) return;
        subject = being_name(actor, name_the_capital);
        verb = verb_for_others;
    } else {
        subject = "You";
        verb = verb_for_player;
    }
    bool has_object = target >= 1;
    if (has_object) {
        if (!services.can_see(player, target, 0, 0)) return;
        object = target == player ? std::string("you") : being_name(target, name_the);
    }
    std::string f(format);
    if (f.empty()) f = has_object ? "%s %s %s." : "%s %s.";
    // Fill "%s" in order: subject, verb, object.
    const std::string* parts[] = {&subject, &verb, &object};
    int next = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] == '%' && i + 1 < f.size() && f[i + 1] == 's') {
            if (next < 3) out += *parts[next++];
            ++i;
        } else {
            out += f[i];
        }
    }
}

void player_or_other_text(int being, std::string_view for_player, std::string_view for_others,
                          std::string& out) {
    out.assign(being == player ? for_player : for_others);
}

void add_speech_message(int speaker, int target, int item, std::string_view text,
                        std::string_view name_suffix) {
    if (!is_being_ok(speaker)) return;
    std::string expanded;
    expand_text(text, speaker, target, expanded);
    if (trim_text(expanded).empty()) return;
    std::string shown;
    if (!services.can_see(player, speaker, 0, 0)) {
        shown = "Someone";
    } else if (item > 0 && static_cast<std::size_t>(speaker) < being_items.size() &&
               static_cast<std::size_t>(item) < being_items[speaker].size()) {
        // A speaking item is named by its own display name.
        shown = being_items[speaker][item].name.str();
        capitalize_first(shown);
    } else {
        shown = being_name(speaker, name_the_capital);
    }
    add_speech_line(shown, name_suffix, expanded);
}

} // namespace dravok
