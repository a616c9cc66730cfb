// Followers and control of beings: letting followers go and finding them, the ends of charm,
// confusion and possession, the player's control stopping on hostiles or at rest, blanking a
// being's path and what a being loses between levels, and the shopkeeper of a shop's furniture.
// Called by the decision chain, the scheduler, movement, the key controller, death, the level
// transfer and the effects that end. Who joins whom is in rules/recruiting.h.
#pragma once
#include "rules/recruiting.h"
#include "world/followers.h"

namespace dravok {

// Drops the link to the being's master: its template's behaviour and a fresh idle time come
// back, and a charmed being's charm ends too.
void release_follower(int being);
// The same without ending a charm: the being is about to follow a new master (its charmer).
void drop_master_link(int being);
// Lets the master's followers go: the ordinary ones, the summoned and the animated, as asked.
void release_followers(int master, bool ordinary, bool summoned, bool animated);
// The first present follower of the master from index start (1 when start is 0); 0 when none.
int find_next_follower(int master, int start);
// The distance to the being's present master; -1 without one.
int get_distance_to_master(int being);
// The charm ends (with release: the being stops following); its charmer is told and resented.
void end_charm(int being, bool release);
void end_confusion(int being);
// Blanks both AI target records and the plan state byte.
void reset_being_path(int being);
// What a being loses when it changes level: targets, noted items, counters, path, attack memory,
// the teleporter it meant to follow and its lunge.
void reset_transfer_being(int being);

// The player's control of a being: stopping the autopilot or a continuous walk, and the end of a
// possession. (Stopping a rest is the world's stop_resting.)
void stop_on_hostiles(int being, bool hostiles_seen);
void end_possession(int being);

// The awake, friendly shopkeeper the player sees in the area of the shop furniture on (x, y);
// 0 when none.
int find_shopkeeper(int x, int y, int depth);

// Cells within the radius around the being's footprint (or the one cell (x, y)) holding a
// being other than the given one; (0, 0) means the being's own position.
int count_occupied_cells_around(int being, int x, int y, int radius);

} // namespace dravok
