// The quickslots filled and emptied; see quickslots.h.
#include "rules/quickslots.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "records/layout_being.h"
#include "records/layout_plans.h"
#include "rules/equipment.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/item_record.h"
#include "world/sprite_lookup.h"
#include "world/tables.h"

namespace dravok {
namespace {

constexpr int talent_start = 1, lantern_start = 11, first_item_start = 12, item_start = 11;

bool name_holds_elixir(const titem& item) {
    std::string name = item.name.str();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return name.find("elixir") != std::string::npos;
}

// The first empty quickslot from the start slot to 20, then from 1; 0 when all are taken.
int free_quickslot(const tbeing& b, int start) {
    for (int k = start; k <= quickslot_count; ++k)
        if (b.quickslots[k - 1].kind == 0) return k;
    for (int k = 1; k < start; ++k)
        if (b.quickslots[k - 1].kind == 0) return k;
    return 0;
}

bool talent_in_quickslot(const tbeing& b, int talent) {
    for (const tquickslot& q : b.quickslots)
        if (q.kind == quickslot_talent && q.index == talent) return true;
    return false;
}

} // namespace

bool is_quickslot_usable(const titem& it) {
    return it.plan != 0 && it.serial != 0 && has_item_flag(it, if_device) && it.activation_effect.kind != 0 &&
           !has_item_flag(it, if_scroll) && !has_item_flag(it, if_trapkit) &&
           !has_item_flag(it, if_usable_only_from_dialog) && !name_holds_elixir(it);
}

bool is_quickslot_talent(int talent) {
    return talent >= 1 && talent < int(talents.size()) && talents[talent].kind != talent_kind_passive;
}

bool next_unslotted_equipment(int being, int start, tquickslot& out) {
    out = tquickslot{};
    if (!is_being_ok(being)) return false;
    const tbeing& b = beings[being];
    for (int s = std::max(start, 1); s <= equipment_slot_count; ++s) {
        const int item = b.equipment_of(s);
        if (item < 1 || !is_item_ok(item, being, 0) || being_items[being][item].quickslot != 0) continue;
        out.kind = quickslot_equipment;
        out.index = uint16_t(item);
        out.equipment_slot = uint8_t(s);
        return true;
    }
    return false;
}

void assign_quickslots(int being) {
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    for (int t = 1; t <= talent_count && t < int(talents.size()); ++t) {
        if (b.talent_of(t) == 0 || !is_quickslot_talent(t) || talent_in_quickslot(b, t)) continue;
        const int slot = free_quickslot(b, talent_start);
        if (slot == 0) return;
        tquickslot& q = b.quickslot(slot);
        q = tquickslot{};
        q.kind = quickslot_talent;
        q.index = uint16_t(t);
        q.talent_name = talents[t].name.str();
        q.icon = uint16_t(sprite_info(sprites_talent, t).first_image);
    }
    std::vector<titem>& items = being_items[being];
    for (std::size_t i = 1; i < items.size(); ++i) {
        titem& it = items[i];
        if (it.plan == 0 || it.serial == 0 || it.quickslot != 0 || !has_item_flag(it, if_lantern)) continue;
        const int slot = free_quickslot(b, lantern_start);
        if (slot == 0) return;
        tquickslot& q = b.quickslot(slot);
        q = tquickslot{};
        q.kind = quickslot_equipment;
        q.index = uint16_t(i);
        q.equipment_slot = uint8_t(it.slot != 0 ? it.slot : get_equipment_slot(being, int(i), 0));
        it.quickslot = uint8_t(slot);
        break;
    }
    bool first = true;
    for (std::size_t i = 1; i < items.size(); ++i) {
        titem& it = items[i];
        if (it.slot != 0 || it.quickslot != 0 || !is_quickslot_usable(it)) continue;
        const int slot = free_quickslot(b, first ? first_item_start : item_start);
        if (slot == 0) return;
        first = false;
        tquickslot& q = b.quickslot(slot);
        q = tquickslot{};
        q.kind = quickslot_usable_item;
        q.index = uint16_t(i);
        it.quickslot = uint8_t(slot);
    }
}

void clear_quickslots(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    tbeing& b = beings[being];
    for (int k = 1; k <= quickslot_count; ++k) {
        tquickslot& q = b.quickslot(k);
        if (q.index == 0) continue;
        const bool item = q.kind == quickslot_equipment || q.kind == quickslot_usable_item;
        if (item && is_item_ok(q.index, being, 0)) being_items[being][q.index].quickslot = 0;
        q = tquickslot{};
    }
}

} // namespace dravok
