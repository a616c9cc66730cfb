// Saving and loading a game; see save_game.h.
#include "rules/save_game.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "records/codec.h"
#include "rules/character_sheet.h"
#include "rules/level_files.h"
#include "rules/level_setup.h"
#include "rules/transfer.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/data_files.h"
#include "world/database.h"
#include "world/error_log.h"
#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/history_file.h"
#include "world/player.h"
#include "world/random.h"
#include "world/saves.h"
#include "world/tables.h"
#include "world/text_utilities.h"
#include "world/trace_names.h"
#include "world/transfer.h"

namespace dravok {

namespace {

constexpr int main_length_ordinal = 1;
constexpr std::size_t trailer_size = 4;
constexpr std::size_t level_row_size = 128;
constexpr std::size_t level_row_file_size = 56;
constexpr std::size_t level_row_encoded_size = 60;
constexpr std::size_t level_row_sums = 64;
constexpr std::size_t level_row_areas = 44, level_row_beings = 46, level_row_items = 48,
                      level_row_effects = 50;

std::string path_message(const char* pattern, const std::string& path) {
    char text[1024];
    std::snprintf(text, sizeof text, pattern, path.c_str());
    return text;
}

template <class T> uint16_t rows(const std::vector<T>& table) {
    return static_cast<uint16_t>(table.empty() ? 0 : table.size() - 1);
}

// The name a save of the player's character goes under.
std::string save_name() {
    if (player_character < 1 || player_character >= static_cast<int>(beings.size())) return {};
    return file_safe_name(beings[player_character].name.view());
}

// The main part: header, game record, the tables' run-time state and the travelling beings.
void write_main_part(tbyte_stream& stream) {
    write_file_header(stream, save_release, sizeof(tgame));
    fill_size_signature(game.size_signature);
    game.item_plan_count = rows(item_plans);
    game.being_plan_count = rows(being_plans);
    game.level_count = rows(levels);
    game.portal_count = rows(portals);
    game.content_count = rows(contents);
    game.vault_count = rows(vaults);
    game.save_time = datetime_value(local_now());
    game.save_seed = random_seed;
    stream.write_record(game);
    write_global_state(stream);
    for (int slot = 1; slot <= game.transfer_count && slot < static_cast<int>(transfer_beings.size());
         ++slot) {
        const tbeing& b = transfer_beings[slot];
        stream.write_record(b);
        const std::vector<titem>& items = transfer_items[slot];
        for (int i = 1; i <= b.highest_item; ++i)
            stream.write_record(i < static_cast<int>(items.size()) ? items[i] : blank_item);
    }
}

// Writes each file under a new name first and renames them into place only when every one was
// written: a full disk or a read-only folder leaves the earlier save whole. The save proper is
// renamed first: from then on the new save stands, and the start-up moves in a summary or
// history that a sudden end left under its new name (build_save_list).
bool write_save_files(const std::string& name, const std::vector<uint8_t>& save, int depth) {
    depth = trace_enter(depth, trace_write_save_files);
    const std::string save_path = save_file_path(name, save_extension);
    const std::string summary_path = save_file_path(name, summary_extension);
    const std::string history_path = save_file_path(name, save_history_extension);
    const std::string new_save = save_path + new_save_file_suffix;
    const std::string new_summary = summary_path + new_save_file_suffix;
    const std::string new_history = history_path + new_save_file_suffix;
    std::string failed;
    if (!write_file(new_save, std::span<const uint8_t>(save))) failed = save_path;
    if (failed.empty()) {
        tcharacter sheet = game_character;
        fill_character_stats(player_character, depth, sheet);
        // The summary carries the save's file time; a rename keeps that time.
        sheet.date_made = file_time_as_datetime(new_save);
        tbyte_stream summary;
        write_file_header(summary, save_release, 0);
        summary.write_record(sheet);
        if (!write_encoded_file(new_summary, summary)) failed = summary_path;
    }
    if (failed.empty()) {
        if (!write_history_file(new_history)) failed = history_path;
    }
    if (failed.empty() && !rename_file(new_save, save_path)) failed = save_path;
    if (!failed.empty()) {
        // The save proper goes last, so files left by a sudden end here still read as unfinished.
        for (const std::string& path : {new_history, new_summary, new_save})
            delete_file(path);
        show_message(path_message("Could not write file \"%s\"!", failed));
        return false;
    }
    if (!rename_file(new_summary, summary_path)) failed = summary_path;
    if (failed.empty() && !rename_file(new_history, history_path)) failed = history_path;
    // The new save stands either way; what is left under its new name is moved in at the next
    // start.
    if (!failed.empty()) show_message(path_message("Could not write file \"%s\"!", failed));
    return true;
}

// A save read and checked whole before anything of the running game is touched.
struct tsave_contents {
    tgame record{};
    tbyte_stream main;
    std::size_t state_position = 0;
    std::vector<tbeing> travellers;
    std::vector<std::vector<titem>> traveller_items;
    struct tlevel_file {
        int index;
        std::size_t offset;
        std::size_t size;
    };
    std::vector<tlevel_file> level_files;
};

uint32_t u32_at(const std::vector<uint8_t>& bytes, std::size_t offset) {
    uint32_t v = 0;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

uint16_t u16_at(const std::vector<uint8_t>& bytes, std::size_t offset) {
    uint16_t v = 0;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

// False when the sums fail (sums_failed set) or when the content does not fit this game.
bool parse_save(const std::vector<uint8_t>& file, tsave_contents& out) {
    if (file.size() < trailer_size + encoded_overhead) return false;
    const std::size_t body = file.size() - trailer_size;
    const uint64_t main_length = checksum_mask(main_length_ordinal, u32_at(file, body)) & 0xFFFFFFFFu;
    if (main_length < encoded_overhead || main_length > body) return false;
    out.main.assign(
        std::vector<uint8_t>(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(main_length)));
    if (!decode_stream(out.main) || !checksums_equal()) return false;
    tbyte_stream& s = out.main;
    if (!check_file_header(s, save_release, sizeof(tgame)) || !s.read_record(out.record)) return false;
    const tgame& g = out.record;
    if (!check_size_signature(g.size_signature) || g.item_plan_count != database_header.item_plan_count ||
        g.being_plan_count != database_header.being_plan_count ||
        g.level_count != database_header.level_count || g.portal_count != database_header.portal_count ||
        g.content_count != database_header.content_count || g.vault_count != database_header.vault_count)
        return false;
    if (g.item_plan_count != rows(item_plans) || g.being_plan_count != rows(being_plans) ||
        g.level_count != rows(levels) || g.portal_count != rows(portals) ||
        g.content_count != rows(contents) || g.vault_count != rows(vaults))
        return false;
    out.state_position = s.position();
    if (!s.skip(global_state_size())) return false;
    if (!s.fits(g.transfer_count, sizeof(tbeing))) return false;
    out.travellers.assign(g.transfer_count + 1, blank_being);
    out.traveller_items.assign(g.transfer_count + 1, {});
    for (int slot = 1; slot <= g.transfer_count; ++slot) {
        tbeing& b = out.travellers[slot];
        s.read_record(b);
        if (!s.fits(b.highest_item, sizeof(titem))) return false;
        std::vector<titem>& items = out.traveller_items[slot];
        items.assign(std::max<std::size_t>(b.highest_item + 1u, being_item_list_length), blank_item);
        for (int i = 1; i <= b.highest_item; ++i)
            s.read_record(items[i]);
    }
    if (s.failed() || !s.at_end()) return false;
    // The level files follow in level-index order, each as long as its level row says.
    const std::vector<uint8_t>& plain = s.bytes();
    std::size_t offset = main_length;
    bool player_found = false;
    for (int index = 1; index <= g.level_count; ++index) {
        const std::size_t row = out.state_position + (index - 1) * level_row_size;
        if (u32_at(plain, row + level_row_file_size) == 0) continue;
        const std::size_t size = u32_at(plain, row + level_row_encoded_size);
        if (size > body - offset) return false;
        // Each level file must be the one its level row describes, so a damaged level inside a
        // save is found now and not after the running game was replaced.
        tbyte_stream level_file(
            std::vector<uint8_t>(file.begin() + static_cast<std::ptrdiff_t>(offset),
                                 file.begin() + static_cast<std::ptrdiff_t>(offset + size)));
        if (!decode_stream(level_file) || level_file.size() != u32_at(plain, row + level_row_file_size))
            return false;
        uint64_t sums[3];
        std::memcpy(sums, plain.data() + row + level_row_sums, sizeof sums);
        stored_checksums = {sums[0], sums[1], sums[2]};
        if (!checksums_equal()) return false;
        // And it must read back whole with the counts its row gives, as the arrival will read it.
        const tlevel_counts counts{levels[index].map_size, u16_at(plain, row + level_row_areas),
                                   u16_at(plain, row + level_row_items),
                                   u16_at(plain, row + level_row_beings),
                                   u16_at(plain, row + level_row_effects)};
        std::vector<int32_t> present;
        if (!level_file_fits(level_file, counts, present)) return false;
        if (index == g.target_level)
            player_found =
                std::find(present.begin(), present.end(), int32_t(g.player_serial)) != present.end();
        out.level_files.push_back({index, offset, size});
        offset += size;
    }
    // The game goes on on the level it was saved on, with the character in its file.
    return offset == body && g.target_level >= 1 && g.target_level <= g.level_count && player_found;
}

// The parsed save becomes the running game's: record, tables, travellers, level files, history.
bool apply_save(const std::string& name, const std::vector<uint8_t>& file, tsave_contents& save) {
    game = save.record;
    save.main.seek(save.state_position);
    read_global_state(save.main);
    const int count = game.transfer_count;
    if (static_cast<int>(transfer_beings.size()) < count + 1) {
        transfer_beings.resize(count + 1, blank_being);
        transfer_items.resize(count + 1, std::vector<titem>(being_item_list_length, blank_item));
    }
    for (std::size_t slot = 1; slot < transfer_beings.size(); ++slot) {
        const bool saved = static_cast<int>(slot) <= count;
        transfer_beings[slot] = saved ? save.travellers[slot] : blank_being;
        if (saved)
            transfer_items[slot] = std::move(save.traveller_items[slot]);
        else
            std::fill(transfer_items[slot].begin(), transfer_items[slot].end(), blank_item);
    }
    create_folders(program_folder() + "Temporary");
    for (const tsave_contents::tlevel_file& f : save.level_files) {
        const std::string path = level_file_path(f.index);
        const auto first = file.begin() + static_cast<std::ptrdiff_t>(f.offset);
        if (!write_file(path, std::vector<uint8_t>(first, first + static_cast<std::ptrdiff_t>(f.size)))) {
            show_fatal_message(path_message("Could not write file \"%s\"!", path));
            return false;
        }
    }
    read_history_file(save_file_path(name, save_history_extension));
    return true;
}

} // namespace

bool save_game() {
    const int depth = trace_start(trace_save_game);
    const std::string name = save_name();
    if (name.empty()) return false;
    update_level(depth);
    if (!save_level()) return false;
    compact_transfer_beings();
    tbyte_stream main;
    write_main_part(main);
    encode_stream(main);
    std::vector<uint8_t> save = main.take();
    const auto main_length = static_cast<uint32_t>(save.size());
    for (int index = 1; index < static_cast<int>(levels.size()); ++index) {
        if (levels[index].file_size == 0) continue;
        const std::string path = level_file_path(index);
        std::optional<std::vector<uint8_t>> level_file = read_file(path);
        if (!level_file) {
            fatal_missing_file(path);
            return false;
        }
        if (level_file->size() != levels[index].encoded_size) {
            fatal_corrupt_data_file(path);
            return false;
        }
        save.insert(save.end(), level_file->begin(), level_file->end());
    }
    const auto trailer = static_cast<uint32_t>(checksum_mask(main_length_ordinal, main_length));
    const auto* trailer_bytes = reinterpret_cast<const uint8_t*>(&trailer);
    save.insert(save.end(), trailer_bytes, trailer_bytes + trailer_size);
    create_folders(program_folder() + "Save");
    return write_save_files(name, save, depth);
}

bool save_bytes_sound(const std::vector<uint8_t>& file) {
    tsave_contents save;
    return parse_save(file, save);
}

bool read_saved_game(const std::string& name) {
    game_character = tcharacter{};
    history.clear();
    const std::string path = save_file_path(name, save_extension);
    if (name != file_safe_name(name) || !file_exists(path)) {
        fatal_missing_file(path);
        return false;
    }
    // A save the system will not let us read is not damaged: it stays.
    std::optional<std::vector<uint8_t>> file = read_file(path);
    if (!file) {
        show_fatal_message(path_message("Could not read file \"%s\"!", path));
        return false;
    }
    tsave_contents save;
    if (!parse_save(*file, save)) {
        delete_save_files(name);
        fatal_corrupt_data_file(path);
        return false;
    }
    if (!apply_save(name, *file, save)) return false;
    random_seed = game.save_seed;
    return true;
}

bool load_game(const std::string& name) {
    const int depth = trace_start(trace_load_game);
    if (!read_saved_game(name)) return false;
    // The save is used up only once its level stands: a level that fails keeps the files.
    if (!setup_level(depth) || !arrive_at_level(depth)) {
        if (!quit_requested()) {
            show_message("Error while loading level!");
            request_quit();
        }
        return false;
    }
    game_mode = mode_main;
    delete_save_files(name);
    if (!save_files_gone(name)) {
        show_message("Error while deleting save files!");
        request_quit();
        return false;
    }
    return true;
}

} // namespace dravok
