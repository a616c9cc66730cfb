// Stand-ins for the services that damage, death and combat call and whose own units are still
// being built by other subsystems: sight between beings, attitudes and fear, floating texts and
// animations, oneliner situations, followers, the obituary and the hit effects. Each keeps its
// final signature and does the least honest thing; an entry goes when its owner lands.
// Called by world/damage.cpp and the combat rules.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "world/layout.h"

namespace dravok {

// ---- sight and attitudes (perception) ----
// Whether a can see b: the same being, or both present within 20 cells with no wall between.
bool can_see(int a, int b);
int get_emotion(int being, int other, int default_value);
void update_emotion(int being, int other, int delta);
void update_fear(int being, int other, int amount);
// The witnesses of what `doer` did to `victim` change their attitude and fear toward the doer.
void mass_update_emotion(int doer, int victim, int delta, int fear);
// True when the being turned hostile toward the other just now.
bool get_angry(int being, int other, bool announce);
bool is_friendly(int being, int other, int limit, bool mutual);
void remove_emotions_about(int being);

// ---- presentation ----
void add_floating_text(int x, int y, std::string_view text, uint32_t colour);
void add_death_animation(int being);
void set_being_lunge(int attacker, int defender, int direction);
constexpr uint32_t floating_red = 0xFF0000;

// ---- beings ----
void add_situation_or_oneliner(int being, int other, int situation, bool followers_only, int trigger, int value);
int find_next_follower(int master, int after);
void release_followers(int being, int depth);
void write_obituary();
void say_death_lines(int being, int killer, int depth);

// ---- targets ----
// Records the defender as the attacker's ranged target.
void set_attack_order(int attacker, int defender, int action, int shape, int setup);

} // namespace dravok
