// Save games in the save folder; see saves.h.
#include "world/saves.h"
#include "world/game_lists.h"
#include "world/tables.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/files.h"
#include "records/byte_stream.h"
#include "records/codec.h"
#include "world/data_files.h"
#include "world/furniture_counters.h"
#include "world/game_folders.h"
#include "world/map_features.h"
#include "world/text_utilities.h"

namespace dravok {

namespace {

constexpr std::size_t level_row_size = 128;
constexpr std::size_t portal_row_size = 3;
constexpr std::size_t vault_row_size = 2;
constexpr std::size_t content_row_size = 2;
constexpr std::size_t item_plan_row_size = 8;
constexpr std::size_t being_plan_row_size = 42;
constexpr std::size_t file_header_size = 8;

template <class T> std::size_t rows(const std::vector<T>& table) {
    return table.empty() ? 0 : table.size() - 1;
}

void write_level_row(tbyte_stream& s, const tlevel& l) {
    s.write_u8(l.explored_x1);
    s.write_u8(l.explored_y1);
    s.write_u8(l.explored_x2);
    s.write_u8(l.explored_y2);
    s.write_u32(l.created_time);
    s.write_u32(l.first_arrival);
    s.write_u32(l.last_update);
    s.write_f64(l.created_date);
    s.write_u32(l.seed);
    s.write_u32(l.next_spawn);
    for (uint16_t v : {l.floor_cells, l.explored_cells, l.hidden_areas, l.hidden_found, l.visited_areas})
        s.write_u16(v);
    s.write_u8(l.exploration_award);
    s.write_u8(0);
    for (uint16_t v :
         {l.area_count, l.highest_being, l.highest_item, l.highest_effect, l.spawned, l.spawn_malus})
        s.write_u16(v);
    s.write_u32(l.file_size);
    s.write_u32(l.encoded_size);
    s.write_u64(l.sum1);
    s.write_u64(l.sum2);
    s.write_u64(l.sum3);
    for (const tmap_point& p : l.map_points)
        s.write_record(p);
    s.write_u32(0);
}

void read_level_row(tbyte_stream& s, tlevel& l) {
    l.explored_x1 = s.read_u8();
    l.explored_y1 = s.read_u8();
    l.explored_x2 = s.read_u8();
    l.explored_y2 = s.read_u8();
    l.created_time = s.read_u32();
    l.first_arrival = s.read_u32();
    l.last_update = s.read_u32();
    l.created_date = s.read_f64();
    l.seed = s.read_u32();
    l.next_spawn = s.read_u32();
    for (uint16_t* v :
         {&l.floor_cells, &l.explored_cells, &l.hidden_areas, &l.hidden_found, &l.visited_areas})
        *v = s.read_u16();
    l.exploration_award = s.read_u8();
    s.skip(1);
    for (uint16_t* v :
         {&l.area_count, &l.highest_being, &l.highest_item, &l.highest_effect, &l.spawned, &l.spawn_malus})
        *v = s.read_u16();
    l.file_size = s.read_u32();
    l.encoded_size = s.read_u32();
    l.sum1 = s.read_u64();
    l.sum2 = s.read_u64();
    l.sum3 = s.read_u64();
    for (tmap_point& p : l.map_points)
        s.read_record(p);
    s.skip(4);
}

void zero_scratch_fields() {
    for (std::size_t i = 1; i < vaults.size(); ++i) {
        vaults[i].count_attempt = 0;
        vaults[i].tried = 0;
        vaults[i].free4795[0] = 0;
    }
    for (std::size_t i = 1; i < contents.size(); ++i)
        contents[i].ordinal = 0;
    for (std::size_t i = 1; i < item_plans.size(); ++i) {
        item_plans[i].choice = 0;
        item_plans[i].picked = 0;
    }
    for (std::size_t i = 1; i < being_plans.size(); ++i) {
        being_plans[i].spawn_ordinal = 0;
        being_plans[i].spawned = 0;
    }
}

// A summary is judged without its sums; only a file that is no encoding at all is refused here.
std::optional<tbyte_stream> read_summary_file(const std::string& path) {
    std::optional<std::vector<uint8_t>> file = read_file(path);
    if (!file) return std::nullopt;
    tbyte_stream stream(std::move(*file));
    if (!decode_stream(stream)) return std::nullopt;
    return stream;
}

} // namespace

std::string save_file_path(std::string_view name, std::string_view extension) {
    std::string path = program_folder() + "Save/";
    path += name;
    path += extension;
    return path;
}

void delete_save_files(std::string_view name) {
    for (const char* extension : {save_extension, summary_extension, save_history_extension})
        delete_file(save_file_path(name, extension));
}

bool save_files_gone(std::string_view name) {
    for (const char* extension : {save_extension, summary_extension, save_history_extension})
        if (file_exists(save_file_path(name, extension))) return false;
    return true;
}

namespace {

// A sheet whose race or gender is no type flag is damage: the creation tables name both.
bool sheet_values_sound(const tcharacter& sheet) {
    return sheet.race < type_flag_count && sheet.gender < type_flag_count;
}

// The summary sheet at summary_path, when it is one: its header and size right.
std::optional<tcharacter> read_summary_sheet(const std::string& summary_path) {
    std::optional<tbyte_stream> stream = read_summary_file(summary_path);
    if (!stream || stream->size() != file_header_size + sizeof(tcharacter) ||
        !check_file_header(*stream, save_release, 0))
        return std::nullopt;
    tcharacter sheet{};
    stream->read_record(sheet);
    if (!sheet_values_sound(sheet)) return std::nullopt;
    return sheet;
}

// The save's own file time and name are its seal: a save touched or renamed is not kept.
bool sheet_seals_save(const tcharacter& sheet, const std::string& name) {
    const std::string save_path = save_file_path(name, save_extension);
    return file_exists(save_path) && sheet.date_made == file_time_as_datetime(save_path) &&
           file_safe_name(sheet.name.view()) == name;
}

bool summary_seals_save(const std::string& summary_path, const std::string& name) {
    const std::optional<tcharacter> sheet = read_summary_sheet(summary_path);
    return sheet && sheet_seals_save(*sheet, name);
}

// A save is written as three ".new" files renamed into place, the save proper first: once it
// is in place the new save stands, and a summary or history still waiting under its new name is
// moved in after it. Before that the earlier save is untouched and the new files are dropped.
void finish_interrupted_save(const std::string& name) {
    const std::string save_path = save_file_path(name, save_extension);
    const std::string summary_path = save_file_path(name, summary_extension);
    const std::string history_path = save_file_path(name, save_history_extension);
    const std::string new_summary = summary_path + new_save_file_suffix;
    const std::string new_history = history_path + new_save_file_suffix;
    if (!file_exists(save_path + new_save_file_suffix)) {
        if (file_exists(new_summary) && summary_seals_save(new_summary, name))
            rename_file(new_summary, summary_path);
        if (file_exists(new_history) && summary_seals_save(summary_path, name))
            rename_file(new_history, history_path);
    }
    for (const char* extension : {save_history_extension, summary_extension, save_extension})
        delete_file(save_file_path(name, extension) + new_save_file_suffix);
}

// Saves cut short by the end of the program: each is finished or dropped, and the temporary
// files of writes that never ended are removed.
void tidy_save_folder() {
    const std::string folder = program_folder() + "Save/";
    for (const std::string& file : list_folder(folder, "*.part"))
        delete_file(folder + file);
    std::vector<std::string> names;
    for (const std::string& file : list_folder(folder, std::string("*") + new_save_file_suffix)) {
        const std::string stem = file.substr(0, file.size() - std::strlen(new_save_file_suffix));
        for (const char* extension : {save_extension, summary_extension, save_history_extension}) {
            const std::size_t length = std::strlen(extension);
            if (stem.size() > length && stem.compare(stem.size() - length, length, extension) == 0) {
                names.push_back(stem.substr(0, stem.size() - length));
                break;
            }
        }
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (const std::string& name : names)
        finish_interrupted_save(name);
}

} // namespace

bool read_save_summary(const std::string& name, int index) {
    const std::string save_path = save_file_path(name, save_extension);
    if (!file_exists(save_path)) return false;
    const std::optional<tcharacter> sheet = read_summary_sheet(save_file_path(name, summary_extension));
    if (!sheet) {
        delete_save_files(name);
        return false;
    }
    if (index >= static_cast<int>(past_characters.size())) past_characters.resize(index + 1);
    past_characters[index] = *sheet;
    if (sheet_seals_save(*sheet, name)) return true;
    delete_save_files(name);
    return false;
}

void build_save_list() {
    tidy_save_folder();
    save_names.clear();
    list_files_with_extension(program_folder() + "Save/*" + save_extension, save_extension, save_names);
    const int count = static_cast<int>(save_names.size());
    // Newest first by the save's file time.
    for (int pass = 0; pass < count; ++pass) {
        bool exchanged = false;
        for (int i = 0; i + 1 < count; ++i) {
            const std::optional<int64_t> first =
                file_modification_ns(save_file_path(save_names[i], save_extension));
            const std::optional<int64_t> second =
                file_modification_ns(save_file_path(save_names[i + 1], save_extension));
            if (!first || !second) break;
            if (*first < *second) {
                std::swap(save_names[i], save_names[i + 1]);
                exchanged = true;
            }
        }
        if (!exchanged) break;
    }
    past_characters.assign(save_names.size() + 1, tcharacter{});
    std::size_t kept = 0;
    for (std::size_t i = 0; i < save_names.size(); ++i) {
        if (!read_save_summary(save_names[i], static_cast<int>(kept + 1))) continue;
        save_names[kept] = save_names[i];
        ++kept;
    }
    save_names.resize(kept);
    past_characters.resize(kept + 1);
}

std::size_t global_state_size() {
    return rows(levels) * level_row_size + rows(portals) * portal_row_size + rows(vaults) * vault_row_size +
           rows(contents) * content_row_size + rows(item_plans) * item_plan_row_size +
           rows(being_plans) * being_plan_row_size;
}

void write_global_state(tbyte_stream& stream) {
    zero_scratch_fields();
    for (std::size_t i = 1; i < levels.size(); ++i)
        write_level_row(stream, levels[i]);
    for (std::size_t i = 1; i < portals.size(); ++i) {
        stream.write_u8(portals[i].x);
        stream.write_u8(portals[i].y);
        stream.write_u8(portals[i].used);
    }
    for (std::size_t i = 1; i < vaults.size(); ++i)
        stream.write_u16(vaults[i].count_game);
    for (std::size_t i = 1; i < contents.size(); ++i)
        stream.write_u16(contents[i].count_game);
    for (std::size_t i = 1; i < item_plans.size(); ++i) {
        const titem_plan& p = item_plans[i];
        for (uint16_t v : {p.created_on_level, p.created_in_game, p.uses, p.counter4})
            stream.write_u16(v);
    }
    for (std::size_t i = 1; i < being_plans.size(); ++i) {
        const tbeing_plan& p = being_plans[i];
        stream.write_record(p.unique_title);
        stream.write_u8(0);
        for (uint16_t v : {p.created_on_level, p.created_in_game, p.first_sightings, p.player_kills, p.kills})
            stream.write_u16(v);
    }
}

namespace {

// What the tables remember of the picks of this process's earlier games is not saved: a loaded
// game starts from none, as in a fresh program, so one save plays the same in any process.
void forget_unsaved_picks() {
    forget_plan_picks();
    furniture_variant_counters.fill(0);
    std::fill(std::begin(splash_last_image), std::end(splash_last_image), 0);
}

} // namespace

void read_global_state(tbyte_stream& stream) {
    zero_scratch_fields();
    forget_unsaved_picks();
    for (std::size_t i = 1; i < levels.size(); ++i)
        read_level_row(stream, levels[i]);
    for (std::size_t i = 1; i < portals.size(); ++i) {
        portals[i].x = stream.read_u8();
        portals[i].y = stream.read_u8();
        portals[i].used = stream.read_u8();
    }
    for (std::size_t i = 1; i < vaults.size(); ++i)
        vaults[i].count_game = stream.read_u16();
    for (std::size_t i = 1; i < contents.size(); ++i)
        contents[i].count_game = stream.read_u16();
    for (std::size_t i = 1; i < item_plans.size(); ++i) {
        titem_plan& p = item_plans[i];
        for (uint16_t* v : {&p.created_on_level, &p.created_in_game, &p.uses, &p.counter4})
            *v = stream.read_u16();
    }
    for (std::size_t i = 1; i < being_plans.size(); ++i) {
        tbeing_plan& p = being_plans[i];
        stream.read_record(p.unique_title);
        // A length byte beyond the name's room is cut to it.
        if (p.unique_title.len > decltype(p.unique_title)::capacity)
            p.unique_title.len = decltype(p.unique_title)::capacity;
        stream.skip(1);
        for (uint16_t* v :
             {&p.created_on_level, &p.created_in_game, &p.first_sightings, &p.player_kills, &p.kills})
            *v = stream.read_u16();
    }
}

namespace {

constexpr uint32_t characters_release = 15;
constexpr char characters_file[] = "Save/Characters.dch";

std::string characters_path() {
    return program_folder() + characters_file;
}

} // namespace

void save_characters(const tcharacter& sheet, bool pregenerated) {
    if (past_characters.size() < 2) past_characters.assign(2, tcharacter{});
    if (sheet.race_plan != 0) past_characters[1] = sheet;
    if (pregenerated) {
        if (sheet.index != 0 && sheet.index < past_characters.size())
            past_characters[sheet.index] = sheet;
        else
            past_characters.push_back(sheet);
    }
    const uint32_t count = uint32_t(past_characters.size() - 1);
    tbyte_stream stream;
    write_file_header(stream, characters_release, 0);
    stream.write_u32(uint32_t(checksum_mask(2, count)));
    stream.write_u32(uint32_t(checksum_mask(3, sizeof(tcharacter))));
    for (uint32_t i = 1; i <= count; ++i)
        stream.write_record(past_characters[i]);
    if (!write_encoded_file(characters_path(), stream)) report_unwritten_file(characters_path());
}

void load_characters() {
    past_characters.assign(1, tcharacter{});
    tbyte_stream stream;
    const tencoded_read read = read_encoded_file(characters_path(), stream);
    if (read == tencoded_read::missing) return;
    bool sound = read == tencoded_read::ok && check_file_header(stream, characters_release, 0);
    uint32_t count = 0, size = 0;
    if (sound) {
        count = uint32_t(checksum_mask(2, stream.read_u32()));
        size = uint32_t(checksum_mask(3, stream.read_u32()));
        // A count the file cannot hold is damage too, not a reason to read past its end.
        sound = !stream.failed() && size == sizeof(tcharacter) &&
                count <= stream.remaining() / sizeof(tcharacter);
    }
    std::vector<tcharacter> sheets(sound ? count + 1 : 0, tcharacter{});
    for (uint32_t i = 1; sound && i <= count; ++i) {
        stream.read_record(sheets[i]);
        sound = sheet_values_sound(sheets[i]);
    }
    if (!sound) {
        delete_file(characters_path());
        fatal_corrupt_data_file(characters_path());
        return;
    }
    past_characters = std::move(sheets);
}

} // namespace dravok
