// Who may learn a talent and the random pick of a talent of a group, used when creatures are
// created and companions gain levels; the permanent gifts of owned talents.
#pragma once

#include "records/layout_being.h"

namespace dravok {

bool being_meets_talent_requirements(const tbeing& being, int talent);
bool is_talent_in_group(int group, int talent);
// A random talent of the group the being does not own and may learn; 0 when none.
int get_random_group_talent(const tbeing& being, int group, bool skip_sheet_choices);
// The number of talents in the game (the talent table's last index).
int talents_in_game();
void handle_level_up_permanent_talents(int being, bool all_owned, int depth);

} // namespace dravok
