#include "rules/level_files.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/files.h"
#include "records/codec.h"
#include "rules/being_creation.h"
#include "world/being_arrays.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/data_files.h"
#include "world/error_log.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/sight_records.h"
#include "world/sprite_lookup.h"
#include "world/tables.h"

namespace dravok {

namespace {

// One kind of change record: the cell field it carries.
struct tchange_field {
    uint8_t code;
    uint8_t offset;
    uint8_t width;      // 1 or 2 bytes
    bool sign_extended; // the trap difficulty
};

constexpr tchange_field change_fields[] = {
    {1, offsetof(tcell, block_variant), 1, false},
    {2, offsetof(tcell, block_image), 2, false},
    {3, offsetof(tcell, furniture), 1, false},
    {4, offsetof(tcell, furniture_variant), 1, false},
    {5, offsetof(tcell, furniture_state), 1, false},
    {6, offsetof(tcell, furniture_value), 2, false},
    {7, offsetof(tcell, lock), 1, false},
    {8, offsetof(tcell, key_item), 2, false},
    {9, offsetof(tcell, hidden_creature), 2, false},
    {10, offsetof(tcell, switch_off), 1, false},
    {11, offsetof(tcell, switch_on), 1, false},
    {12, offsetof(tcell, noticed), 1, false},
    {13, offsetof(tcell, looted), 1, false},
    {14, offsetof(tcell, contents_seen), 1, false},
    {15, offsetof(tcell, secret_door), 1, false},
    {16, offsetof(tcell, trap), 2, false},
    {17, offsetof(tcell, trap_setter), 2, false},
    {18, offsetof(tcell, trap_difficulty), 1, true},
    {19, offsetof(tcell, trap_value), 2, false},
    {20, offsetof(tcell, splash), 1, false},
    {21, offsetof(tcell, splash_variant), 1, false},
    {22, offsetof(tcell, top_item), 2, false},
    {23, offsetof(tcell, placement), 2, false},
};
constexpr int code_block_image = 2, code_top_item = 22;
constexpr std::size_t change_record_size = 6;

uint16_t field_value(const tcell& c, const tchange_field& f) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&c) + f.offset;
    if (f.width == 2) {
        uint16_t v;
        std::memcpy(&v, bytes, 2);
        return v;
    }
    if (f.sign_extended) return static_cast<uint16_t>(static_cast<int16_t>(static_cast<int8_t>(*bytes)));
    return *bytes;
}

void set_field(tcell& c, const tchange_field& f, uint16_t value) {
    auto* bytes = reinterpret_cast<uint8_t*>(&c) + f.offset;
    if (f.width == 2)
        std::memcpy(bytes, &value, 2);
    else
        *bytes = static_cast<uint8_t>(value);
}

// The image a cell of its block kind and variant shows when nothing else is recorded.
uint16_t default_block_image(const tcell& c) {
    return static_cast<uint16_t>(sprite_info(sprites_terrain, c.block).first_image + c.block_variant);
}

bool change_is_stored(const tcell& c, const tchange_field& f, uint16_t value) {
    if (value == 0) return false;
    if (f.code == code_block_image) return value != default_block_image(c);
    if (f.code == code_top_item) return c.loose_items >= 2;
    return true;
}

const tchange_field* field_of_code(int code) {
    for (const tchange_field& f : change_fields)
        if (f.code == code) return &f;
    return nullptr;
}

std::string format_path_message(const char* pattern, const std::string& path) {
    char text[600];
    std::snprintf(text, sizeof text, pattern, path.c_str());
    return text;
}

// Writes the lists of the payload, in file order, with the counts of `level`.
void write_level_payload(tbyte_stream& stream) {
    write_level_map(stream);
    for (int a = 1; a <= level.area_count; ++a)
        stream.write_record(areas[a]);
    for (int i = 1; i <= level.highest_item; ++i)
        stream.write_record(level_items[i]);
    const int being_count = level.highest_being;
    for (int i = 1; i <= being_count; ++i) {
        stream.write_record(beings[i]);
        stream.write(&first_seen_matrix[i][1], static_cast<std::size_t>(being_count) * sizeof(uint32_t));
        for (int k = 1; k <= beings[i].highest_item; ++k)
            stream.write_record(being_items[i][k]);
    }
    for (int e = 1; e <= level.highest_effect; ++e)
        stream.write_record(duration_effects[e]);
}

