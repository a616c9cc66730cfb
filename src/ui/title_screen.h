// The title screen: the optional title pictures "Dravok.p01".."p10" in Data/, one of them
// framed on the first frame, or the title as large text. Called by the window's start-up and by
// key entry's waiting screen.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/bitmap.h"

namespace dravok {

constexpr int max_title_pictures = 10;

extern std::array<Bitmap, max_title_pictures + 1> title_pictures; // 1..10
extern int title_picture_count;
// Pictures not shown since the bag was last refilled (1..10).
extern std::array<uint8_t, max_title_pictures + 1> title_picture_bag;
// The picture chosen last, 0 none.
extern int current_title_picture;

void load_title_pictures();
// Chooses a picture not shown yet (refilling the bag when all were); 0 without pictures.
int pick_title_picture();
// The picture stretched into a black square of the given side with a one-pixel grey frame.
void draw_framed_picture(Bitmap& target, int picture, int side);
// The text in the title font at scaled(size), centred on the black screen.
void draw_title_text(const std::string& text, int size);

} // namespace dravok
