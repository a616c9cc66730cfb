#include "world/item_statuses.h"
#include "records/layout_being.h"

#include <string>

#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/item_record.h"
#include "world/services.h"

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

namespace {

constexpr int trigger_get = 52, trigger_first_use = 54, trigger_kills = 55, trigger_idle = 56,
              trigger_idle_unequipped = 57, trigger_idle_unused = 58;
constexpr int quiet_turns = 50; // turns without hostiles before an item chatters
constexpr int situation_item_spoke = 16;

bool take_pending(uint8_t& counter) {
    if (counter == 0) return false;
    --counter;
    return true;
}

} // namespace

void handle_sentient_item_oneliners(int being, int depth) {
    depth = trace_enter(depth, trace_handle_sentient_item_oneliners);
    if (!is_being_ok(being, depth) || being >= int(being_items.size())) return;
    tbeing& b = beings[being];
    if (b.sentient_countdown > 0) --b.sentient_countdown;
    b.speaking_sentient = 0;
    const bool quiet = b.turns_without_hostiles >= quiet_turns;
    int item = 0, trigger = 0;
    if (b.equipped_sentient != 0) {
        item = b.equipped_sentient;
        if (take_pending(b.sentient_first_use))
            trigger = trigger_first_use;
        else if (take_pending(b.sentient_kill))
            trigger = trigger_kills;
        else if (quiet)
            trigger = trigger_idle;
    } else if (b.carried_sentient != 0) {
        item = b.carried_sentient;
        if (take_pending(b.sentient_get))
            trigger = trigger_get;
        else if (quiet && item < int(being_items[being].size()))
            trigger =
                being_items[being][item].time_equipped != 0 ? trigger_idle_unequipped : trigger_idle_unused;
    }
    if (trigger == 0 || item >= int(being_items[being].size()) || being_items[being][item].plan == 0) return;
    b.speaking_sentient = uint16_t(item);
    // Said as a one-liner: the item's own and the game's cooldowns keep it from speaking every turn.
    services.add_oneliner(being, 0, trigger, depth, "", "");
    b.situation_of(situation_item_spoke) = 1;
}

} // namespace dravok
