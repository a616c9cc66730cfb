// Chatter and one-liners: a being speaking a line of a chatter trigger, when its cooldowns,
// its ability to talk and the player's perception allow. Called by the rules and the AI.
#pragma once
#include <string_view>

namespace dravok {

// True when the being said a line of the trigger (0..58) to the listener.
bool add_oneliner(int being, int listener, int trigger, int depth, std::string_view extra_text,
                  std::string_view section_prefix);

} // namespace dravok
