// Ending the game on a signal: SIGTERM, SIGINT and SIGHUP only set a flag here; the event loop
// turns it into the same close request as closing the window, and a message box on screen is
// taken down at once (message_box.h), so the game always ends in order and clears its
// temporary files. A second signal of the same kind ends the program at once.
#pragma once

namespace dravok {

// Installs the handlers (the game's start-up, before SDL starts so SDL keeps its own off).
void install_termination_handlers();
// Restores the default handling and forgets a pending request (tests).
void remove_termination_handlers();

// A signal asked the game to end.
bool termination_requested();

} // namespace dravok
