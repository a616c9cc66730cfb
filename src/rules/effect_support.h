// What every effect handler shares: adding a sentence to the action's text, filling a format
// text, the floating-text colours and the tests of what the player sees. Called by the handler
// units (adjusting, harm, maneuvers, movement, summoning, mind, things).
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "world/text_utilities.h"

namespace dravok {

constexpr uint32_t colour_success = 0x22dd22;
constexpr uint32_t colour_harm = 0xff3030;
constexpr uint32_t colour_doors = 0xffffff;
constexpr uint32_t colour_alarm = 0x9999ff;
constexpr uint32_t colour_experience = 0xddaa00;

// A blank when message_text is not empty, then the sentence, then the whole text trimmed; an
// empty sentence adds nothing.
void append_message(std::string_view sentence);
std::string trimmed_text(std::string_view text);
// Fills "%s" and "%d" placeholders in order; "%%" gives a percent sign.
std::string format_text(std::string_view format, std::initializer_list<std::string> values);
std::string format_text(std::string_view format, std::initializer_list<int> values);
std::string capitalised(std::string text);

bool player_sees_being(int being);
bool player_sees_cell(int x, int y);
// A floating text over the being, shown only where the player sees it.
void float_over_being(int being, std::string_view text, uint32_t colour);
void float_on_cell(int x, int y, std::string_view text, uint32_t colour);
// The sentence of action_sentence with the being alone as actor.
std::string being_sentence(int being, std::string_view format, std::string_view verb_for_others,
                           std::string_view verb_for_player);

} // namespace dravok
