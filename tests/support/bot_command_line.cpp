#include "support/bot_command_line.h"

#include <cstdlib>
#include <iostream>
#include <string>

namespace dravok::testing {

bool read_bot_command_line(int argc, char** argv, const char* usage, bot_options& options) {
    if (argc < 3) {
        std::cerr << "usage: " << usage << "\n";
        return false;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("DRAVOK_HEADLESS", "1", 0);
    options.seed = uint32_t(std::stoul(argv[1]));
    options.turn_limit = std::stoi(argv[2]);
    return true;
}

} // namespace dravok::testing
