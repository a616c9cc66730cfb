// The release check and self-update; see release_check.h.
#include "ui/release_check.h"

#include <charconv>
#include <fstream>

#include "platform/desktop.h"
#include "platform/files.h"
#include "world/state.h"

#ifndef DRAVOK_RELEASE_HOST
#define DRAVOK_RELEASE_HOST ""
#endif

namespace dravok {

namespace {

std::string host = DRAVOK_RELEASE_HOST;

constexpr const char* fetch_script = "Get_Release.sh";
constexpr const char* update_script = "Update.sh";
constexpr const char* release_file = "Release.txt";
constexpr const char* archive = "Dravok.zip";
// A release number has a few digits; a longer first line is not one.
constexpr std::size_t release_line_limit = 64;

// A shell word that stands for exactly this text.
std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

std::string in_folder(const char* name) {
    return program_folder() + name;
}

// The first line of the file as a release number; 0 when it is not one.
int release_in_file(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char buffer[release_line_limit] = {};
    file.read(buffer, sizeof buffer);
    std::string_view line(buffer, std::size_t(file.gcount()));
    line = line.substr(0, line.find_first_of("\r\n"));
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (ec != std::errc() || end != line.data() + line.size()) return 0;
    return value;
}

} // namespace

const std::string& release_host() {
    return host;
}

void set_release_host(std::string name) {
    host = std::move(name);
}

std::string release_address(const std::string& path) {
    return "https://" + host + path;
}

void fetch_release_file() {
    if (host.empty()) return;
    const std::string script =
        "#!/bin/sh\n" + quoted(in_folder("Update/curl")) + " --fail --silent --location --proto =https " +
        quoted(release_address("/Release.txt")) + " --output " + quoted(in_folder(release_file)) + "\n";
    if (write_file(in_folder(fetch_script), script)) run_script(in_folder(fetch_script), program_folder());
}

void check_release_file() {
    if (host.empty()) return;
    const std::string path = in_folder(release_file);
    if (!file_exists(path)) return;
    if (release_in_file(path) > game_release) state.update_available = 1;
    delete_file(path);
    delete_file(in_folder(fetch_script));
}

void write_update_script() {
    if (host.empty()) return;
    const bool keep = state.keep_settings;
    std::string s = "#!/bin/sh\n";
    s += "cd " + quoted(program_folder()) + " || exit 1\n";
    s += "fail() {\n  rm -f " + std::string(archive) + "\n  rm -rf Update_Staging\n";
    s += "  echo \"Last update failed: $1 " + host + "!\" >Update_Failed.txt\n  exit 1\n}\n";
    s += "Update/curl --fail --silent --location --proto =https " + quoted(release_address("/Dravok.zip")) +
         " --output " + archive + " || fail 'Could not download the game archive from'\n";
    s += "Update/7za t " + std::string(archive) +
         " >/dev/null || fail 'Could not download the game archive from'\n";
    // The archive is unpacked aside; the installation is replaced only once that worked.
    s += "rm -rf Update_Staging && mkdir Update_Staging || fail 'Could not unpack the game archive from'\n";
    s += "Update/7za x -oUpdate_Staging " + std::string(archive) +
         " >/dev/null || fail 'Could not unpack the game archive from'\n";
    s += "[ -d Update_Staging/Dravok/Data ] || fail 'Could not unpack the game archive from'\n";
    s += "while kill -0 " + std::to_string(current_process_id()) + " 2>/dev/null; do sleep 0.2; done\n";
    s += "[ -f Data/Dravok.dst ] && cp -p Data/Dravok.dst Update_Staging/Dravok/Data/\n";
    if (keep) {
        s += "[ -f Data/Settings.txt ] && cp -p Data/Settings.txt Update_Staging/Dravok/Data/\n";
        s += "[ -f Data/Keybindings.txt ] && cp -p Data/Keybindings.txt Update_Staging/Dravok/Data/\n";
    }
    s += "rm -rf Update_Old && mkdir Update_Old || fail 'Could not replace the game with the archive from'\n";
    s += "for f in Update_Staging/Dravok/* Save Temporary; do\n";
    s += "  n=$(basename \"$f\"); [ -e \"$n\" ] && mv \"$n\" Update_Old/\ndone\n";
    s += "if ! cp -R Update_Staging/Dravok/. . ; then\n  cp -R Update_Old/. .\n";
    s += "  fail 'Could not replace the game with the archive from'\nfi\n";
    s += "rm -rf Update_Old Update_Staging " + std::string(archive) + "\n";
    s += "[ -f Dravok.txt ] && xdg-open Dravok.txt >/dev/null 2>&1 &\n";
    s += "./dravok >/dev/null 2>&1 &\n";
    if (write_file(in_folder(update_script), s)) run_script(in_folder(update_script), program_folder());
}

void delete_update_files() {
    for (const char* name : {fetch_script, update_script, archive})
        delete_file(in_folder(name));
}

} // namespace dravok
