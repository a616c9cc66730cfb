// Items lying on the map and inside furniture, and the per-cell counts the map grid shows;
// the alignment of a new being's item damage.
#pragma once

namespace dravok {

// Recounts the loose items (+40) and the items inside the furniture (+42) of the cell from
// the level's item list.
void recount_cell_items(int x, int y);
// An evil being's holy item damage becomes necrotic; any other being's necrotic becomes holy.
void holy_to_necrotic_items(int being);
void necrotic_to_holy_items(int being);

} // namespace dravok
