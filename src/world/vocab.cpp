// Display vocabularies; see vocab.h.
#include "world/vocab.h"

#include <array>

#include "records/being_flags.h"

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

} // namespace

std::string_view status_display_name(int status) {
    if (status < 1 || status > status_count) return "-";
    return status_table[status].name;
}

bool status_harmful(int status) {
    return status >= 1 && status <= status_count && status_table[status].harmful;
}

} // namespace dravok
