// Save games in the save folder: the names and paths of a save's three files, their deletion,
// the save list the load menu shows (with each save's summary sheet), the run-time state of the
// database tables that a save carries, and the characters file of past characters. Called by
// saving and loading, the menus and character creation.
#pragma once
#include <string>
#include <string_view>

#include "records/byte_stream.h"
#include "records/layout_files.h"

namespace dravok {

inline constexpr uint32_t save_release = 15;
inline constexpr const char* save_extension = ".dsg";
inline constexpr const char* summary_extension = ".dsi";
inline constexpr const char* save_history_extension = ".dsr";
// Added to each of the three names while a save is written.
inline constexpr const char* new_save_file_suffix = ".new";

// "Save/" + name + extension beside the program.
std::string save_file_path(std::string_view name, std::string_view extension);

// Deletes the .dsg, .dsi and .dsr of the name; save_files_gone is true when none is left.
void delete_save_files(std::string_view name);
bool save_files_gone(std::string_view name);

// The summary sheet of a save into past_characters[index]; false (and the save's files deleted)
// when the summary is missing, damaged or does not belong to its save. False without deleting
// when the save itself is missing.
bool read_save_summary(const std::string& name, int index);
// save_names from the save folder, newest first, each with its summary in past_characters. A save
// cut short by the end of the program is first finished or dropped, and the temporary files of
// unfinished writes removed.
void build_save_list();
// The characters file: the sheet becomes entry 1 (the last played) and, pregenerated, a stored
// character of its own; past_characters read back from the file.
void save_characters(const tcharacter& sheet, bool pregenerated);
void load_characters();

// The run-time fields of the database tables (levels, portals, vaults, contents, item and being
// plans) as a save carries them; both zero the per-level scratch fields, and reading also forgets
// the unsaved memory of recent picks (images, variants, splashes) of earlier games.
void write_global_state(tbyte_stream& stream);
void read_global_state(tbyte_stream& stream);
// The bytes write_global_state writes for the tables as loaded.
std::size_t global_state_size();

} // namespace dravok
