#include "ui/release_check.h"

namespace dravok {

// not built yet: the release check and the update script; no newer release is ever known
void run_release_check() {}
void start_release_fetch() {}
void write_and_start_update_script() {}
void delete_update_files() {}

} // namespace dravok
