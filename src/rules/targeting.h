// Target mode and ranged targets: the cursor and the ring of candidate cells round the aiming
// being, cycling through candidates, whether the aim may be carried out and carrying it out, the
// line-of-fire test, and each being's remembered ranged target with the ATTACK_MARKED command.
// Called by the target mode's keys, the main commands, the frame drawing, the effect pipeline,
// the attacks and the creatures' decisions.
#pragma once
#include <cstdint>
#include <string>

#include "records/layout_parts.h"
#include "world/directions.h"

namespace dravok {

// What the aimed action is.
constexpr int target_attack = 12, target_item_use = 15, target_talent_use = 16;
// The ranged order an attack leaves: fire (the FIRE command's number) set up as a ranged attack.
constexpr int order_fire = 13, order_setup_ranged = 12;
// The radius of the ring built round the aiming being.
constexpr int target_ring_radius = 20;
constexpr int target_ring_capacity = 16385;

// The target cursor, the kind of the aimed action (0 none), whether the line to the cursor is
// stopped before it, the cycling direction (+1 or -1) and the command that opened target mode for
// the aimed action (pressing it again cycles). The aimed effect is effects.h's target_effect.
extern int target_cursor_x, target_cursor_y;
extern int target_action_kind;
extern bool target_blocked;
extern int target_step;
extern int remembered_aiming_command;
// The cells round the centre, centre first, then ring by ring; a (0, 0) entry ends it.
extern ring_cell target_ring[target_ring_capacity + 1];

// Cells off the map and counts above the capacity are not added; the new count.
int add_target_ring_cell(int count, int x, int y);
void build_target_ring(int x, int y, int radius);
// A cell the being sees holding another being (not excluded, not passive) that the aimed action
// may choose: no friend for an attack, a friend for an item or talent only when it does no harm.
bool is_target_candidate(int being, int x, int y, int excluded);
// The cursor moves to the next candidate in the ring by target_step.
void next_target(int being);
// Places the cursor when target mode opens: the remembered target or aim, else the first candidate.
void target_init(int being);
// Recomputes the aimed effect's cells toward the cursor and whether the aim is blocked.
void refresh_target_aim(int being);
// Whether the aim at the cursor may be carried out; when not, `why` (when given) gets the message
// that says so, left as it was for a refusal with nothing to say (nothing aimed).
bool talent_target_ok(int being, std::string* why = nullptr);
// Carries out the aimed action at the cursor, then back to the main mode.
void handle_target_selected(int being, int depth);
// Whether the effect aimed at some cell of the target's footprint strikes the target first; the
// effect keeps that aim and its cells.
bool is_targetable(int being, int target, teffect& effect, int depth);
// Records the target as the being's ranged target, from a blank block.
void set_attack_order(int being, int target, int action, int shape, int setup);
// Refreshes the being's remembered ranged target (run for every main-mode frame).
void get_ranged_target(int being, int depth);
// Shows where the remembered talent would go.
void get_talent_target(int being);
// The ATTACK_MARKED command: a ranged attack on the remembered target.
void attack_marked(int being, int depth);
// The weapon set can reach, throw or shoot with matching ammunition.
bool can_attack_at_range(const tweapon_set& set);

} // namespace dravok
