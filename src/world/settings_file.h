// The settings file "Settings.txt": reading it into the settings record at start-up and
// writing it back when the player changes a setting. Called by the window's start-up and the
// settings menu.
#pragma once

namespace dravok {

void load_settings();
void save_settings();

} // namespace dravok
