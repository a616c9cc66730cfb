#include "world/item_statuses.h"

#include "world/being.h"
#include "world/equipment.h"
#include "world/globals.h"
#include "world/item_record.h"

namespace dravok {

namespace {

constexpr int derived_level = 2; // statuses an item gives; they go with the item
constexpr int last_device_status = device_status_first + device_status_count - 1;

// A sentient weapon speaks only from a hand of the active set; other sentient items from any slot.
bool counts_as_equipped(const tbeing& b, const titem& item) {
    if (item.slot == 0) return false;
    if (!has_item_flag(item, if_weapon)) return true;
    return item.slot == b.active_set || item.slot == b.active_set + 1;
}

} // namespace

void update_item_statuses(int being) {
    if (being < 1 || being >= int(beings.size()) || being >= int(being_items.size())) return;
    tbeing& b = beings[being];
    b.status_of(st_sentient_item_in_possession) = 0;
    b.status_of(st_sentient_item_equipped) = 0;
    b.carried_sentient = b.equipped_sentient = 0;
    for (int s = device_status_first; s <= last_device_status; ++s) {
        if (b.status_of(s) == derived_level) b.status_of(s) = 0;
    }
    const std::vector<titem>& list = being_items[being];
    for (std::size_t i = 1; i < list.size(); ++i) {
        const titem& item = list[i];
        if (item.serial == 0 || item.plan == 0) continue;
        if (has_item_flag(item, if_device)) {
            for (int s = device_status_first; s <= last_device_status; ++s) {
                if (at1(item.device_status, s - device_status_first + 1) != 0)
                    set_being_status(being, s, derived_level);
            }
        }
        if (!has_item_flag(item, if_sentient)) continue;
        b.status_of(st_sentient_item_in_possession) = 1;
        if (counts_as_equipped(b, item)) {
            b.status_of(st_sentient_item_equipped) = 1;
            b.equipped_sentient = uint16_t(i);
        } else {
            b.carried_sentient = uint16_t(i);
        }
    }
    for (int s = device_status_first + 1; s <= last_device_status; ++s) {
        if (b.status_of(s) != 0) {
            set_being_status(being, st_use_devices, derived_level);
            break;
        }
    }
    if (b.equipped_sentient != 0) b.carried_sentient = 0;
}

} // namespace dravok
