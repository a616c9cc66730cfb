// Chatter and one-liners: what beings say on occasions. Called by the dialog answers, the AI and
// the rules.
#pragma once
#include <string_view>

namespace dravok {

// The being says a line for the trigger (or from the section prefix + its identifier); true
// when something was said.
bool add_oneliner(int being, int listener, int trigger, int depth, std::string_view extra_text,
                  std::string_view section_prefix);

// Whether the being may say the trigger now: its cooldowns (check_times) and its ability to
// talk (check_talk).
bool may_say_trigger(int being, int trigger, bool check_times, bool check_talk);

} // namespace dravok
