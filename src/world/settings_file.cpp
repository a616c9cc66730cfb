// The settings file; see settings_file.h.
#include "world/settings_file.h"

namespace dravok {

void save_settings() {
    // not built yet: writing the settings file
}

} // namespace dravok
