// Marks: the wall cells from which new areas grow, with the direction to grow in. Holds the
// open and failed mark lists, the four outer marks of the first area and the operations on
// them. Owner: the level generator; callers: the dig loop, the area builders, the finishing
// passes and level creation.
#pragma once
#include <cstdint>
#include <vector>

namespace dravok {

struct tmark {
    int32_t x = 0, y = 0;
    int32_t direction = 0;
    int32_t origin_kind = 0;
    int32_t forced_kind = 0;
    int32_t origin_area = 0;
};

struct outer_mark {
    uint16_t x = 0, y = 0;
};

extern std::vector<tmark> open_marks;
extern std::vector<tmark> failed_marks;
extern outer_mark outer_marks[5]; // directions 1..4
extern int outer_marks_left;
extern int forced_marks_open;

int add_mark(int x, int y, int direction, int depth, int forced_kind, int origin_kind);
void get_mark(int position, tmark& out);
void get_failed_mark(int position, tmark& out);
void take_outer_mark(tmark& out);
void take_forced_mark(tmark& out);
int find_mark(int x, int y);
bool is_mark_open(const tmark& m);
void add_marks_to_line(int x1, int y1, int x2, int y2, int depth, int origin_kind, int direction);
void add_failed_mark(const tmark& m, int depth);
void clear_marks();

} // namespace dravok
