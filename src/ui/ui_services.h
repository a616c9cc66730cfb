// Installs the interface's services where the layers below call them: the presentation table
// (redraws, dialogs, the spectator's clock) and the world's reset and release hooks, together
// with the game services of the rules, generator and AI. Called first thing by the window's
// creation handler, and by the tests' world set-up.
#pragma once

namespace dravok {

void install_ui_services();
// The presentation table alone (the tests run the rules with the interface's presentation but
// without the window's own release hooks).
void install_presentation();

} // namespace dravok
