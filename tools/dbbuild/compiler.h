// The content compiler: reads the game's content (JSON templates and text files under
// content/), checks everything the game relies on, and writes the game database.
// Used by the dravok_dbbuild tool, which the build runs to make Data/Dravok.dbs.
#pragma once
#include <string>
#include <vector>

namespace dravok::dbbuild {

struct tbuild_result {
    std::vector<std::string> errors; // each names the file, the template and the field
    std::vector<std::string> warnings;
    std::string payload; // the plain database payload (before encoding)
    int sections = 0;
    // "file: name" of each level, content and portal, in table order, to name them later.
    std::vector<std::string> level_places, content_places, portal_places;
};

// Compiles the content folder into a plain payload. Errors leave the payload empty.
tbuild_result compile_content(const std::string& content_dir);

} // namespace dravok::dbbuild
