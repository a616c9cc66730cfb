// The player's view: after each light pass, what the commanded being sees (view_memory, shaded
// by light), which beings it notices, what it explores and remembers (the map cells' remembered
// sprites and explored marks, the level's and areas' explored counts), the lists of seen beings
// and items, stopping rest and travel when hostiles come into view, and the award for exploring
// a whole level. Called by update_lights; read by the map view and the minimap.
#pragma once
#include <array>
#include <cstdint>

namespace dravok {

struct tseen_entry {
    int32_t x;
    int32_t y;
    int32_t index; // being or level item; 0 ends the list
};
constexpr int seen_list_length = 100;
using tseen_list = std::array<tseen_entry, seen_list_length>;
// Filled in ray order, entries from 1, ended by an entry whose index is 0.
extern tseen_list seen_being_list;
extern tseen_list seen_item_list;
// The game clock and being of the latest main-mode view: stealth is rolled once per tick.
extern uint32_t last_view_time;
extern uint32_t last_view_being;

void update_player_view(int being);

} // namespace dravok
