// Start and end of the platform layer: SDL's video and event subsystems (started on first need
// by the window and the event loop), and the headless switch used by tests and CI.
#pragma once

namespace dravok {

// Starts SDL video and events once; false (with the reason on standard error) when it fails.
bool init_platform_video();
// Closes the cached fonts, timers and SDL. Called once when the program ends.
void shutdown_platform();
// True when the program runs without a screen: DRAVOK_HEADLESS=1 or SDL_VIDEODRIVER=dummy.
bool is_headless();

} // namespace dravok
