// The settings file; see settings_file.h.
#include "world/settings_file.h"

namespace dravok {

void load_settings() {
    // not built yet: reading "Settings.txt"; the settings keep their defaults
}

void save_settings() {
    // not built yet: writing the settings file
}

} // namespace dravok
