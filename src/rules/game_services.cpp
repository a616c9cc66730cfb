#include "rules/game_services.h"

#include "ai/light.h"
#include "ai/sight.h"
#include "generation/marks.h"
#include "rules/being_update.h"
#include "rules/equipment.h"
#include "rules/pantheon.h"
#include "world/services.h"

namespace dravok {

void install_game_services() {
    services.update_being = update_being;
    services.can_see = can_see;
    services.auto_equip_like_item = auto_equip_like_item;
    services.clear_static_lights = clear_static_lights;
    services.update_lights = update_lights;
    services.free_pantheon = free_pantheon;
    services.clear_generator_lists = clear_marks;
}

} // namespace dravok
