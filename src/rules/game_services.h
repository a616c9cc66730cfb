// Installs the services of the rules, the generator and the AI that the world calls when it is
// reset or released (world/services.h). Called by the interface's installer at start-up and by the
// tests' world set-up.
#pragma once

namespace dravok {

void install_game_services();

} // namespace dravok
