#include "world/shell_execute.h"

#include "world/world_hooks.h"

namespace dravok {

bool shell_execute(std::string_view file, std::string_view parameters, std::string_view folder,
                   int show_mode) {
    if (!world_hooks.open_document) return false;
    return world_hooks.open_document(file, parameters, folder, show_mode);
}

} // namespace dravok