// Reads the lists back; false on a count that does not fit what the file holds.
bool read_level_payload(tbyte_stream& stream) {
    if (!read_level_map(stream)) return false;

    const int area_count = level.area_count;
    if (!stream.fits(area_count, sizeof(tarea))) return false;
    areas.assign(static_cast<std::size_t>(area_count) + 1, blank_area);
    for (int a = 1; a <= area_count; ++a)
        stream.read_record(areas[a]);

    const int item_count = level.highest_item;
    if (!stream.fits(item_count, sizeof(titem))) return false;
    if (static_cast<int>(level_items.size()) <= item_count)
        level_items.resize(static_cast<std::size_t>(item_count) + 100);
    std::fill(level_items.begin(), level_items.end(), blank_item);
    for (int i = 1; i <= item_count; ++i)
        stream.read_record(level_items[i]);

    const int being_count = level.highest_being;
    const std::size_t row_bytes = static_cast<std::size_t>(being_count) * sizeof(uint32_t);
    if (!stream.fits(being_count, sizeof(tbeing) + row_bytes)) return false;
    const int have = static_cast<int>(beings.size()) - 1;
    if (have < being_count) grow_beings(being_count - have);
    clear_beings();
    for (int i = 1; i <= being_count; ++i) {
        tbeing& b = beings[i];
        stream.read_record(b);
        stream.read(&first_seen_matrix[i][1], row_bytes);
        note_being_slot_used(i);
        const int items = b.highest_item;
        if (items == 0) continue;
        if (!stream.fits(items, sizeof(titem))) return false;
        std::vector<titem>& list = being_items[i];
        if (static_cast<int>(list.size()) <= items)
            list.assign(static_cast<std::size_t>(items) + 50, blank_item);
        for (int k = 1; k <= items; ++k)
            stream.read_record(list[k]);
    }

    const int effect_count = level.highest_effect;
    if (!stream.fits(effect_count, sizeof(teffect))) return false;
    if (static_cast<int>(duration_effects.size()) <= effect_count)
        duration_effects.resize(static_cast<std::size_t>(effect_count) + 50);
    std::fill(duration_effects.begin(), duration_effects.end(), effect_template);
    for (int e = 1; e <= effect_count; ++e)
        stream.read_record(duration_effects[e]);
    return !stream.failed();
}

} // namespace

bool level_file_fits(tbyte_stream& stream, const tlevel_counts& counts, std::vector<int32_t>& present) {
    const int n = counts.map_size;
    if (n < 1 || n > max_map_size || !stream.fits(4, static_cast<std::size_t>(n) * n)) return false;
    stream.skip(4 * static_cast<std::size_t>(n) * n);
    const uint32_t changes = stream.read_u32();
    if (stream.failed() || !stream.fits(changes, change_record_size)) return false;
    for (uint32_t r = 0; r < changes; ++r) {
        const int x = stream.read_u8();
        const int y = stream.read_u8();
        stream.skip(change_record_size - 2);
        if (x < 1 || y < 1 || x > n || y > n) return false;
    }
    if (!stream.fits(counts.areas, sizeof(tarea))) return false;
    stream.skip(counts.areas * sizeof(tarea));
    if (!stream.fits(counts.items, sizeof(titem))) return false;
    stream.skip(counts.items * sizeof(titem));
    const std::size_t row_bytes = static_cast<std::size_t>(counts.beings) * sizeof(uint32_t);
    if (!stream.fits(counts.beings, sizeof(tbeing) + row_bytes)) return false;
    tbeing b{};
    for (int i = 1; i <= counts.beings; ++i) {
        stream.read_record(b);
        stream.skip(row_bytes);
        if (b.present != 0) present.push_back(b.serial);
        if (!stream.fits(b.highest_item, sizeof(titem))) return false;
        stream.skip(b.highest_item * sizeof(titem));
    }
    if (!stream.fits(counts.effects, sizeof(teffect))) return false;
    stream.skip(counts.effects * sizeof(teffect));
    return !stream.failed() && stream.at_end();
}

std::string level_file_path(int level_index) {
    char name[32];
    std::snprintf(name, sizeof name, "Level_%2.2d.dlv", level_index);
    return program_folder() + "Temporary/" + name;
}

void write_level_map(tbyte_stream& stream) {
    const int n = map_size;
    for (std::size_t plane :
         {offsetof(tcell, block), offsetof(tcell, shape), offsetof(tcell, area), offsetof(tcell, explored)})
        for (int y = 1; y <= n; ++y)
            for (int x = 1; x <= n; ++x)
                stream.write_u8(reinterpret_cast<const uint8_t*>(&cell_at(x, y))[plane]);

    const std::size_t count_at = stream.position();
    stream.write_u32(0);
    uint32_t count = 0;
    for (int y = 1; y <= n; ++y)
        for (int x = 1; x <= n; ++x) {
            const tcell& c = cell_at(x, y);
            for (const tchange_field& f : change_fields) {
                const uint16_t value = field_value(c, f);
                if (!change_is_stored(c, f, value)) continue;
                stream.write_u8(static_cast<uint8_t>(x));
                stream.write_u8(static_cast<uint8_t>(y));
                stream.write_u8(f.code);
                stream.write_u8(0);
                stream.write_u16(value);
                ++count;
            }
        }
    const std::size_t end = stream.position();
    stream.seek(count_at);
    stream.write_u32(count);
    stream.seek(end);
}

