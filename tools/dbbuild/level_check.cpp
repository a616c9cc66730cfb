#include "level_check.h"

#include <filesystem>
#include <unistd.h>

#include "compiler.h"
#include "generation/areas.h"
#include "generation/level_creation.h"
#include "platform/files.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_parts.h"
#include "ui/game_services.h"
#include "world/database.h"
#include "world/error_log.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok::dbbuild {

namespace {

// An error entry is an empty line, then the headline (release, date and time, message).
std::string newest_logged_message() {
    if (error_log_lines.size() < 2) return "no message";
    const std::string& headline = error_log_lines[1];
    const std::size_t gap = headline.rfind("     ");
    return gap == std::string::npos ? headline : headline.substr(gap + 5);
}

std::string place_of(const std::vector<std::string>& places, int index, const std::string& table) {
    if (index >= 1 && index <= static_cast<int>(places.size())) return places[index - 1];
    return table + " entry " + std::to_string(index);
}

bool content_placed(int content) {
    for (int a = 1; a <= area_high_index(); ++a)
        if (areas[a].content == content) return true;
    return false;
}

// The first failure of one generation of the level, "" when it was sound.
std::string level_failure(const tlevel& made_from, const tbuild_result& built) {
    if (quit_requested()) return "the level cannot be generated: " + newest_logged_message();
    for (int k = 0; k < 30; ++k)
        if (made_from.generator.forced_kind[k] != level.generator.forced_kind[k]) {
            std::string name;
            area_kind_name(made_from.generator.forced_kind[k], 0, name);
            return "the forced area " + name + " could not be built";
        }
    for (uint16_t c : made_from.forced_contents)
        if (c != 0 && !content_placed(c))
            return "forced content " + place_of(built.content_places, c, "contents") +
                   ": no area of the level can hold it";
    for (const tportal& p : portals)
        if (p.index != 0 && p.level == made_from.index && !on_map(p.x, p.y))
            return "portal " + place_of(built.portal_places, p.index, "portals") + " finds no place";
    return "";
}

} // namespace

std::vector<std::string> check_levels_build(const std::string& database_path, const tbuild_result& built,
                                            int seeds) {
    std::vector<std::string> errors;
    install_game_services();
    // The generator's error log goes to a folder of its own, not beside the content.
    const std::filesystem::path log_folder =
        std::filesystem::temp_directory_path() / ("dravok_dbbuild_" + std::to_string(::getpid()));
    std::filesystem::create_directories(log_folder);
    set_program_folder(log_folder.string());
    clear_quit_request();
    if (!load_database_from(database_path)) {
        errors.push_back("the written database could not be read back");
        std::filesystem::remove_all(log_folder);
        return errors;
    }
    const std::vector<tlevel> templates(levels.begin(), levels.end());
    for (int i = 1; i < static_cast<int>(templates.size()); ++i)
        for (int s = 1; s <= seeds; ++s) {
            reset_table_run_fields();
            error_log_lines.clear();
            level = templates[i];
            map_size = level.map_size;
            random_seed = static_cast<uint32_t>(104729 * s + i);
            create_level(1);
            const std::string failure = level_failure(templates[i], built);
            clear_quit_request();
            if (failure.empty()) continue;
            errors.push_back(place_of(built.level_places, i, "levels") + ": " + failure + " (seed " +
                             std::to_string(104729 * s + i) + ")");
            break;
        }
    std::filesystem::remove_all(log_folder);
    return errors;
}

} // namespace dravok::dbbuild
