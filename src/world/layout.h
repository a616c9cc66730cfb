// The byte-exact records of the game's files, shared by the game and the content tools.
// Every record that is written to a file or embedded in one is a packed little-endian struct
// whose size and offsets are checked here at compile time. Free bytes are named freeNNN and
// kept zero. Arrays that the rules count from 1 are declared from their real first byte and
// reached through 1-based helpers.
#pragma once
#include <cstdint>

#include "world/layout_base.h"
#include "world/layout_dice.h"
#include "world/layout_parts.h"
#include "world/layout_game.h"
#include "world/layout_map.h"
#include "world/layout_being.h"
#include "world/layout_item.h"
#include "world/layout_files.h"