bool read_level_map(tbyte_stream& stream) {
    const int n = map_size;
    if (n < 1 || n > max_map_size) return false;
    map_cells.fill(blank_cell);
    if (!stream.fits(4, static_cast<std::size_t>(n) * n)) return false;
    for (std::size_t plane :
         {offsetof(tcell, block), offsetof(tcell, shape), offsetof(tcell, area), offsetof(tcell, explored)})
        for (int y = 1; y <= n; ++y)
            for (int x = 1; x <= n; ++x)
                reinterpret_cast<uint8_t*>(&cell_at(x, y))[plane] = stream.read_u8();

    const uint32_t count = stream.read_u32();
    if (stream.failed() || !stream.fits(count, change_record_size)) return false;
    for (uint32_t r = 0; r < count; ++r) {
        const int x = stream.read_u8();
        const int y = stream.read_u8();
        const int code = stream.read_u8();
        stream.skip(1);
        const uint16_t value = stream.read_u16();
        if (x < 1 || y < 1 || x > n || y > n) return false;
        if (const tchange_field* f = field_of_code(code)) set_field(cell_at(x, y), *f, value);
    }
    return !stream.failed();
}

void restore_map_data() {
    for (int a = 1; a < static_cast<int>(areas.size()); ++a)
        for (int zone = 1; zone <= vault_zone_count; ++zone)
            mark_vault_zone_cells(a, zone);

    for (int i = 1; i <= level.highest_being; ++i) {
        tbeing& b = beings[i];
        if (b.present == 0) continue;
        // Putting a stored being back on the grid is not a move of its own.
        const uint8_t moved = b.moved;
        place_being(i, b.x, b.y, 0);
        b.moved = moved;
    }

    for (int i = 1; i < static_cast<int>(level_items.size()); ++i) {
        const titem& item = level_items[i];
        if (item.serial == 0 || !on_map(item.x, item.y)) continue;
        tcell& c = cell_at(item.x, item.y);
        if (item.holder != 0) {
            ++c.held_items;
        } else {
            ++c.loose_items;
            if (c.top_item == 0) c.top_item = static_cast<uint16_t>(i);
        }
    }

    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            tcell& c = cell_at(x, y);
            if (c.explored != 0 && c.block_image == 0) c.block_image = default_block_image(c);
        }
}

bool save_level() {
    const int index = level.index;
    const std::string path = level_file_path(index);
    tbyte_stream stream;
    write_level_payload(stream);
    const auto plain_size = static_cast<uint32_t>(stream.size());
    create_folders(program_folder() + "Temporary");
    if (!write_encoded_file(path, stream)) {
        error_log(1, format_path_message("Could not write file \"%s\"!", path), true);
        return false;
    }
    for (tlevel* record :
         {&level, index >= 1 && index < static_cast<int>(levels.size()) ? &levels[index] : nullptr}) {
        if (record == nullptr) continue;
        record->file_size = plain_size;
        record->encoded_size = static_cast<uint32_t>(stream.size());
        record->sum1 = stored_checksums[0];
        record->sum2 = stored_checksums[1];
        record->sum3 = stored_checksums[2];
    }
    return true;
}

bool load_level() {
    const int index = level.index;
    const std::string path = level_file_path(index);
    std::optional<std::vector<uint8_t>> file = read_file(path);
    if (!file) {
        fatal_missing_file(path);
        return false;
    }
    tbyte_stream stream(std::move(*file));
    if (!decode_stream(stream)) {
        fatal_corrupt_data_file(path);
        return false;
    }
    // The sums the file carries prove only that it is whole; the level record's prove it is
    // this level's file of this visit.
    const tlevel& record = index >= 1 && index < static_cast<int>(levels.size()) ? levels[index] : level;
    stored_checksums = {record.sum1, record.sum2, record.sum3};
    if (!checksums_match(path)) return false;
    if (!read_level_payload(stream) || !stream.at_end()) {
        fatal_corrupt_data_file(path);
        return false;
    }
    restore_map_data();
    return true;
}

} // namespace dravok
