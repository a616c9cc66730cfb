// The coins a being carries: what a shopkeeper is paid with. Called by trade with shopkeepers.
#pragma once

namespace dravok {

// Coins given to a being (a shopkeeper): its coin item grows, or a new one is made.
void add_coins_to_being(int being, int amount, int depth);
// Coins the being carries.
int being_coins(int being);

} // namespace dravok
