// Opening a file, a folder or a web address with the system's default handler (the manual,
// the project's pages, a generated script). Called by the menus and the updater.
#pragma once
#include <string_view>

namespace dravok {

// Show modes as the callers pass them.
constexpr int show_normal = 1;
constexpr int show_hidden = 0;

// True when the handler was started; false when it could not start.
bool shell_execute(std::string_view file, std::string_view parameters, std::string_view folder,
                   int show_mode);

} // namespace dravok
