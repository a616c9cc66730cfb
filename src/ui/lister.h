// The list screens (inventory, talents, quickslots, level loot) as the rules see them.
// Called by the key dispatch, the main commands and the scheduler.
#pragma once

namespace dravok {

// Kinds of the inventory screen's first pane.
constexpr int inventory_backpack = 1, inventory_ground = 2;

void handle_lister_commands(int being, int command, int key, int modifier);
void reset_lister();
void initialize_talents(int being, int depth);
void initialize_inventory(int being, int partner, int kind, int depth, int panes, int focus);
void initialize_quickslots(int being, int slot, int unused, int depth);
void use_quickslot(int being, int slot, int depth);
bool quickslot_assigned(int being, int slot);
// The level-loot list; its row count.
int build_level_loot_list(int being);
// The inventory screen (every list screen) on screen.
void draw_inventory_screen();
// Releases the list screens' three lists and the menu entries.
void free_interface_records();

} // namespace dravok
