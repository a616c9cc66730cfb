// The settings file "Settings.txt": writing the player's preferences. Called by the settings
// menu when it is left.
#pragma once

namespace dravok {

void save_settings();

} // namespace dravok
