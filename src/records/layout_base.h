// Common ground of the byte-exact records: the counts that size their arrays and the
// 1-based accessor that turns a rule's "entry i" into the array slot. Included by every
// layout_*.h; callers include world/layout.h.
#pragma once
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>

#include "records/pstring.h"

namespace dravok {

static_assert(std::endian::native == std::endian::little, "records are stored little-endian");

// Counts of the rules' numbered things (each numbered from 1 unless said).
constexpr int damage_type_count = 13;   // blunt .. necrotic
constexpr int skill_count = 7;          // disable, dodge, magic, melee, ranged, search, stealth
constexpr int ability_count = 4;        // body, motion, mind, spirit
constexpr int status_count = 119;       // being and item statuses
constexpr int device_status_first = 99; // item device statuses 99..113
constexpr int device_status_count = 15;
constexpr int item_flag_count = 79;      // item flags 0..78
constexpr int type_flag_count = 220;     // being type flags 0..219
constexpr int creature_type_count = 219; // per-type bytes 1..219
constexpr int talent_count = 150;
constexpr int talent_type_count = 5;
constexpr int equipment_slot_count = 17;
constexpr int item_wish_count = 78;
constexpr int chatter_trigger_count = 58;
constexpr int quickslot_count = 20;
constexpr int natural_attack_count = 12;
constexpr int emotion_entry_count = 30; // attitude table and fear table, each
constexpr int noted_item_count = 30;
constexpr int situation_count = 34;
constexpr int attack_kind_count = 8; // stamina reserves per attack kind
constexpr int morale_count = 4;
constexpr int stimulus_kind_count = 18;
constexpr int hand_count = 2; // main hand, off hand
constexpr int body_modifier_count = 4;
constexpr int effect_cell_count = 30;
constexpr int path_step_count = 255;
constexpr int max_map_size = 128;
constexpr int key_history_count = 20;
constexpr int call_trace_depth = 100;
constexpr int race_first = 13; // races are being-plan indices 13..132
constexpr int race_last = 132;
constexpr int furniture_kind_count = 60;
constexpr int zone_count = 60;
constexpr int group_count = 60;
constexpr int map_point_count = 9;
constexpr int tile_category_count = 11;
constexpr int used_image_variant_count = 31;
constexpr int size_signature_count = 14; // stored record kinds checked by the files

#pragma pack(push, 1)
// A map cell as a pair of bytes, (0, 0) for none.
struct tcell_xy {
    uint8_t x;
    uint8_t y;
};
#pragma pack(pop)
static_assert(sizeof(tcell_xy) == 2);

#pragma pack(push, 1)
// A rectangle of a vault zone (x = 0 when the zone is absent); also used by areas.
struct tzone_rect {
    uint8_t x;
    uint8_t y;
    uint8_t width;
    uint8_t height;
};
#pragma pack(pop)
static_assert(sizeof(tzone_rect) == 4);

// A being's serial is an i32, but several records keep it in a u16: only the low 16 bits
// survive there, so a stored copy is compared at its own width.
constexpr uint16_t serial16(int32_t serial) {
    return static_cast<uint16_t>(serial);
}
constexpr bool same_serial(uint16_t stored, int32_t serial) {
    return stored == serial16(serial);
}
constexpr bool same_serial(uint32_t stored, int32_t serial) {
    return stored == static_cast<uint32_t>(serial);
}

// Entry i (counted from 1) of an array declared from its real first byte.
template <class T, std::size_t N> constexpr T& at1(T (&a)[N], int i) {
    assert(i >= 1 && static_cast<std::size_t>(i) <= N);
    return a[i - 1];
}
template <class T, std::size_t N> constexpr const T& at1(const T (&a)[N], int i) {
    assert(i >= 1 && static_cast<std::size_t>(i) <= N);
    return a[i - 1];
}

} // namespace dravok
