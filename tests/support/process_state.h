// The process-wide state the tests share: the world's globals and blank records, the database
// tables and text database, the message log, the random seed and dice, the clock, the installed
// world services, key bindings, timers, event handlers, the graphics and sprite figures, the ray
// tables and the scratch grids of the level generator, sight and light. Before every test it is put back as a
// freshly started test process holds it, so the tests pass in any order within one process. Called by the
// test runner's main.
#pragma once

namespace dravok::testing {

// Notes the start-up values; once, before the first test.
void capture_start_state();
// Puts the whole process-wide state back to the start-up values.
void reset_process_state();
// Registers a listener that calls reset_process_state before every test.
void reset_state_before_each_test();

// Loads the game database the build made (the tables and text database); for fixtures that read
// the real content. The tables are reset before every test, so fixtures load it in SetUp.
bool load_built_database();

} // namespace dravok::testing
