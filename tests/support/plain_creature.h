// A plain one-cell creature record for the play tests: a new serial, every ability 10, 200
// health, bare-handed, opens doors and sees 3 cells in the dark; no template, so it neither
// hates nor likes anybody. The test places it with add_being_to_level.
#pragma once
#include <string>

#include "records/layout_being.h"

namespace dravok::testing {

tbeing plain_creature(const char* name);
// The bare one-cell record the play records start from: a new serial, the name, every ability
// 10 and that much health; no template.
tbeing one_cell_being(const std::string& name, int health);

} // namespace dravok::testing
