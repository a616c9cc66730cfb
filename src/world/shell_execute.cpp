#include "world/shell_execute.h"

#include <string>

#include "platform/desktop.h"

namespace dravok {

bool shell_execute(std::string_view file, std::string_view parameters, std::string_view folder,
                   [[maybe_unused]] int show_mode) {
    // A shell script is run (the updater's); anything else goes to the desktop's handler. The
    // show mode has no meaning for either on this desktop.
    std::string path(file);
    if (!folder.empty() && !path.empty() && path.front() != '/' && path.find("://") == std::string::npos)
        path = std::string(folder) + (folder.back() == '/' ? "" : "/") + path;
    if (path.size() > 3 && path.compare(path.size() - 3, 3, ".sh") == 0) return run_script(path, folder);
    if (!parameters.empty()) return start_detached({path, std::string(parameters)}, folder);
    return open_document(path);
}

} // namespace dravok
