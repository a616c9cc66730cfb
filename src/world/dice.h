// Dice formulas: parsing the template text into tdice / tdamage_dice, rolling them with the
// shared generator (world/random.h), their extreme values, and showing formulas and rolled damage
// as text. Called by every unit that creates, rolls or describes beings, items, effects and talents.
#pragma once
#include <array>
#include <string>
#include <string_view>

#include "records/layout_base.h"
#include "records/layout_dice.h"

namespace dravok {

// The names the formulas use (lower case; shown capitalised).
inline constexpr std::array<std::string_view, 4> dice_ability_names = {"body", "motion", "mind", "spirit"};
inline constexpr std::array<std::string_view, skill_count> dice_skill_names = {
    "disable", "dodge", "magic", "melee", "ranged", "search", "stealth"};
inline constexpr std::array<std::string_view, damage_type_count> damage_type_names = {
    "blunt",     "pierce", "slash", "mental", "energy", "fire",    "cold",
    "lightning", "acid",   "sonic", "poison", "holy",   "necrotic"};
constexpr int physical_damage_types = 3; // blunt, pierce, slash

// The blank records parsing starts from.
inline constexpr tdice dice_template{};
inline constexpr tdamage_dice damage_dice_template{};

// The three global dice: constant 1, 1d2 and 1d20 (attack and skill rolls).
extern tdice one_dice;
extern tdice d2_dice;
extern tdice d20_dice;
void init_global_dice();

// Parsing template text.
void parse_dice(std::string_view text, tdice& out);
void parse_damage(std::string_view text, tdamage_dice& out);

// Rolling. The owner part reads the owning being's ability modifier, skills and level; the
// per-dungeon-level part reads the current level's depth.
int32_t roll_dice(const tdice& dice);
int32_t roll_dice_for_being(const tdice& dice, int being);
int32_t get_dice_being_bonus(const tdice& dice);
int32_t min_dice(const tdice& dice, int being);
int32_t max_dice(const tdice& dice, int being);
int32_t min_damage(const tdamage_dice& damage, int being);
int32_t max_damage(const tdamage_dice& damage, int being);
void max_damage_by_type(const tdamage_dice& damage, int being, tdamage& out);

// Building and testing formulas.
void make_fixed_dice(int32_t value, tdice& out);
bool is_dice_set(const tdice& dice);
bool is_damage_set(const tdamage_dice& damage);
bool is_dice_fixed(const tdice& dice);
bool same_damage(const tdamage_dice& a, const tdamage_dice& b);

// Rolled damage. roll_damage fills the 13 amounts and the total of out and keeps its other fields.
void roll_damage(const tdamage_dice& damage, tdamage& out);
void roll_damage_for_being(const tdamage_dice& damage, int being, tdamage& out);
void add_damage_of_type(const tdamage& damage, int type, int32_t amount, tdamage& out);
void scale_damage_result(const tdamage& damage, tdamage& out, float factor);
void add_physical_damage_bonus(const tdamage_dice& damage, int32_t amount, tdamage_dice& out);
void merge_damage(const tdamage_dice& a, const tdamage_dice& b, tdamage_dice& out);

// Text forms.
void dice_to_text(const tdice& dice, std::string& out);
void dice_to_text_for_being(const tdice& dice, int being, std::string& out);
void damage_to_text(const tdamage_dice& damage, int being, std::string& out);
void damage_result_to_text(const tdamage& damage, std::string& out);

// Convenience forms returning the text.
std::string dice_to_text(const tdice& dice);
std::string damage_to_text(const tdamage_dice& damage, int being);
std::string damage_result_to_text(const tdamage& damage);

} // namespace dravok
