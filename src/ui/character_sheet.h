// The character sheet screen (game mode 11): four tables, CHARACTER, ABILITIES, SKILLS and
// RESISTANCES, that break each figure of one being into its parts, rebuilt on every frame. Called
// by the frame drawing and the character mode's keys.
#pragma once
#include <array>
#include <cstdint>

#include "ui/tables.h"

namespace dravok {

// Words 48 and 49: the being shown and the mode to return to; the rest are the rules' scratch.
constexpr int sheet_view_words = 50, sheet_view_being = 48, sheet_view_return_mode = 49;
extern std::array<int32_t, sheet_view_words> sheet_view;

extern ttable character_table, abilities_table, skills_table, resistances_table;

void build_character_sheet();
void draw_character_sheet();

} // namespace dravok
