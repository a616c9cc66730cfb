// Who owns the furniture of a cell and who watches a being touch it: `is_property` and the
// witness search, which returns the witnesses one by one, nearest first. Called by the rules
// when a being opens, loots or breaks furniture, and by the attitude reactions.
#pragma once

namespace dravok {

bool is_property(int being, int x, int y);
// The next witness of the doer acting at (x, y), 0 when none is left. Call with reset first,
// then without until it answers 0; each witness is returned once.
int check_witnesses(int doer, int x, int y, bool doer_only, bool reset);
// How many witnesses there are.
int count_witnesses(int doer, int x, int y, bool doer_only);
// The owners who watch the doer touch their property at (x, y) change their attitude by delta.
void touch_property_reactions(int doer, int x, int y, int delta);

} // namespace dravok
