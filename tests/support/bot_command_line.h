// The command line of a one-game bot program ("SEED TURNS ..."): the process is set to run
// without a screen or sound and the seed and turn limit are read into the bot's options.
// Shared by the soak and census programs.
#pragma once
#include "support/play_bot.h"

namespace dravok::testing {

// False, with the usage printed, when the seed or the turn limit is missing.
bool read_bot_command_line(int argc, char** argv, const char* usage, bot_options& options);

} // namespace dravok::testing
