#include "world/coins.h"

#include "world/being_items.h"
#include "world/error_log.h"
#include "world/item_placement.h"
#include "world/settings_record.h"

namespace dravok {

void add_coins_to_being(int being, int amount, int depth) {
    depth = trace_enter(depth, trace_add_coins_to_being);
    if (amount > 0) adjust_wealth(being, amount, depth);
}

int being_coins(int being) {
    if (settings.coin_plan < 1 || being < 1 || being >= int(being_items.size())) return 0;
    return get_amount_of_items(being, settings.coin_plan, 0, 0);
}

} // namespace dravok
