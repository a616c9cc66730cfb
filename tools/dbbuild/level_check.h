// The builder's level check: reads a written database back as the game does and creates every
// level of it over a few seeds, so that content the generator cannot build is refused, naming
// the level, forced content or portal that failed. Called by dravok_dbbuild before it keeps
// the database.
#pragma once
#include <string>
#include <vector>

namespace dravok::dbbuild {

struct tbuild_result;

constexpr int level_check_seeds = 4;

// One message per failing entry; empty when every level was built every time.
std::vector<std::string> check_levels_build(const std::string& database_path, const tbuild_result& built,
                                            int seeds);

} // namespace dravok::dbbuild
