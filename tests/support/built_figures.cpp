#include "support/built_figures.h"

#include <string>

#include "records/layout_plans.h"
#include "records/tileset_file.h"
#include "ui/tileset.h"
#include "world/item_record.h"
#include "world/tables.h"

namespace dravok {

bool load_built_sprite_figures() {
    ttileset_expectation expect;
    expect.being_plans = being_plans.empty() ? 0 : int(being_plans.size()) - 1;
    expect.item_plans = item_plans.empty() ? 0 : int(item_plans.size()) - 1;
    expect.talents = talents.empty() ? 0 : int(talents.size()) - 1;
    expect.coin_plan = find_item_plan_by_name("it_coin");
    return load_sprite_figures(std::string(DRAVOK_DATA_DIR) + "/Dravok.dti", expect);
}

} // namespace dravok
