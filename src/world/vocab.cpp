// Display vocabularies; see vocab.h.
#include "world/vocab.h"

#include <array>

#include "records/being_flags.h"
#include "world/map.h"

namespace dravok {
namespace {

struct tstatus_display {
    std::string_view name;
    bool harmful;
};

// Statuses that only mark what a talent or device lets a being do are never shown.
constexpr std::array<tstatus_display, status_count + 1> status_table = {{
    {"-", false},
    {"increased body", false},
    {"increased motion", false},
    {"increased mind", false},
    {"increased spirit", false},
    {"decreased body", true},
    {"decreased motion", true},
    {"decreased mind", true},
    {"decreased spirit", true},
    {"increased disable", false},
    {"increased dodge", false},
    {"increased melee", false},
    {"increased magic", false},
    {"increased ranged", false},
    {"increased search", false},
    {"increased stealth", false},
    {"decreased disable", true},
    {"decreased dodge", true},
    {"decreased melee", true},
    {"decreased magic", true},
    {"decreased ranged", true},
    {"decreased search", true},
    {"decreased stealth", true},
    {"blunt resistance", false},
    {"pierce resistance", false},
    {"slash resistance", false},
    {"mental resistance", false},
    {"energy resistance", false},
    {"fire resistance", false},
    {"cold resistance", false},
    {"lightning resistance", false},
    {"acid resistance", false},
    {"sonic resistance", false},
    {"poison resistance", false},
    {"holy resistance", false},
    {"necrotic resistance", false},
    {"blunt vulnerability", true},
    {"pierce vulnerability", true},
    {"slash vulnerability", true},
    {"mental vulnerability", true},
    {"energy vulnerability", true},
    {"fire vulnerability", true},
    {"cold vulnerability", true},
    {"lightning vulnerability", true},
    {"acid vulnerability", true},
    {"sonic vulnerability", true},
    {"poison vulnerability", true},
    {"holy vulnerability", true},
    {"necrotic vulnerability", true},
    {"hasted", false},
    {"slowed", true},
    {"regenerating health", false},
    {"regenerating stamina", false},
    {"stoneskinned", false},
    {"diseased", true},
    {"poisoned", true},
    {"caught in web", true},
    {"caught in slime", true},
    {"immune to critical hits", false},
    {"immune to disease", false},
    {"immune to poison", false},
    {"immune to webs", false},
    {"immune to slime", false},
    {"protected from critical hits", false},
    {"-", false}, // 64 animate .. 113 device_summon: what talents and devices let a being do
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"-", false},
    {"lightly encumbered", false},
    {"encumbered", true},
    {"heavily encumbered", true},
    {"very heavily encumbered", true},
    {"overloaded", true},
    {"burdened (can not move)", true},
}};
static_assert(status_table[st_protection_critical_hits].name == "protected from critical hits");
static_assert(status_table[st_encumbered_1].name == "lightly encumbered");

constexpr Colour wall_colour = 0x6E6E6E, floor_colour = 0x2E2E2E;

} // namespace

std::string_view status_display_name(int status) {
    if (status < 1 || status > status_count) return "-";
    return status_table[status].name;
}

bool status_harmful(int status) {
    return status >= 1 && status <= status_count && status_table[status].harmful;
}

Colour block_minimap_colour(int block) {
    return block >= first_floor_block ? floor_colour : wall_colour;
}

Colour furniture_minimap_colour(int furniture) {
    switch (furniture) {
    case fu_stairs_down:
    case fu_stairs_up:
        return 0xFF55FF;
    case fu_teleporter:
        return 0xAA66FF;
    case fu_door:
    case fu_door_lockable:
    case fu_door_cell:
        return 0xB07030;
    case fu_chest:
    case fu_chest_shop:
    case fu_barrel:
    case fu_barrel_shop:
    case fu_crate:
    case fu_crate_shop:
    case fu_coffin:
    case fu_sarcophagus:
        return 0xC8A000;
    case fu_altar:
    case fu_pedestal:
        return 0xAAAAFF;
    case fu_well:
    case fu_basin:
        return 0x3366FF;
    case fu_light_torch:
    case fu_light_stand:
    case fu_light_brazier:
    case fu_light_campfire:
        return 0xFF9900;
    default:
        return 0; // a secret door among them: it shows as the wall it looks like
    }
}

} // namespace dravok
