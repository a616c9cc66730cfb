// The items a creature remembers seeing: noting the wished items of a seen cell, finding the
// nearest one still lying where it was, and forgetting them. Called by creature sight and the AI.
#pragma once

namespace dravok {

void note_seen_items(int being, int x, int y);
// True when the entry's item still lies on its cell; otherwise the entry is cleared.
bool noted_item_present(int being, int entry);
// The nearest present, not skipped entry (0 when none) and its distance (-1 when none).
int get_nearest_noted_item(int being, int depth, int& distance);
// Clears the entries of the cell (x 0: any) and the serial (0: any); (0, 0, 0) clears all.
void forget_noted_items(int being, int x, int y, int serial);
// The first empty entry, else the farthest one.
int free_noted_slot(int being);

} // namespace dravok
