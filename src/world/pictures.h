// Pictures of the game and the record of the last keys: screenshots, the image of the whole
// map, and the key history kept in the game record for the error report. Called by the key
// controller and the main commands.
#pragma once

namespace dravok {

// Shifts the key history down and notes the key as its newest entry.
void record_key_history(int key, int modifier, int command);
void take_screenshot();
void save_map_image();

} // namespace dravok
