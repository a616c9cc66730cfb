// The fixture of turn tests with the real content; see content_turns.h.
#include "support/content_turns.h"

#include "platform/files.h"
#include "records/layout_item.h"
#include "support/process_state.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/message_log.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok::testing {

namespace {
constexpr int level_item_room = 101;
constexpr int one_line_per_message = 100000, usual_log_width = 600;
} // namespace

void content_turns_test::SetUp() {
    ASSERT_TRUE(load_built_database());
    set_program_folder(folder_.path());
    error_log_lines.clear();
    reset_table_run_fields();
    level_items.assign(level_item_room, blank_item);
    log_area_width = one_line_per_message;
    if (seed_ != 0) random_seed = seed_;
}

void content_turns_test::TearDown() {
    set_program_folder("");
    log_area_width = usual_log_width;
    error_log_lines.clear();
    clear_quit_request();
}

int content_turns_test::carried(int being, const char* plan) {
    return get_amount_of_items(being, find_item_plan_by_name(plan), 0, 0);
}

} // namespace dravok::testing
