// Small queries on the being record: its name in six grammatical forms, the ability
// modifier, the experience table, the validity test, look-ups by serial and by template,
// statuses and type flags. Used by every subsystem that names, finds or tests a being.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "records/being_flags.h"
#include "records/layout_being.h"

namespace dravok {

struct tbeing_plan;

// The six forms of being_name.
enum being_name_form : int {
    name_capitalised = 0,     // "Goblin"
    name_map_label = 1,       // the map number; the capitalised name in target mode
    name_the_capital = 2,     // "The goblin"
    name_the = 3,             // "the goblin"
    name_article_capital = 4, // "A goblin", "The Ogre King" for a unique being
    name_article = 5,         // "a goblin"
};

inline bool has_type_flag(const tbeing& b, int flag) {
    return flag >= 0 && flag < type_flag_count && b.type_flags[flag] != 0;
}
bool plan_has_type_flag(int plan, int flag);
inline int being_status(const tbeing& b, int status) {
    return status >= 1 && status <= status_count ? b.status_of(status) : 0;
}

void being_name(int being, int form, std::string_view adjective, std::string& out, int depth = 0);
std::string being_name(int being, int form, std::string_view adjective = {}, int depth = 0);
int8_t ability_modifier(int value);
uint32_t experience_for_level(int n);
// Silent validity test: index in range, non-zero serial, position on the map.
bool is_being_ok(int being, int depth = 0);
int find_being_by_serial(int32_t serial);
int find_inactive_being_by_serial(int32_t serial);
int find_being_plan_by_name(std::string_view identifier);
bool get_being_plan(int being, tbeing_plan& out, int depth = 0);
void set_being_status(int being, int status, int status_level);
bool can_talk(int being);
bool is_single_cell_being(int being);
void clear_being_turn_marks();
// The being and the game stop resting: its rest flag and the rounds left of a counted rest.
void stop_resting(int being);
void count_level_beings();

} // namespace dravok
