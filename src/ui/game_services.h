// Installs the services of the rules, the generator and the AI that the layers below them call
// upward (world/services.h): the AI's sight, light and turns, what the rules tell the creatures,
// and the world's reset and release entries. It sits with the interface, the one layer that may
// include them all. Called by the interface's installer at start-up, the tests' world set-up, the
// benchmarks and the database builder's level check.
#pragma once

namespace dravok {

void install_game_services();

} // namespace dravok
