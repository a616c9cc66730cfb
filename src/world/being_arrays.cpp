// The current level's beings and what belongs to each, and how they grow and are cleared.
#include "world/being_arrays.h"

#include <algorithm>

#include "records/layout.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/sight_records.h"

namespace dravok {

std::vector<tbeing> beings;
std::vector<std::vector<titem>> being_items;
std::vector<std::vector<uint8_t>> sight_matrix;
std::vector<std::vector<uint32_t>> first_seen_matrix;
std::vector<tseen_cells> seen_cells;
int player = 0;
int player_character = 0;

void grow_being_arrays(int n) {
    if (n <= 0) return;
    const std::size_t size = beings.size() + static_cast<std::size_t>(n);
    beings.resize(size, blank_being);
    // A slot's item list is made when the slot is first filled (note_being_slot_used): most of
    // the slots stay empty, and 50 items each would be most of the idle game's memory.
    being_items.resize(size);
    seen_cells.resize(size);
    sight_matrix.resize(size);
    first_seen_matrix.resize(size);
    for (auto& row : sight_matrix)
        row.resize(size, 0);
    for (auto& row : first_seen_matrix)
        row.resize(size, 0);
}

namespace {
// The highest being slot filled since the arrays were last cleared.
int being_slots_used = 0;
} // namespace

void note_being_slot_used(int being) {
    being_slots_used = std::max(being_slots_used, being);
    if (being >= 0 && static_cast<std::size_t>(being) < being_items.size() &&
        being_items[being].size() < static_cast<std::size_t>(being_item_list_length))
        being_items[being].resize(being_item_list_length, blank_item);
}

void clear_being_arrays() {
    // A slot someone filled without saying so still holds its serial or its in-use mark.
    int high = being_slots_used;
    for (int i = static_cast<int>(beings.size()) - 1; i > high; --i)
        if (beings[i].serial != 0 || beings[i].in_use != 0) {
            high = i;
            break;
        }
    const auto end = static_cast<std::size_t>(high + 1);
    for (std::size_t i = 0; i < end && i < beings.size(); ++i)
        beings[i] = blank_being;
    // A slot's item list is made again when the slot is next filled, at its first length: a list
    // grown or kept from an earlier level or game would make this one unlike a fresh start.
    for (std::size_t i = 0; i < end && i < being_items.size(); ++i)
        being_items[i].clear();
    for (std::size_t i = 0; i < end && i < seen_cells.size(); ++i)
        seen_cells[i].fill(0);
    for (std::size_t r = 0; r < end && r < sight_matrix.size(); ++r)
        std::fill_n(sight_matrix[r].begin(), std::min(end, sight_matrix[r].size()), uint8_t{0});
    for (std::size_t r = 0; r < end && r < first_seen_matrix.size(); ++r)
        std::fill_n(first_seen_matrix[r].begin(), std::min(end, first_seen_matrix[r].size()), uint32_t{0});
    being_slots_used = 0;
}

void allocate_being_arrays() {
    grow_being_arrays(initial_beings);
}

void free_being_arrays() {
    beings.clear();
    being_items.clear();
    sight_matrix.clear();
    first_seen_matrix.clear();
    seen_cells.clear();
}

} // namespace dravok
