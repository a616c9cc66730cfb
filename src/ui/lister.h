// The list screens (inventory, talents, quickslots, level loot) as the rules see them.
// Called by the key dispatch, the main commands and the scheduler.
#pragma once

namespace dravok {

void handle_lister_commands(int being, int command, int key, int modifier);
void reset_lister();
void initialize_talents(int being, int depth);
// Opens the inventory screen with panes of the two list kinds (0: none), the cursor in the given
// pane; with self and no partner the being trades with itself.
void initialize_inventory(int being, int partner, int kind1, int kind2, int current_pane, bool self);
void initialize_quickslots(int being, int slot, int unused, int depth);
void use_quickslot(int being, int slot, int depth);
bool quickslot_assigned(int being, int slot);
// The level-loot list; its row count.
int build_level_loot_list(int being);
// Releases the list screens' three lists and the menu entries.
void free_interface_records();

} // namespace dravok
