// The summaries beside the creation and level-up menus: the edited sheet's race, abilities,
// skills and talents while a character is made, and the gains of the level during a level-up,
// as tables of the character sheet's kind.
#pragma once
#include "platform/bitmap.h"
#include "records/layout_files.h"
#include "ui/tables.h"

namespace dravok {

extern ttable talents_table;

void build_creation_tables(const tcharacter& character);
void build_level_up_tables(const tcharacter& character);
// The past character of the row (its id) or the edited sheet, drawn onto the bitmap.
void draw_creation_tables(Bitmap& bitmap, int row);
void draw_level_up_tables(Bitmap& bitmap);

} // namespace dravok
