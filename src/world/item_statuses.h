// The statuses a being's carried items give it: the device statuses of carried devices and the
// marks of a carried or equipped sentient item. Called by update_being.
#pragma once

namespace dravok {

void update_item_statuses(int being);

} // namespace dravok
