#include "rules/game_services.h"

#include "ai/light.h"
#include "ai/sight.h"
#include "generation/marks.h"
#include "rules/being_update.h"
#include "rules/equipment.h"
#include "rules/pantheon.h"
#include "world/world_hooks.h"

namespace dravok {

void install_game_services() {
    world_hooks.update_being = update_being;
    world_hooks.can_see = can_see;
    world_hooks.auto_equip_like_item = auto_equip_like_item;
    world_hooks.clear_static_lights = clear_static_lights;
    world_hooks.free_pantheon = free_pantheon;
    world_hooks.clear_generator_lists = clear_marks;
}

} // namespace dravok
