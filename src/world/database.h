// The game database: loads Data/Dravok.dbs into the seven template tables (world/tables.h)
// and the text database, with every check a damaged file needs. Called once at start-up.
#pragma once
#include <string>

#include "records/layout_files.h"

namespace dravok {

inline constexpr const char* database_name = "Dravok";

extern tdatabase_header database_header;

// Where the game's database lies: "Data/Dravok.dbs" beside the program.
std::string database_file_path();
// Loads the database beside the program. False after the one fatal
// message (missing or corrupt file); the quit request is then set.
bool load_database();
// The same for a database at the given path (tests, tools).
bool load_database_from(const std::string& path);

// The text database's chatter table from the loaded being plans.
void build_chatter_sections();

} // namespace dravok
