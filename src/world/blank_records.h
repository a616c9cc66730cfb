// The blank records copied over entries to reset them.
#pragma once

namespace dravok {

struct tarea;
struct tbeing;
struct tcell;
struct tmap_effect_cell;
struct teffect;
struct titem;
struct tstuff;

// Blank records, copied over entries to reset them.
extern tbeing blank_being;
extern titem blank_item;
extern teffect effect_template;
extern tcell blank_cell;
extern tarea blank_area;
extern tstuff blank_stuff; // width and height 1, every other byte 0
extern tmap_effect_cell blank_map_effect_cell;

} // namespace dravok
