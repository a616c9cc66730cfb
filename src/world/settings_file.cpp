#include "world/settings_file.h"

namespace dravok {

void load_settings() {
    // not built yet: reading "Settings.txt"; the settings keep their defaults
}

} // namespace dravok
