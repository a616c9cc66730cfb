// Target mode and ranged targets: the mode's keys and the attack on the marked target.
// Called by the key dispatch and the main commands.
#pragma once

namespace dravok {

// What the aimed action is (0 none, 12 ranged attack, 15 item use, 16 talent use) and the
// command that opened target mode for it (pressing it again confirms).
extern int target_kind;
extern int remembered_aiming_command;

void handle_target_commands(int being, int command, int key, int modifier);
void attack_marked(int being, int depth);
// Enters target mode round the being's cell.
void target_init(int being);
// The target cursor, the kind of the aimed action and whether the aim is blocked (the aimed
// effect is effects.h's target_effect).
extern int target_cursor_x, target_cursor_y;
extern int target_action_kind;
extern bool target_blocked;
// Choose the first target of a ranged attack or a talent when target mode opens.
void get_ranged_target(int being);
void get_talent_target(int being);

// Carries out the aimed action of target mode.
void handle_target_selected(int being);
// Records the defender as the attacker's ranged target.
void set_attack_order(int attacker, int defender, int action, int shape, int setup);

} // namespace dravok
