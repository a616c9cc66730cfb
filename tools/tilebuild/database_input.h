// The builder's input from the game's own files: the template tables of the game database
// (their order, identifiers and creature footprints) and, from the content's JSON, the icon
// name and colour each template chose.
#pragma once
#include <string>

#include "builder.h"

namespace dravok::tilebuild {

// Fills `input` from the database and the content folder; throws std::runtime_error naming
// the file and the template on a fault.
void read_database_input(const std::string& database_path, const std::string& content_dir, tart_input& input);

} // namespace dravok::tilebuild
