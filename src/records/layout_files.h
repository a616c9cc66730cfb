// Records of the small files: the character sheet (save summaries and the list of past
// characters), the lifetime statistics and the game database header.
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/layout_base.h"

namespace dravok {

#pragma pack(push, 1)

// The three bytes a character sheet keeps per talent.
struct tcharacter_talent {
    uint8_t owned;
    uint8_t available;
    uint8_t chosen;
};
static_assert(sizeof(tcharacter_talent) == 3);

// The character sheet of creation, level-ups, save summaries and past characters.
struct tcharacter {
    pstring<30> name;                            // 0
    uint8_t created;                             // 31, creation flag
    double date_made;                            // 32; in a save summary, the save's file time
    double date_started;                         // 40, play started
    uint16_t race_plan;                          // 48, non-zero = the sheet is filled
    uint16_t race_image;                         // 50
    uint16_t race_first_image;                   // 52
    uint16_t race_image_count;                   // 54
    uint16_t index;                              // 56, in past characters
    uint16_t base_health;                        // 58
    uint16_t max_health;                         // 60
    uint16_t health;                             // 62
    uint16_t base_stamina;                       // 64
    uint16_t max_stamina;                        // 66
    uint16_t stamina;                            // 68
    uint16_t dungeon_level;                      // 70
    uint8_t level;                               // 72, experience level
    uint8_t ability_points;                      // 73
    uint8_t skill_points;                        // 74
    uint8_t talent_points;                       // 75
    int8_t talent_point_counter;                 // 76
    uint8_t base_ability[ability_count];         // 77
    uint8_t ability[ability_count];              // 81, totals
    int8_t ability_modifier[ability_count];      // 85
    int8_t race_ability_modifier[ability_count]; // 89
    int8_t skill_minimum[skill_count];           // 93, lower limits
    int8_t skill[skill_count];                   // 100
    int8_t race_skill_modifier[skill_count];     // 107
    tcharacter_talent talents[talent_count];     // 114, talent t at 111 + 3t
    uint8_t category;                            // 564
    uint8_t race;                                // 565
    uint8_t size;                                // 566
    uint8_t gender;                              // 567
    uint8_t abilities_rolled;                    // 568
    uint8_t hide_unavailable;                    // 569, hide unavailable talents
    uint8_t free570[6];

    tcharacter_talent& talent(int t) { return at1(talents, t); }
    const tcharacter_talent& talent(int t) const { return at1(talents, t); }
};
static_assert(sizeof(tcharacter) == 576);
static_assert(offsetof(tcharacter, created) == 31 && offsetof(tcharacter, date_made) == 32);
static_assert(offsetof(tcharacter, date_started) == 40 && offsetof(tcharacter, race_plan) == 48);
static_assert(offsetof(tcharacter, race_image) == 50 && offsetof(tcharacter, race_first_image) == 52);
static_assert(offsetof(tcharacter, race_image_count) == 54 && offsetof(tcharacter, index) == 56);
static_assert(offsetof(tcharacter, base_health) == 58 && offsetof(tcharacter, max_health) == 60);
static_assert(offsetof(tcharacter, health) == 62 && offsetof(tcharacter, base_stamina) == 64);
static_assert(offsetof(tcharacter, max_stamina) == 66 && offsetof(tcharacter, stamina) == 68);
static_assert(offsetof(tcharacter, dungeon_level) == 70 && offsetof(tcharacter, level) == 72);
static_assert(offsetof(tcharacter, ability_points) == 73 && offsetof(tcharacter, skill_points) == 74);
static_assert(offsetof(tcharacter, talent_points) == 75 && offsetof(tcharacter, talent_point_counter) == 76);
static_assert(offsetof(tcharacter, base_ability) == 77 && offsetof(tcharacter, ability) == 81);
static_assert(offsetof(tcharacter, ability_modifier) == 85 &&
              offsetof(tcharacter, race_ability_modifier) == 89);
static_assert(offsetof(tcharacter, skill_minimum) == 93 && offsetof(tcharacter, skill) == 100);
static_assert(offsetof(tcharacter, race_skill_modifier) == 107 && offsetof(tcharacter, talents) == 114);
static_assert(offsetof(tcharacter, category) == 564 && offsetof(tcharacter, race) == 565);
static_assert(offsetof(tcharacter, size) == 566 && offsetof(tcharacter, gender) == 567);
static_assert(offsetof(tcharacter, abilities_rolled) == 568 && offsetof(tcharacter, hide_unavailable) == 569);
static_assert(offsetof(tcharacter, free570) == 570);

// Lifetime statistics kept in "Dravok.dst".
struct tstatistics {
    uint32_t seconds_played;     // 0
    uint16_t deaths;             // 4
    uint16_t wins;               // 6
    uint16_t demigod_ascensions; // 8
    uint16_t god_ascensions;     // 10
    uint16_t overgod_ascensions; // 12
    uint8_t free14[2];
};
static_assert(sizeof(tstatistics) == 16);
static_assert(offsetof(tstatistics, deaths) == 4 && offsetof(tstatistics, wins) == 6);
static_assert(offsetof(tstatistics, demigod_ascensions) == 8 && offsetof(tstatistics, god_ascensions) == 10);
static_assert(offsetof(tstatistics, overgod_ascensions) == 12);

// The game database header: the size signature and the count of every table.
struct tdatabase_header {
    uint32_t size_signature[size_signature_count]; // 0
    uint16_t item_plan_count;                      // 56
    uint16_t talent_count;                         // 58
    uint16_t being_plan_count;                     // 60
    uint16_t level_count;                          // 62
    uint16_t portal_count;                         // 64
    uint16_t content_count;                        // 66
    uint16_t vault_count;                          // 68
    uint16_t text_section_count;                   // 70
    uint16_t god_spawn_group;                      // 72
    uint8_t free74[2];
};
static_assert(sizeof(tdatabase_header) == 76);
static_assert(offsetof(tdatabase_header, item_plan_count) == 56 &&
              offsetof(tdatabase_header, talent_count) == 58);
static_assert(offsetof(tdatabase_header, being_plan_count) == 60 &&
              offsetof(tdatabase_header, level_count) == 62);
static_assert(offsetof(tdatabase_header, portal_count) == 64 &&
              offsetof(tdatabase_header, content_count) == 66);
static_assert(offsetof(tdatabase_header, vault_count) == 68 &&
              offsetof(tdatabase_header, text_section_count) == 70);
static_assert(offsetof(tdatabase_header, god_spawn_group) == 72);

#pragma pack(pop)

} // namespace dravok
