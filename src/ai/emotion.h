// Attitude and fear of beings toward each other: the presets of the templates, the table
// entries, friendliness, courage and the footprints of hostile and feared beings. Called by
// sight, the decision chain and the rules.
#pragma once
#include <cstdint>

namespace dravok {

int default_emotion(int being, int other);
int default_fear(int being, int other);
int find_emotion_entry(int a, int b);
int find_fear_entry(int a, int b);
int16_t get_emotion(int a, int b, bool use_default);
int16_t get_fear(int a, int b, bool use_default);
// A new entry with the template's preset; 0 when none is made.
int new_emotion_entry(int a, int b, bool force);
int new_fear_entry(int a, int b, bool force);
// Changes and refreshes an entry; its number 1..30, or 0.
int update_emotion(int being, int other, int delta, int depth, int distance);
int update_fear(int being, int other, int delta, int depth, int distance);
bool is_friendly(int a, int b, int threshold, bool mutual);
// Both attitudes of a and b toward each other, read once where several thresholds are asked:
// friendliness(a, b).at(t) is is_friendly(a, b, t, true) while neither attitude changes.
struct tfriendliness {
    bool known = false; // both beings valid
    bool led = false;   // a follows b
    bool a_player = false, b_player = false;
    int ab = 0, ba = 0;
    bool at(int threshold) const;
};
tfriendliness friendliness(int a, int b);
int get_courage(int being);
// Fear of other is at least 1 and above the courage (courage 0: the being's own).
bool is_afraid_of(int being, int other, int courage);
// Every being but the player's own character: friendly to the party or not.
void update_party_friendliness();
bool charm_decay(int being);
// The child takes over the parent's attitudes toward the beings present.
void inherit_emotions(int child, int parent, int depth);
// The game time at which a's attitude toward b turned hostile; 0 when none.
uint32_t emotion_hostile_since(int a, int b);
// Hostility toward the target is also felt toward the target's master.
void add_emotions_against_target_master(int being, int target, int delta, int depth);
// Blanks all attitude and fear entries.
void clear_emotions(int being);
// Clears the being's attitude entry about the target.
void remove_emotion_against_target(int being, int target, int depth);
void age_emotions(int being);
void share_emotions(int being);
void share_master_emotions(int being);
void sort_emotions(int being);
// The footprint with a one-cell margin := the being's index (nothing above 255).
void mark_hostile_footprint(int being);
void mark_feared_footprint(int being);

// The witnesses of what `doer` did to `victim` change their attitude and fear toward the doer.
void mass_update_emotion(int doer, int victim, int delta, int fear);
// True when the being turned hostile toward the other just now.
bool get_angry(int being, int other, bool announce);
// Every other being forgets this one.
void remove_related_emotions(int being);

} // namespace dravok
