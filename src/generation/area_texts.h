// The texts of a new level's areas: the description, zone and report sections of each area's
// content, drawn from the text database once the areas are settled. Called by level creation.
#pragma once

namespace dravok {

void set_area_texts();

} // namespace dravok
