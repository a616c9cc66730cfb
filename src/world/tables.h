// The database tables the game reads its content from, from entry 1: levels, portals,
// contents, item and being plans, talents and vault templates, loaded by world/database.h;
// their run-time fields are reset for every game. Defined and reset in world/world_lifecycle.cpp.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "records/layout_base.h"

namespace dravok {

struct tbeing_plan;
struct tcontent;
struct titem_plan;
struct tlevel;
struct tportal;
struct ttalent;
struct tvault;

// The database tables, from entry 1; their run-time fields are reset for every game.
extern std::vector<tlevel> levels;
// The levels as the database defines them: play writes the current level back over its entry
// whole (generator counters included), so a new game starts again from these.
extern std::vector<tlevel> level_definitions;
extern std::vector<tportal> portals;
extern std::vector<tcontent> contents;
extern std::vector<titem_plan> item_plans;
extern std::vector<ttalent> talents;
extern std::vector<tbeing_plan> being_plans;
extern std::vector<tvault> vaults;
// Per being plan and chatter trigger 1..58: the next time the plan may say it (run time,
// not saved; index 0 of each row unused).
extern std::vector<std::array<uint32_t, chatter_trigger_count + 1>> plan_chatter_times;

// Zeroes the run-time fields of the database tables for a new game.
void reset_table_run_fields();
// Forgets the images and variants the plans picked last, which new ones avoid (never saved).
void forget_plan_picks();

} // namespace dravok
