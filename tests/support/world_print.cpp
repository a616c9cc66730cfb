// The world's fingerprint; see world_print.h.
#include "support/world_print.h"

#include <algorithm>
#include <cstring>

#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_map.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/game_record.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/player.h"

namespace dravok::testing {

namespace {

// FNV-1a, 64 bits: the records are packed, so their bytes are the whole of their state.
struct fnv {
    uint64_t h = 14695981039346656037ull;
    void add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            h ^= bytes[i];
            h *= 1099511628211ull;
        }
    }
    template <class T> void add(const T& value) { add(&value, sizeof value); }
    void add(const std::string& text) {
        add(text.size());
        add(text.data(), text.size());
    }
};

bool same_bytes(const auto& a, const auto& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The entries that differ from the blank, each with its index: how long an array has grown, and
// how many blank entries it keeps, is storage and no part of the world.
template <class T> void add_filled(fnv& f, const std::vector<T>& entries, const T& blank, std::size_t from) {
    for (std::size_t i = from; i < entries.size(); ++i)
        if (!same_bytes(entries[i], blank)) {
            f.add(i);
            f.add(entries[i]);
        }
}

} // namespace

std::vector<world_part> world_print_parts() {
    fnv record, people, things, map, log;
    // The call trace is a breadcrumb of the last routines entered, written by whoever asks the
    // game a question (the play bot too), and the save time is the wall clock's: neither is part
    // of the game's course; nor is the time played, which the wall clock counts.
    tgame course = game;
    std::fill(std::begin(course.call_trace), std::end(course.call_trace), uint16_t(0));
    course.save_time = 0;
    course.seconds_played = 0;
    record.add(course);
    record.add(player);
    record.add(player_character);
    add_filled(people, beings, blank_being, 1);
    for (std::size_t b = 1; b < being_items.size(); ++b) {
        fnv carried;
        add_filled(carried, being_items[b], blank_item, 0);
        if (carried.h == fnv{}.h) continue;
        people.add(b);
        people.add(carried.h);
    }
    add_filled(things, level_items, blank_item, 1);
    map.add(map_size);
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            map.add(cell_at(x, y));
    for (const std::string& line : message_log)
        log.add(strip_colour_codes(line));
    return {{"game", record.h}, {"beings", people.h}, {"items", things.h}, {"map", map.h}, {"log", log.h}};
}

uint64_t world_print() {
    fnv f;
    for (const world_part& part : world_print_parts())
        f.add(part.hash);
    return f.h;
}

std::vector<std::string> last_log_lines(int count) {
    std::vector<std::string> lines;
    for (const std::string& line : message_log) {
        if (line.empty()) continue;
        if (static_cast<int>(lines.size()) >= count) break;
        const std::string plain = strip_colour_codes(line);
        // Each line opens with its time stamp, which the hash already holds.
        lines.push_back(plain.substr(std::min<std::size_t>(plain.size(), 13)));
    }
    std::reverse(lines.begin(), lines.end());
    return lines;
}

} // namespace dravok::testing
