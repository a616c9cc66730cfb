// The texts that show items to the player: an item's information block, a weapon set's hand,
// the list of a being's potions and devices, and the table of the items lying on a cell.
// Called by the list screens, the look panel and the character sheet.
#pragma once
#include <string>
#include <vector>

#include "records/layout_item.h"

namespace dravok {

// The viewer's abilities are compared with the item's minima and fill its dice formulas.
void describe_item(int viewer, const titem& item, std::string& out);
// The figures of the hand in slot 13..16 from the being's stored weapon sets.
void describe_weapon_set(int being, int slot, std::string& out);
// "- 3 x Potion of healing" lines of the being's potions, wands, horns and figurines, sorted.
void format_item_list_line(int being, std::vector<std::string>& out);
// "12 x Arrow" style lines of the items lying on (x, y), sorted.
void cell_item_table_text(int x, int y, std::string& out);

} // namespace dravok
