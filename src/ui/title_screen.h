// The title screen: the optional title pictures "Dravok.p01".."p10" in Data/, one of them
// framed on the first frame, or the title as large text. Called by the window's start-up and by
// key entry's waiting screen.
#pragma once
#include <array>
#include <string>

#include "platform/bitmap.h"

namespace dravok {

extern std::array<Bitmap, 11> title_pictures; // 1..10
extern int title_picture_count;

void load_title_pictures();
int pick_title_picture();
void draw_framed_picture(Bitmap& target, int picture, int side);
// The title as large text on the frame.
void draw_title_text(const std::string& text, int size);
std::string spaced_title(const std::string& text);

} // namespace dravok
