// The byte-exact records of the game's files, shared by the game and the content tools.
// Every record that is written to a file or embedded in one is a packed little-endian struct
// whose size and offsets are checked here at compile time. Free bytes are named freeNNN and
// kept zero. Arrays that the rules count from 1 are declared from their real first byte and
// reached through 1-based helpers.
#pragma once
#include <cstdint>

#include "records/layout_base.h"
#include "records/layout_being.h"
#include "records/layout_dice.h"
#include "records/layout_files.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "records/layout_tiles.h"

namespace dravok {

// The sizes of the fourteen stored record kinds, in the order the files check them. The
// ninth is checked as a number only; the 16-byte records are the noted item and the
// statistics.
static_assert(sizeof(tnoted_item) == 16 && sizeof(tstatistics) == 16);
constexpr uint32_t size_signature[size_signature_count] = {
    sizeof(titem_plan), sizeof(ttalent), sizeof(tbeing_plan),
    sizeof(tlevel),     sizeof(tportal), sizeof(tcontent),
    sizeof(tvault),     sizeof(teffect), 16,
    sizeof(tcell),      sizeof(tarea),   sizeof(titem),
    sizeof(tbeing),     sizeof(tgame),
};

} // namespace dravok
