#include "world/host.h"

#include <ctime>
#include <filesystem>
#include <iostream>

namespace dravok {

namespace {
std::optional<tlocal_time> fixed_time;
}

void show_message_box(std::string_view text) { std::cerr << text << '\n'; }

std::string program_folder_path() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    std::string folder = error ? std::filesystem::current_path(error).string() : exe.parent_path().string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

tlocal_time local_time_now() {
    if (fixed_time) return *fixed_time;
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

void set_fixed_local_time(std::optional<tlocal_time> fixed) { fixed_time = fixed; }

} // namespace dravok
