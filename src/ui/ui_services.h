// Installs the interface's services where the layers below call them (world/services.h): the
// redraws, dialogs, the spectator's clock and the world's reset and release entries, together
// with the game services of the rules, generator and AI. Called first thing by the window's
// creation handler, and by the tests' world set-up.
#pragma once

namespace dravok {

void install_ui_services();
// The interface's screen services alone (the tests run the rules with them but without the
// window's own release entries).
void install_presentation();

} // namespace dravok
