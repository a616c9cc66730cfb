// Stand-ins for the services that damage, death and combat call and whose own units are still
// being built by other subsystems: sight between beings, attitudes and fear, floating texts and
// animations, oneliner situations, followers, the obituary and the hit effects. Each keeps its
// final signature and does the least honest thing; every definition is weak, so the owner's
// unit replaces it when it lands.
// Called by world/damage.cpp and the combat rules.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "records/layout.h"

namespace dravok {

// ---- sight and attitudes (perception) ----
// Whether the viewer sees the other being (other 0: the cell x, y). The text unit stands in for it.
uint8_t can_see(int viewer, int other, int x, int y);
int16_t get_emotion(int a, int b, bool use_default);
// Changes an entry of the attitude (fear) table; its number 1..30, or 0.
int update_emotion(int being, int other, int delta, int depth, int distance);
int update_fear(int being, int other, int delta, int depth, int distance);
// The witnesses of what `doer` did to `victim` change their attitude and fear toward the doer.
void mass_update_emotion(int doer, int victim, int delta, int fear);
// True when the being turned hostile toward the other just now.
bool get_angry(int being, int other, bool announce);
bool is_friendly(int a, int b, int threshold, bool mutual);
void remove_emotions_about(int being);

// ---- presentation ----
void add_floating_text(int x, int y, std::string_view text, uint32_t colour);
void add_death_animation(int being);
void set_being_lunge(int attacker, int defender, int direction);
constexpr uint32_t floating_red = 0xFF0000;

// ---- beings ----
void add_situation_or_oneliner(int being, int other, int situation, bool followers_only, int trigger,
                               int value);
int find_next_follower(int master, int after);
void release_followers(int being, int depth);
void write_obituary();
void say_death_lines(int being, int killer, int depth);

// ---- targets ----
// Records the defender as the attacker's ranged target.
void set_attack_order(int attacker, int defender, int action, int shape, int setup);

} // namespace dravok
